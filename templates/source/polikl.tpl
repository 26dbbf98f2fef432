# Договор на оказание платных медицинских услуг в поликлинике (polikl.xlsx).
# The program writes: A1 the contract line, I2 the date in words, E4 the patient's full name,
# the services from row 9 (A number, B name, I quantity, J price, K =iN*jN), "Итого" in A and =sum(k9:k..
# in K on the row after the last service, A38 clause 3.2 with the amount in words, and the passport and
# signature lines in G52, G53, G54, G57, G58. Those cells stay empty here. The table has 11 ruled lines
# (rows 9-19); with more services the program inserts lines into it and everything below moves down.
sheet Договор
width A 6
width B 30
width C 6
width D 6
width E 6
width F 6
width G 8
width H 8
width I 8
width J 10
width K 13
width L 13
fitwidth

# Row 1: the contract line; the program replaces it with the contract number of the printed services.
cell A1 Договор N______\nна оказание платных медицинских услуг
merge A1:L1
wrap A1:L1
bold A1:L1
align A1:L1 center
size A1:L1 12
height 1 33

# Row 2: the place on the left, the date in words (written by the program) in I2 on the right.
cell A2 г. Н-ск
size A2 10
merge I2:L2
align I2:L2 right
size I2:L2 10
height 2 18
cell A3 Государственное бюджетное учреждение «Квелдор» (лицензия на осуществление медицинской деятельности № ЛО-00-00-000000 от «__» ________ 20__ г.), именуемое в дальнейшем «Исполнитель», в лице начальника ______________________________, действующего на основании Устава, с одной стороны, и
merge A3:L3
wrap A3:L3
size A3:L3 10
height 3 42.6

# Row 4: the patient's full name goes to E4.
cell A4 гражданин(ка)
merge A4:D4
size A4:D4 10
merge E4:L4
align E4:L4 left
bold E4:L4
size E4:L4 11
height 4 18
cell A5 именуемый(ая) в дальнейшем «Пациент», с другой стороны, вместе именуемые «Стороны», заключили настоящий договор о нижеследующем:
merge A5:L5
wrap A5:L5
size A5:L5 10
height 5 29.4
cell A6 1. ПРЕДМЕТ ДОГОВОРА
merge A6:L6
wrap A6:L6
bold A6:L6
align A6:L6 center
size A6:L6 10
height 6 20.2
cell A7 1.1. Исполнитель обязуется оказать Пациенту платные медицинские услуги в амбулаторно-поликлинических условиях, а Пациент обязуется оплатить их по ценам прейскуранта Исполнителя. Перечень и стоимость услуг:
merge A7:L7
wrap A7:L7
size A7:L7 10
height 7 29.4

# Table of services: head on row 8; the program writes the services from row 9 (A number, B name, I quantity, J price, K =i*j) and then "Итого" in A with =sum(k..) in K. B:H and K:L are merged on every line.
cell A8 № п/п
cell B8 Наименование медицинской услуги
merge B8:H8
cell I8 Кол-во
cell J8 Цена, руб.
cell K8 Сумма, руб.
merge K8:L8
bold A8:L8
wrap A8:L8
align A8:L8 center
size A8:L8 10
height 8 28
merge B9:H9
merge K9:L9
height 9 27
merge B10:H10
merge K10:L10
height 10 27
merge B11:H11
merge K11:L11
height 11 27
merge B12:H12
merge K12:L12
height 12 27
merge B13:H13
merge K13:L13
height 13 27
merge B14:H14
merge K14:L14
height 14 27
merge B15:H15
merge K15:L15
height 15 27
merge B16:H16
merge K16:L16
height 16 27
merge B17:H17
merge K17:L17
height 17 27
merge B18:H18
merge K18:L18
height 18 27
merge B19:H19
merge K19:L19
height 19 27
wrap B9:H19
size A9:L19 10
align A9:A19 center
align I9:I19 center
format J9:L19 #,##0.00
border A8:L19
cell A21 2. ОБЯЗАННОСТИ И ПРАВА СТОРОН
merge A21:L21
wrap A21:L21
bold A21:L21
align A21:L21 center
size A21:L21 10
height 21 20.2
cell A22 2.1. Исполнитель обязуется:
merge A22:L22
wrap A22:L22
size A22:L22 10
height 22 16.2
cell A23 2.1.1. Оказать Пациенту медицинские услуги надлежащего качества в соответствии с порядками оказания медицинской помощи и стандартами медицинской помощи, в сроки, согласованные с Пациентом.
merge A23:L23
wrap A23:L23
size A23:L23 10
height 23 29.4
cell A24 2.1.2. Предоставить Пациенту бесплатно, в доступной форме, достоверную информацию о предоставляемых услугах, их стоимости, методах обследования и лечения, возможных осложнениях и последствиях.
merge A24:L24
wrap A24:L24
size A24:L24 10
height 24 29.4
cell A25 2.1.3. Соблюдать врачебную тайну и обеспечивать конфиденциальность персональных данных Пациента.
merge A25:L25
wrap A25:L25
size A25:L25 10
height 25 16.2
cell A26 2.1.4. По окончании оказания услуг выдать Пациенту медицинские документы (выписки, заключения), отражающие состояние его здоровья.
merge A26:L26
wrap A26:L26
size A26:L26 10
height 26 29.4
cell A27 2.2. Пациент обязуется:
merge A27:L27
wrap A27:L27
size A27:L27 10
height 27 16.2
cell A28 2.2.1. Оплатить стоимость медицинских услуг в порядке и в сроки, установленные разделом 3 настоящего договора.
merge A28:L28
wrap A28:L28
size A28:L28 10
height 28 16.2
cell A29 2.2.2. Сообщить лечащему врачу известные ему сведения о перенесенных заболеваниях, аллергических реакциях и противопоказаниях.
merge A29:L29
wrap A29:L29
size A29:L29 10
height 29 29.4
cell A30 2.2.3. Выполнять назначения и рекомендации лечащего врача, соблюдать правила внутреннего распорядка Исполнителя.
merge A30:L30
wrap A30:L30
size A30:L30 10
height 30 16.2
cell A31 2.2.4. Являться на прием в назначенное время, а о невозможности явки заблаговременно предупреждать Исполнителя.
merge A31:L31
wrap A31:L31
size A31:L31 10
height 31 16.2
cell A32 2.3. Пациент вправе:
merge A32:L32
wrap A32:L32
size A32:L32 10
height 32 16.2
cell A33 2.3.1. Получать информацию о квалификации медицинских работников, ходе лечения и результатах обследования.
merge A33:L33
wrap A33:L33
size A33:L33 10
height 33 16.2
cell A34 2.3.2. Отказаться от получения услуги, оплатив Исполнителю фактически понесенные им расходы.
merge A34:L34
wrap A34:L34
size A34:L34 10
height 34 16.2
cell A36 3. СТОИМОСТЬ УСЛУГ И ПОРЯДОК РАСЧЕТОВ
merge A36:L36
wrap A36:L36
bold A36:L36
align A36:L36 center
size A36:L36 10
height 36 20.2
cell A37 3.1. Стоимость медицинских услуг определяется прейскурантом Исполнителя, действующим на дату заключения настоящего договора.
merge A37:L37
wrap A37:L37
size A37:L37 10
height 37 16.2

