# Остатки расходных материалов на дату (linz.xlsx).
# The program writes "На <date>" into A1; row 2 holds the column headings A..G (the totals below the list
# sum from row 2, so the headings are texts only); the program lists the consumables from row 3.
sheet Остатки
width A 5
width B 8
width C 44
width D 12
width E 15
width F 11
width G 12
fitwidth
cell C1 Остатки расходных материалов (линзы, материалы зубопротезного кабинета)
bold A1:C1
size A1:C1 11
height 1 20
cell A2 № п/п
cell B2 Код
cell C2 Наименование расходного материала
cell D2 Поступило
cell E2 Израсходовано
cell F2 Остаток
cell G2 Цена, руб.
bold A2:G2
wrap A2:G2
align A2:G2 center
border A2:G2
height 2 30
