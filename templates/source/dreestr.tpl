# Реестр пролеченных больных (dreestr.xlsx): all organisations of a period.
# Rows 1-2 are the title and the column headings; the program lists the services from row 3 (A, B, C, D,
# F, H..O) and writes "ИТОГО:" in B and the total of column M two rows below the last line. Columns E
# and G are for the hand-written year of birth and diagnosis.
sheet Реестр
width A 5
width B 14
width C 12
width D 14
width E 10
width F 14
width G 12
width H 11
width I 9
width J 36
width K 10
width L 6
width M 12
width N 18
width O 18
landscape
fitwidth
cell A1 Реестр пролеченных больных (платные медицинские услуги по договорам с организациями)
merge A1:O1
bold A1:O1
align A1:O1 center
size A1:O1 12
height 1 22
cell A2 № п/п
cell B2 Фамилия
cell C2 Имя
cell D2 Отчество
cell E2 Год рождения
cell F2 Направление (№, дата)
cell G2 Диагноз (код по МКБ)
cell H2 Дата оказания услуги
cell I2 Шифр услуги
cell J2 Наименование услуги
cell K2 Цена, руб.
cell L2 Кол-во
cell M2 Стоимость, руб.
cell N2 Врач
cell O2 Медсестра
bold A2:O2
wrap A2:O2
align A2:O2 center
border A2:O2
height 2 42
