# Договор на оказание платных медицинских услуг в стационаре (stac.xlsx).
# The program writes: A1 the contract line, I2 the date in words, A6 the patient's full name,
# the services from row 13 (A number, B name, I quantity, J price, K =iN*jN; or one line
# "Услуги зубопротезирования" with the total in K), "Итого" in A and =sum(k13:k.. in K on the row after
# the last service, A41 the end of clause 3.1 with the amount in words, and the passport and signature
# lines in G50, G51, G52, G55, G56. Those cells stay empty here. The table has 10 ruled lines
# (rows 13-22); with more services the program inserts lines into it and everything below moves down.
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
height 3 6
cell A4 Государственное бюджетное учреждение «Квелдор» (лицензия на осуществление медицинской деятельности № ЛО-00-00-000000 от «__» ________ 20__ г.), именуемое в дальнейшем «Исполнитель», в лице начальника ______________________________, действующего на основании Устава, с одной стороны, и гражданин(ка)
merge A4:L4
wrap A4:L4
size A4:L4 10
height 4 42.6
height 5 6

# Row 6: the patient's full name, written by the program into A6.
merge A6:L6
bold A6:L6
align A6:L6 center
size A6:L6 11
height 6 18
cell A7 (фамилия, имя, отчество пациента)
merge A7:L7
align A7:L7 center
size A7:L7 8
cell A8 именуемый(ая) в дальнейшем «Пациент», с другой стороны, вместе именуемые «Стороны», заключили настоящий договор о нижеследующем:
merge A8:L8
wrap A8:L8
size A8:L8 10
height 8 29.4
cell A9 1. ПРЕДМЕТ ДОГОВОРА
merge A9:L9
wrap A9:L9
bold A9:L9
align A9:L9 center
size A9:L9 10
height 9 20.2
cell A10 1.1. Исполнитель обязуется оказать Пациенту платные медицинские услуги в условиях круглосуточного или дневного стационара, а Пациент обязуется оплатить их по ценам прейскуранта Исполнителя.
merge A10:L10
wrap A10:L10
size A10:L10 10
height 10 29.4
cell A11 1.2. Перечень и стоимость медицинских услуг:
merge A11:L11
wrap A11:L11
size A11:L11 10
height 11 16.2

# Table of services: head on row 12; the program writes the services from row 13 (A number, B name, I quantity, J price, K =i*j) and then "Итого" in A with =sum(k..) in K. B:H and K:L are merged on every line.
cell A12 № п/п
cell B12 Наименование медицинской услуги
merge B12:H12
cell I12 Кол-во
cell J12 Цена, руб.
cell K12 Сумма, руб.
merge K12:L12
bold A12:L12
wrap A12:L12
align A12:L12 center
size A12:L12 10
height 12 28
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
merge B20:H20
merge K20:L20
height 20 27
merge B21:H21
merge K21:L21
height 21 27
merge B22:H22
merge K22:L22
height 22 27
wrap B13:H22
size A13:L22 10
align A13:A22 center
align I13:I22 center
format J13:L22 #,##0.00
border A12:L22
cell A24 2. ОБЯЗАННОСТИ И ПРАВА СТОРОН
merge A24:L24
wrap A24:L24
bold A24:L24
align A24:L24 center
size A24:L24 10
height 24 20.2
cell A25 2.1. Исполнитель обязуется:
merge A25:L25
wrap A25:L25
size A25:L25 10
height 25 16.2
cell A26 2.1.1. Обеспечить Пациенту медицинскую помощь в условиях стационара (дневного стационара) надлежащего качества в соответствии с порядками оказания медицинской помощи и стандартами медицинской помощи.
merge A26:L26
wrap A26:L26
size A26:L26 10
height 26 29.4
cell A27 2.1.2. Предоставить Пациенту бесплатно, в доступной форме, информацию о диагнозе, методах лечения, связанном с ними риске, возможных вариантах медицинского вмешательства и их последствиях.
merge A27:L27
wrap A27:L27
size A27:L27 10
height 27 29.4
cell A28 2.1.3. Соблюдать врачебную тайну и обеспечивать конфиденциальность персональных данных Пациента.
merge A28:L28
wrap A28:L28
size A28:L28 10
height 28 16.2
cell A29 2.1.4. Обеспечить Пациента питанием, лекарственными препаратами и медицинскими изделиями, необходимыми для лечения, в пределах стоимости услуг по настоящему договору.
merge A29:L29
wrap A29:L29
size A29:L29 10
height 29 29.4
cell A30 2.1.5. При выписке выдать Пациенту выписку из медицинской карты стационарного больного.
merge A30:L30
wrap A30:L30
size A30:L30 10
height 30 16.2
cell A31 2.2. Пациент обязуется:
merge A31:L31
wrap A31:L31
size A31:L31 10
height 31 16.2
cell A32 2.2.1. Оплатить медицинские услуги в порядке и в размере, установленных разделом 3 настоящего договора.
merge A32:L32
wrap A32:L32
size A32:L32 10
height 32 16.2
cell A33 2.2.2. Сообщить лечащему врачу известные ему сведения о состоянии своего здоровья, перенесенных заболеваниях и аллергических реакциях.
merge A33:L33
wrap A33:L33
size A33:L33 10
height 33 29.4
cell A34 2.2.3. Выполнять назначения лечащего врача, соблюдать режим лечения и правила внутреннего распорядка для пациентов стационара.
merge A34:L34
wrap A34:L34
size A34:L34 10
height 34 29.4
cell A35 2.2.4. Бережно относиться к имуществу Исполнителя; ущерб, причиненный по вине Пациента, возмещается им в установленном порядке.
merge A35:L35
wrap A35:L35
size A35:L35 10
height 35 29.4
cell A36 2.3. Пациент вправе:
merge A36:L36
wrap A36:L36
size A36:L36 10
height 36 16.2
cell A37 2.3.1. Получать информацию о ходе лечения и квалификации медицинских работников.
merge A37:L37
wrap A37:L37
size A37:L37 10
height 37 16.2
cell A38 2.3.2. Отказаться от лечения, оплатив Исполнителю фактически оказанные услуги.
merge A38:L38
wrap A38:L38
size A38:L38 10
height 38 16.2
cell A39 3. СТОИМОСТЬ УСЛУГ И ПОРЯДОК ОПЛАТЫ
merge A39:L39
wrap A39:L39
bold A39:L39
align A39:L39 center
size A39:L39 10
height 39 20.2
cell A40 3.1. Стоимость медицинских услуг определяется прейскурантом Исполнителя. Оплата по настоящему договору производится Пациентом в кассу Исполнителя при поступлении в стационар
merge A40:L40
wrap A40:L40
size A40:L40 10
height 40 29.4

