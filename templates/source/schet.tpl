# Документы на оплату медицинских услуг организацией (schet.xlsx), пять листов:
# 1 счет, 2 счет-фактура, 3 накладная, 4 акты выполненных работ, 5 реестр пролеченных лиц.
# The program writes, sheet 1: B9 the title, K11 and K20 the total, B12..B17 the payer's details,
# B25 the total in words; sheet 2: A11 the title, A20..A25 the payer's details, A30 the total in words;
# sheet 3: A1 the title, A10..A15 the payer's details, the services from row 18 (A..D) and everything
# below them; sheet 4: everything (the acts); sheet 5: K2, K3, D4, D5 and the lines from row 7.
# Those cells stay empty here.
sheet Счет
width A 2
width B 5
width C 10
width D 10
width E 10
width F 10
width G 10
width H 10
width I 8
width J 8
width K 15
fitwidth

# Rows 1-7: the recipient of the payment.
cell B1 Получатель: Государственное бюджетное учреждение «Квелдор»
cell B2 Адрес: 000000, г. Н-ск, ул. Центральная, д. 1, тел. (0000) 00-00-00
cell B3 ИНН 0000000000   КПП 000000000   ОКПО 00000000
cell B4 Лицевой счет 00000000000
cell B5 Расчетный счет 00000000000000000000
cell B6 Банк получателя: ____________________________________   БИК 000000000
cell B7 Корреспондентский счет 00000000000000000000
bold B1
size B1:B7 10

# Row 9: "СЧЕТ № ..." written by the program.
merge B9:K9
bold B9:K9
align B9:K9 center
size B9:K9 12
height 9 22

# Row 11: the total of the bill in K11 (program). Rows 12-17: the payer (program).
cell B11 Сумма счета, руб.:
merge B11:J11
align B11:J11 right
bold B11:K11
format K11 #,##0.00
size B11:K17 10

# Rows 19-23: the table; the program writes the total of the one line into K20.
cell B19 №
cell C19 Наименование работ, услуг
merge C19:H19
cell I19 Ед. изм.
cell J19 Кол-во
cell K19 Сумма, руб.
bold B19:K19
align B19:K19 center
wrap B19:K19
height 19 18
cell B20 1
align B20 center
cell C20 Медицинские услуги, оказанные сотрудникам организации, согласно реестру (приложение к счету)
merge C20:H20
wrap C20:H20
cell I20 услуга
cell J20 —
align I20:J20 center
height 20 28
border B19:K20
cell B21 Итого:
cell K21 =K20
cell B22 НДС не облагается
cell K22 —
cell B23 Всего к оплате:
cell K23 =K20
merge B21:J21
align B21:J21 right
merge B22:J22
align B22:J22 right
merge B23:J23
align B23:J23 right
align K22 right
bold B21:K23
format K20:K23 #,##0.00
size B19:K23 10

# Row 25: the total in words, written by the program.
cell B24 Сумма прописью:
size B24 10
merge B25:K25
wrap B25:K25
bold B25:K25
size B25:K25 10
height 25 28
cell B28 Начальник ГБУ «Квелдор»  ______________________ /______________________/
cell B30 Главный бухгалтер  ______________________ /______________________/
cell B32 М.П.
size B28:B32 10
sheet Счет-фактура
width A 42
width B 8
width C 8
width D 12
width E 14
width F 10
width G 10
width H 10
width I 15
landscape
fitwidth

# Rows 1-3: the seller's letterhead.
cell A1 ГОСУДАРСТВЕННОЕ БЮДЖЕТНОЕ УЧРЕЖДЕНИЕ «КВЕЛДОР»
cell A2 000000, г. Н-ск, ул. Центральная, д. 1, тел. (0000) 00-00-00
cell A3 ИНН 0000000000 / КПП 000000000
merge A1:I1
align A1:I1 center
merge A2:I2
align A2:I2 center
merge A3:I3
align A3:I3 center
bold A1
size A1:A3 10

# Row 11: "СЧЕТ-ФАКТУРА № ..." written by the program.
merge A11:I11
bold A11:I11
align A11:I11 center
size A11:I11 12
height 11 22
cell A12 Исправление № —   от —
merge A12:I12
align A12:I12 center
cell A14 Продавец: Государственное бюджетное учреждение «Квелдор»
cell A15 Адрес: 000000, г. Н-ск, ул. Центральная, д. 1
cell A16 ИНН/КПП продавца: 0000000000/000000000
cell A17 Грузоотправитель и его адрес: —
cell A18 К платежно-расчетному документу № ________ от ____________
cell A19 Валюта: наименование, код — Российский рубль, 643
size A12:A25 10

