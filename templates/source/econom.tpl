# Разрез по отделениям: стационар (econom.xlsx).
# The program writes every block itself from row 1 (department name, three heading rows, the lines and
# the totals, columns A..U); the template sets the column widths and the page.
sheet Стационар
width A 4
width B 10
width C 9
width D 28
width E 10
width F 10
width G 10
width H 6
width I 10
width J 10
width K 6
width L 10
width M 6
width N 10
width O 10
width P 10
width Q 6
width R 10
width S 10
width T 10
width U 10
landscape
fitwidth