# Row 41: the end of clause 3.1 with the amount in words, written by the program.
merge A41:L41
wrap A41:L41
size A41:L41 10
height 41 29.4
cell A42 3.2. При увеличении объема услуг по медицинским показаниям доплата производится по отдельному договору; при досрочной выписке стоимость неоказанных услуг возвращается Пациенту.
merge A42:L42
wrap A42:L42
size A42:L42 10
height 42 29.4
cell A43 4. ОТВЕТСТВЕННОСТЬ СТОРОН
merge A43:L43
wrap A43:L43
bold A43:L43
align A43:L43 center
size A43:L43 10
height 43 20.2
cell A44 4.1. За неисполнение или ненадлежащее исполнение обязательств Стороны несут ответственность в соответствии с законодательством Российской Федерации; споры разрешаются путем переговоров, а при недостижении согласия — в судебном порядке.
merge A44:L44
wrap A44:L44
size A44:L44 10
height 44 29.4
cell A45 5. СРОК ДЕЙСТВИЯ ДОГОВОРА
merge A45:L45
wrap A45:L45
bold A45:L45
align A45:L45 center
size A45:L45 10
height 45 20.2
cell A46 5.1. Договор вступает в силу с момента подписания и действует до выписки Пациента и окончательных расчетов. Договор составлен в двух экземплярах, по одному для каждой из Сторон.
merge A46:L46
wrap A46:L46
size A46:L46 10
height 46 29.4
cell A47 6. АДРЕСА, РЕКВИЗИТЫ И ПОДПИСИ СТОРОН
merge A47:L47
wrap A47:L47
bold A47:L47
align A47:L47 center
size A47:L47 10
height 47 20.2
cell A48 Исполнитель:
cell G48 Пациент:
bold A48:L48
size A48:L48 10

# Left: the Executor's details. Right: the program writes the passport series and number (G50), issuer (G51), address (G52), the signature line (G55) and its caption (G56).
cell A49 Государственное бюджетное учреждение «Квелдор»
merge A49:F49
wrap A49:F49
size A49:F49 10
cell A50 Адрес: 000000, г. Н-ск, ул. Центральная, д. 1, тел. (0000) 00-00-00
merge A50:F50
wrap A50:F50
size A50:F50 10
cell A51 ИНН 0000000000 / КПП 000000000
merge A51:F51
wrap A51:F51
size A51:F51 10
cell A52 Л/с 00000000000, р/с 00000000000000000000
merge A52:F52
wrap A52:F52
size A52:F52 10
cell A53 Банк: ____________________, БИК 000000000
merge A53:F53
wrap A53:F53
size A53:F53 10
cell A54 Начальник
merge A54:F54
wrap A54:F54
size A54:F54 10
cell A55  ____________________/______________________/
merge A55:F55
wrap A55:F55
size A55:F55 10
cell A56 М.П.            подпись                            расшифровка
merge A56:F56
wrap A56:F56
size A56:F56 8
bold A49
merge G50:L50
wrap G50:L50
size G50:L50 10
merge G51:L51
wrap G51:L51
size G51:L51 10
merge G52:L52
wrap G52:L52
size G52:L52 10
merge G55:L55
wrap G55:L55
size G55:L55 10
merge G56:L56
wrap G56:L56
size G56:L56 8
height 50 27
height 51 27
height 52 27
height 55 24
