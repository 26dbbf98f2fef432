# Отчет по кассе по договорам (kassa.xlsx).
# Row 1 is the title, row 2 the column headings; the program lists the services from row 3 (A..V) and
# writes "ИТОГО:" with the total of column R two rows below the last one.
sheet Касса
width A 5
width B 14
width C 11
width D 13
width E 9
width F 8
width G 34
width H 5
width I 8
width J 12
width K 16
width L 16
width M 14
width N 10
width O 24
width P 10
width Q 7
width R 11
width S 10
width T 9
width U 12
width V 10
landscape
fitwidth
cell A1 Отчет по кассе по договорам на оказание платных медицинских услуг
bold A1
size A1 12
height 1 20
cell A2 № п/п
cell B2 Фамилия
cell C2 Имя
cell D2 Отчество
cell E2 № договора
cell F2 № услуги
cell G2 Наименование услуги
cell H2 Д/м
cell I2 Код
cell J2 Вид помощи
cell K2 Доктор
cell L2 Медсестра
cell M2 Техник
cell N2 Код отделения
cell O2 Отделение
cell P2 Цена, руб.
cell Q2 Кол-во
cell R2 Сумма, руб.
cell S2 Дата услуги
cell T2 Время оплаты
cell U2 Дата исправления
cell V2 Проверен
bold A2:V2
wrap A2:V2
align A2:V2 center
border A2:V2
height 2 42
