# A small contract-like template for the engine's tests: a heading, a bordered table with a price and
# amount formulas, a percent formula, print setup, and a second sheet that must survive untouched.
sheet Договор
width A 6
width B:H 9
width K 14
height 1 30
cell A1 Договор №\nна оказание платных услуг
merge A1:K1
wrap A1
align A1 center
bold A1:K1
size A1 14
cell A8 № п/п
cell B8 Наименование услуги
cell I8 Кол-во
cell J8 Цена
cell K8 Сумма
bold A8:K8
border A8:K8
cell K9 =i9*j9
cell K10 =i10*j10
cell K11 =i11*j11
format J9:K12 #,##0.00
cell G5 1000
cell H5 =g5* 24%
cell A14   Да 
landscape
fitwidth

sheet Справка
width A 30
cell A1 Вторая страница
format A2 @
cell A2 00123
cell A3 00123
format B3 dd.mm.yyyy
cell B3 45292
