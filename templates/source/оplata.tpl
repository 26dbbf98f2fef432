# Отчет по оплате (оplata.xlsx, the first letter of the name is the Cyrillic о).
# Row 1 is the title, row 2 the column headings; the program lists one line per patient and contract from
# row 3 (A..I) and writes "ИТОГО:" with the totals of G, H and I two rows below the last one.
sheet Оплата
width A 5
width B 16
width C 13
width D 16
width E 11
width F 10
width G 14
width H 14
width I 14
fitwidth
cell A1 Отчет по оплате медицинских услуг
bold A1
size A1 12
height 1 20
cell A2 № п/п
cell B2 Фамилия
cell C2 Имя
cell D2 Отчество
cell E2 Дата услуги
cell F2 № договора
cell G2 Сумма по договору, руб.
cell H2 Оплачено, руб.
cell I2 Осталось к оплате, руб.
bold A2:I2
wrap A2:I2
align A2:I2 center
border A2:I2
height 2 42
