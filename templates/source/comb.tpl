# Комбинированная таблица услуг (comb.xlsx).
# The program writes the column titles into row 1 and the rows of the query below them; the template
# sets the look of the title row and the widths of the default column set.
sheet Таблица
width A 14
width B 12
width C 14
width D 7
width E 9
width F 22
width G 26
width H 9
width I 12
width J 24
width K 16
width L 16
width M 14
width N 10
width O 8
width P 10
width Q 9
width R 10
width S 8
width T 7
width U 5
width V 8
width W 40
width X 10
width Y 8
width Z 10
bold A1:Z1
wrap A1:Z1
align A1:Z1 center
height 1 30
landscape
fitwidth
