# Журнал расходных материалов зубопротезного кабинета (rashzub.xlsx).
# The program writes the whole journal (opening balance, services of the period, closing balance) from
# row 1; the template only sets the column widths of its nine columns.
sheet Журнал
width A 10
width B 30
width C 14
width D 12
width E 15
width F 11
width G 10
width H 11
width I 11
fitwidth
