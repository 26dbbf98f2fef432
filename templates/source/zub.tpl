# Договор на оказание платных медицинских услуг по зубопротезированию (zub.xlsx).
# The program writes: A1 the contract line, I2 the date in words, E4 the patient's full name,
# row 9 (A "1", B "Зубопротезирование по наряду", L the total), row 10 (A "Итого", L =sum(l9:l9),
# A38 clause 3.2 with the amount in words, and the passport and signature lines in G52, G53, G54, G57,
# G58. Those cells stay empty here.
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
cell A7 1.1. Исполнитель обязуется оказать Пациенту платные медицинские услуги по зубопротезированию (изготовление и установка зубных протезов), а Пациент обязуется оплатить их:
merge A7:L7
wrap A7:L7
size A7:L7 10
height 7 29.4

# Table: head on row 8, the one line on row 9 and "Итого" on row 10, both written by the program (A and L).
cell A8 № п/п
cell B8 Наименование медицинской услуги
merge B8:K8
cell L8 Сумма, руб.
bold A8:L8
wrap A8:L8
align A8:L8 center
size A8:L8 10
height 8 28
merge B9:K9
merge B10:K10
size A9:L10 10
align A9 center
bold A10:L10
format L9:L10 #,##0.00
border A8:L10
height 9 18
height 10 18
cell A11 1.2. Виды работ, применяемые материалы, сроки изготовления и стоимость зубных протезов указываются в наряде, который является неотъемлемой частью настоящего договора.
merge A11:L11
wrap A11:L11
size A11:L11 10
height 11 29.4
cell A12 1.3. Срок изготовления протеза устанавливается нарядом и может быть изменен по медицинским показаниям с согласия Пациента.
merge A12:L12
wrap A12:L12
size A12:L12 10
height 12 16.2
cell A13 1.4. Услуги оказываются в зубопротезном кабинете Исполнителя врачом-стоматологом-ортопедом с участием зубного техника.
merge A13:L13
wrap A13:L13
size A13:L13 10
height 13 16.2
cell A14 2. ОБЯЗАННОСТИ И ПРАВА СТОРОН
merge A14:L14
wrap A14:L14
bold A14:L14
align A14:L14 center
size A14:L14 10
height 14 20.2
cell A15 2.1. Исполнитель обязуется:
merge A15:L15
wrap A15:L15
size A15:L15 10
height 15 16.2
cell A16 2.1.1. Провести осмотр полости рта, составить план ортопедического лечения и согласовать его с Пациентом.
merge A16:L16
wrap A16:L16
size A16:L16 10
height 16 16.2
cell A17 2.1.2. Изготовить и установить зубной протез надлежащего качества в сроки, указанные в наряде.
merge A17:L17
wrap A17:L17
size A17:L17 10
height 17 16.2
cell A18 2.1.3. Предоставить Пациенту достоверную информацию о методах протезирования, применяемых материалах, возможных осложнениях и стоимости работ.
merge A18:L18
wrap A18:L18
size A18:L18 10
height 18 29.4
cell A19 2.1.4. Безвозмездно устранять недостатки протеза, выявленные в течение гарантийного срока.
merge A19:L19
wrap A19:L19
size A19:L19 10
height 19 16.2
cell A20 2.1.5. Соблюдать врачебную тайну и обеспечивать конфиденциальность персональных данных Пациента.
merge A20:L20
wrap A20:L20
size A20:L20 10
height 20 16.2
cell A21 2.1.6. Ознакомить Пациента с нарядом до начала работ и выдать ему экземпляр наряда.
merge A21:L21
wrap A21:L21
size A21:L21 10
height 21 16.2
cell A22 2.2. Пациент обязуется:
merge A22:L22
wrap A22:L22
size A22:L22 10
height 22 16.2
cell A23 2.2.1. Оплатить стоимость работ в порядке и в сроки, установленные разделом 3 настоящего договора.
merge A23:L23
wrap A23:L23
size A23:L23 10
height 23 16.2
cell A24 2.2.2. Являться на примерки и приемы в назначенное время. Неявка Пациента более 30 дней дает Исполнителю право перенести сроки изготовления протеза.
merge A24:L24
wrap A24:L24
size A24:L24 10
height 24 29.4
cell A25 2.2.3. Сообщить врачу о перенесенных и имеющихся заболеваниях, аллергических реакциях на лекарственные препараты и материалы.
merge A25:L25
wrap A25:L25
size A25:L25 10
height 25 29.4
cell A26 2.2.4. Соблюдать рекомендации врача по пользованию протезом и уходу за ним, являться на профилактические осмотры не реже одного раза в шесть месяцев.
merge A26:L26
wrap A26:L26
size A26:L26 10
height 26 29.4
cell A27 2.2.5. Своевременно сообщать Исполнителю о неудобствах и дефектах, выявленных при пользовании протезом.
merge A27:L27
wrap A27:L27
size A27:L27 10
height 27 16.2
cell A28 2.3. Пациент вправе:
merge A28:L28
wrap A28:L28
size A28:L28 10
height 28 16.2
cell A29 2.3.1. Получать информацию о ходе лечения, применяемых материалах, квалификации врача и зубного техника.
merge A29:L29
wrap A29:L29
size A29:L29 10
height 29 16.2
cell A30 2.3.2. Отказаться от изготовления протеза на любом этапе, оплатив Исполнителю фактически выполненные работы и израсходованные материалы.
merge A30:L30
wrap A30:L30
size A30:L30 10
height 30 29.4
cell A31 2.3.3. Требовать безвозмездного устранения недостатков протеза в течение гарантийного срока.
merge A31:L31
wrap A31:L31
size A31:L31 10
height 31 16.2
cell A32 2.3.4. Получать сведения о применяемых материалах и документах, подтверждающих их качество.
merge A32:L32
wrap A32:L32
size A32:L32 10
height 32 16.2
cell A34 2.4. Работы, не указанные в наряде, выполняются только с согласия Пациента и оплачиваются дополнительно.
merge A34:L34
wrap A34:L34
size A34:L34 10
height 34 16.2
cell A36 3. СТОИМОСТЬ РАБОТ И ПОРЯДОК РАСЧЕТОВ
merge A36:L36
wrap A36:L36
bold A36:L36
align A36:L36 center
size A36:L36 10
height 36 20.2
cell A37 3.1. Стоимость работ определяется прейскурантом Исполнителя, действующим на дату оформления наряда.
merge A37:L37
wrap A37:L37
size A37:L37 10
height 37 16.2