# Rows 20-25: the buyer (program). Rows 26-28: the table; its sums come from the bill (sheet 1, K20).
cell A26 Наименование товара (описание выполненных работ, оказанных услуг)
cell B26 Ед. изм.
cell C26 Кол-во
cell D26 Цена за единицу, руб.
cell E26 Стоимость без налога, руб.
cell F26 В том числе сумма акциза
cell G26 Налоговая ставка
cell H26 Сумма налога, руб.
cell I26 Стоимость с налогом — всего, руб.
bold A26:I26
wrap A26:I26
align A26:I26 center
height 26 56
cell A27 Медицинские услуги, оказанные сотрудникам организации, согласно реестру
wrap A27
cell B27 услуга
cell C27 —
cell D27 —
cell E27 ='Счет'!K20
cell F27 без акциза
cell G27 без НДС
cell H27 —
cell I27 =E27
align B27:D27 center
align F27:H27 center
height 27 28
cell A28 Всего к оплате
cell E28 =E27
cell H28 —
cell I28 =I27
align H28 center
bold A28:I28
format E27:E28 #,##0.00
format I27:I28 #,##0.00
border A26:I28
size A26:I28 10

# Row 30: "Всего к оплате:" and the total in words, written by the program.
merge A30:I30
wrap A30:I30
bold A30:I30
size A30:I30 10
height 30 28
cell A33 Руководитель организации  ______________ /______________________/
cell E33 Главный бухгалтер  ______________ /______________________/
cell A35 М.П.
size A33:E35 10
sheet Накладная
width A 55
width B 12
width C 13
width D 15
width E 8
width F 8
width G 8
fitwidth

# Row 1: "НАКЛАДНАЯ № ..." written by the program.
merge A1:D1
bold A1:D1
align A1:D1 center
size A1:D1 12
height 1 22
cell A3 Поставщик: Государственное бюджетное учреждение «Квелдор»
cell A4 Адрес: 000000, г. Н-ск, ул. Центральная, д. 1, тел. (0000) 00-00-00
cell A5 ИНН/КПП 0000000000/000000000
cell A6 Р/с 00000000000000000000 в ____________________________, БИК 000000000
cell A7 Основание: договор на оказание медицинских услуг № ________ от ____________
bold A3
size A3:A16 10

# Rows 10-15: the buyer (program). Row 17: the table head; the program lists the services from row 18 (A name, B quantity, C price, D =bN*cN) and writes the total, the sum in words and the signatures below them.
cell A16 Оказаны следующие медицинские услуги:
cell A17 Наименование услуги
cell B17 Количество
cell C17 Цена, руб.
cell D17 Сумма, руб.
bold A17:D17
align A17:D17 center
wrap A17:D17
border A17:D17
size A17:D17 10
height 17 18
sheet Акты

# The acts are written whole by the program (one page per person, columns A to E).
width A 22
width B 13
width C 48
width D 17
width E 15
fitwidth
sheet Реестр
width A 5
width B 26
width C 2
width D 17
width E 2
width F 11
width G 8
width H 40
width I 10
width J 6
width K 12
width L 22
landscape
fitwidth
cell A1 Государственное бюджетное учреждение «Квелдор»
size A1 10

# K1 above the program's K2 ("к Договору №...") and K3 ("от ...").
cell K1 Приложение
size K1:K3 10

# D4: the title with the payer, D5: the invoice it belongs to (both written by the program).
merge D4:K4
bold D4:K4
align D4:K4 center
wrap D4:K4
size D4:K4 11
height 4 30
merge D5:K5
align D5:K5 center
size D5:K5 10

# Row 6: the table head; the program lists the persons and their services from row 7.
cell A6 № п/п
cell B6 Фамилия, имя, отчество
cell D6 Направление (№, дата)
cell F6 Дата оказания услуги
cell G6 Код услуги
cell H6 Наименование услуги
cell I6 Цена, руб.
cell J6 Кол-во
cell K6 Сумма, руб.
cell L6 Врач (медсестра)
merge B6:C6
merge D6:E6
bold A6:L6
wrap A6:L6
align A6:L6 center
size A6:L6 10
border A6:L6
height 6 42
