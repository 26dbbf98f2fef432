# Список должников (dolg.xlsx).
# Row 1 holds the column headings; the program lists the contracts not fully paid from row 2 (A..I) and
# writes "ИТОГО:" with the totals of F, G and H two rows below the last one.
sheet Задолжности
width A 5
width B 10
width C 16
width D 13
width E 16
width F 12
width G 13
width H 13
width I 12
fitwidth
cell A1 № п/п
cell B1 № договора
cell C1 Фамилия
cell D1 Имя
cell E1 Отчество
cell F1 Оплачено, руб.
cell G1 Сумма по договору, руб.
cell H1 Осталось к оплате, руб.
cell I1 Дата последнего платежа
bold A1:I1
wrap A1:I1
align A1:I1 center
border A1:I1
height 1 42