# Row 38: clause 3.2 with the total in words, written by the program.
merge A38:L38
wrap A38:L38
size A38:L38 10
height 38 29.4
cell A39 3.3. Оплата производится Пациентом в кассу Исполнителя при оформлении наряда; Пациенту выдается документ, подтверждающий оплату.
merge A39:L39
wrap A39:L39
size A39:L39 10
height 39 29.4
cell A40 4. ГАРАНТИЙНЫЕ ОБЯЗАТЕЛЬСТВА
merge A40:L40
wrap A40:L40
bold A40:L40
align A40:L40 center
size A40:L40 10
height 40 20.2
cell A41 4.1. Гарантийный срок на несъемные зубные протезы составляет один год, на съемные — шесть месяцев со дня установки протеза.
merge A41:L41
wrap A41:L41
size A41:L41 10
height 41 16.2
cell A42 4.2. Гарантия не распространяется на поломки протеза вследствие механического повреждения, несоблюдения рекомендаций врача, а также на изменения в полости рта после протезирования.
merge A42:L42
wrap A42:L42
size A42:L42 10
height 42 29.4
cell A43 5. ОТВЕТСТВЕННОСТЬ СТОРОН И СРОК ДЕЙСТВИЯ ДОГОВОРА
merge A43:L43
wrap A43:L43
bold A43:L43
align A43:L43 center
size A43:L43 10
height 43 20.2
cell A44 5.1. За неисполнение или ненадлежащее исполнение обязательств Стороны несут ответственность в соответствии с законодательством Российской Федерации; споры разрешаются путем переговоров, а при недостижении согласия — в судебном порядке.
merge A44:L44
wrap A44:L44
size A44:L44 10
height 44 29.4
cell A45 5.2. Договор вступает в силу с момента подписания, действует до окончания гарантийного срока и составлен в двух экземплярах, по одному для каждой из Сторон.
merge A45:L45
wrap A45:L45
size A45:L45 10
height 45 29.4
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
