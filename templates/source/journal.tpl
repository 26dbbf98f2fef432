# Журнал изменений (journal.xlsx).
# Row 1 holds the column headings; the program writes the entries shown in the journal window from row 2,
# newest first, one row an entry, and draws the borders around them.
sheet Журнал изменений
width A 19
width B 16
width C 18
width D 12
width E 10
width F 9
width G 11
width H 90
landscape
fitwidth
cell A1 Дата и время
cell B1 Пользователь
cell C1 Рабочее место
cell D1 Таблица
cell E1 Ключ строки
cell F1 Действие
cell G1 № договора
cell H1 Изменения
bold A1:H1
wrap A1:H1
align A1:H1 center
border A1:H1
height 1 30
