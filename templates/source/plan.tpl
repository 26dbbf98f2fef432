# Используемые услуги за период (plan.xlsx).
# The program writes the title with the period into A1; row 2 holds the column headings; the program lists
# the services from row 3 (A..F) and writes the totals of D and F two rows below the last one.
sheet Планирование
width A 5
width B 10
width C 60
width D 12
width E 12
width F 14
fitwidth
merge A1:F1
bold A1:F1
align A1:F1 center
size A1:F1 12
height 1 20
cell A2 № п/п
cell B2 № услуги
cell C2 Наименование услуги
cell D2 Количество
cell E2 Цена, руб.
cell F2 Сумма, руб.
bold A2:F2
wrap A2:F2
align A2:F2 center
border A2:F2
height 2 30