# Row 38: clause 3.2 with the total in words, written by the program.
merge A38:L38
wrap A38:L38
size A38:L38 10
height 38 29.4
cell A39 3.3. Оплата производится Пациентом до начала оказания услуг наличными денежными средствами в кассу Исполнителя или безналичным перечислением; Пациенту выдается документ, подтверждающий оплату.
merge A39:L39
wrap A39:L39
size A39:L39 10
height 39 29.4
cell A40 3.4. Услуги, не предусмотренные разделом 1, оказываются только с согласия Пациента и оплачиваются по отдельному договору.
merge A40:L40
wrap A40:L40
size A40:L40 10
height 40 16.2
cell A41 4. ОТВЕТСТВЕННОСТЬ СТОРОН
merge A41:L41
wrap A41:L41
bold A41:L41
align A41:L41 center
size A41:L41 10
height 41 20.2
cell A42 4.1. За неисполнение или ненадлежащее исполнение обязательств по настоящему договору Стороны несут ответственность в соответствии с законодательством Российской Федерации.
merge A42:L42
wrap A42:L42
size A42:L42 10
height 42 29.4
cell A43 4.2. Исполнитель освобождается от ответственности, если неблагоприятный результат вызван несоблюдением Пациентом рекомендаций лечащего врача или особенностями его организма.
merge A43:L43
wrap A43:L43
size A43:L43 10
height 43 29.4
cell A44 4.3. Споры разрешаются путем переговоров, а при недостижении согласия — в судебном порядке.
merge A44:L44
wrap A44:L44
size A44:L44 10
height 44 16.2
cell A45 5. СРОК ДЕЙСТВИЯ ДОГОВОРА
merge A45:L45
wrap A45:L45
bold A45:L45
align A45:L45 center
size A45:L45 10
height 45 20.2
cell A46 5.1. Договор вступает в силу с момента подписания и действует до полного исполнения Сторонами своих обязательств. Договор составлен в двух экземплярах, по одному для каждой из Сторон.
merge A46:L46
wrap A46:L46
size A46:L46 10
height 46 29.4
cell A49 6. АДРЕСА, РЕКВИЗИТЫ И ПОДПИСИ СТОРОН
merge A49:L49
wrap A49:L49
bold A49:L49
align A49:L49 center
size A49:L49 10
height 49 20.2
cell A50 Исполнитель:
cell G50 Пациент:
bold A50:L50
size A50:L50 10

# Left: the Executor's details. Right: the program writes the passport series and number (G52), issuer (G53), address (G54), the signature line (G57) and its caption (G58).
cell A51 Государственное бюджетное учреждение «Квелдор»
merge A51:F51
wrap A51:F51
size A51:F51 10
cell A52 Адрес: 000000, г. Н-ск, ул. Центральная, д. 1, тел. (0000) 00-00-00
merge A52:F52
wrap A52:F52
size A52:F52 10
cell A53 ИНН 0000000000 / КПП 000000000
merge A53:F53
wrap A53:F53
size A53:F53 10
cell A54 Л/с 00000000000, р/с 00000000000000000000
merge A54:F54
wrap A54:F54
size A54:F54 10
cell A55 Банк: ____________________, БИК 000000000
merge A55:F55
wrap A55:F55
size A55:F55 10
cell A56 Начальник
merge A56:F56
wrap A56:F56
size A56:F56 10
cell A57  ____________________/______________________/
merge A57:F57
wrap A57:F57
size A57:F57 10
cell A58 М.П.            подпись                            расшифровка
merge A58:F58
wrap A58:F58
size A58:F58 8
bold A51
merge G52:L52
wrap G52:L52
size G52:L52 10
merge G53:L53
wrap G53:L53
size G53:L53 10
merge G54:L54
wrap G54:L54
size G54:L54 10
merge G57:L57
wrap G57:L57
size G57:L57 10
merge G58:L58
wrap G58:L58
size G58:L58 8
height 52 27
height 53 27
height 54 27
height 57 24
