# Распределение сумм на оплату труда по врачам и медсестрам (oftalmolog.xlsx).
# The template holds the title (row 1) and the headings of columns A..F (rows 2-3); the program writes a
# pair of columns per doctor and nurse from G on (name on row 2, "%" and "сумма" on row 3), the lines from
# row 4 and "ИТОГО:" with the totals below them.
sheet Поликлиника
width A 5
width B 11
width C 10
width D 28
width E 12
width F 12
width G 6
width H 11
width I 6
width J 11
width K 6
width L 11
width M 6
width N 11
width O 6
width P 11
width Q 6
width R 11
width S 6
width T 11
width U 6
width V 11
width W 6
width X 11
width Y 6
width Z 11
width AA 6
width AB 11
width AC 6
width AD 11
width AE 6
width AF 11
width AG 6
width AH 11
width AI 6
width AJ 11
width AK 6
width AL 11
width AM 6
width AN 11
width AO 6
width AP 11
width AQ 6
width AR 11
width AS 6
width AT 11
landscape
fitwidth
cell A1 Распределение сумм на оплату труда по врачам и медицинским сестрам за оказанные платные медицинские услуги
bold A1
size A1 12
height 1 20
cell A2 № п/п
merge A2:A3
cell B2 Дата услуги
merge B2:B3
cell C2 № договора
merge C2:C3
cell D2 Ф.И.О. пациента
merge D2:D3
cell E2 Сумма по договору, руб.
merge E2:E3
cell F2 Сумма на оплату труда, руб.
merge F2:F3
bold A2:F3
wrap A2:F3
align A2:F3 center
height 2 30
height 3 15
