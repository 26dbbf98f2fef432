# Информированное добровольное согласие пациента на получение платных медицинских услуг (soglas.xlsx).
# The program writes: A2 and G5 the date in words, B7 and B20 the patient's full name, A15 the printed
# services separated by ", ", B23 the department and F24 the doctor. Those cells stay empty here.
sheet Согласие
width A 12
width B 10
width C 10
width D 10
width E 10
width F 12
width G 10
width H 10
width I 10
width J 10
fitwidth

# Rows 1-2: the contract this consent belongs to; the date in words goes to A2.
cell A1 Приложение к договору на оказание платных медицинских услуг от
merge A1:J1
align A1:J1 right
size A1:J1 9
merge A2:J2
align A2:J2 right
size A2:J2 9
cell A3 ИНФОРМИРОВАННОЕ ДОБРОВОЛЬНОЕ СОГЛАСИЕ
merge A3:J3
wrap A3:J3
bold A3:J3
align A3:J3 center
size A3:J3 12
height 3 24.8
cell A4 пациента на получение платных медицинских услуг
merge A4:J4
wrap A4:J4
bold A4:J4
align A4:J4 center
size A4:J4 11
height 4 17.5

# Row 5: the place, and the date in words in G5.
cell A5 г. Н-ск
size A5 10
merge G5:J5
align G5:J5 right
size G5:J5 10
height 5 20

# Row 7: "Я," and the patient's full name in B7.
cell A7 Я,
align A7 right
size A7 10
merge B7:J7
bold B7:J7
size B7:J7 11
height 7 18
cell B8 (фамилия, имя, отчество пациента)
merge B8:J8
align B8:J8 center
size B8:J8 8
cell A9 добровольно обращаюсь в Государственное бюджетное учреждение «Квелдор» (далее — Учреждение) за получением платных медицинских услуг и подтверждаю, что:
merge A9:J9
wrap A9:J9
size A9:J9 10
height 9 29.4
cell A10 1. До заключения договора мне в доступной форме предоставлена информация о возможности получить соответствующие виды и объемы медицинской помощи без взимания платы в рамках программы государственных гарантий бесплатного оказания гражданам медицинской помощи.
merge A10:J10
wrap A10:J10
size A10:J10 10
height 10 42.6
cell A11 2. Я ознакомлен(а) с прейскурантом, порядком и условиями предоставления платных медицинских услуг и правилами внутреннего распорядка Учреждения.
merge A11:J11
wrap A11:J11
size A11:J11 10
height 11 29.4
cell A12 3. Мне разъяснены цели и методы оказания медицинской помощи, связанный с ними риск, возможные варианты медицинского вмешательства, их последствия и предполагаемые результаты.
merge A12:J12
wrap A12:J12
size A12:J12 10
height 12 29.4
cell A13 4. Я предупрежден(а), что несоблюдение указаний (рекомендаций) врача может снизить качество медицинской услуги, повлечь невозможность ее завершения в срок или отрицательно сказаться на состоянии моего здоровья.
merge A13:J13
wrap A13:J13
size A13:J13 10
height 13 29.4
cell A14 5. Я даю согласие на оказание мне следующих платных медицинских услуг:
merge A14:J14
wrap A14:J14
size A14:J14 10
height 14 16.2

# Row 15: the services of the contract, written by the program into A15.
merge A15:J15
wrap A15:J15
bold A15:J15
size A15:J15 10
border A15:J15
height 15 54
cell A16 6. Я согласен(на) на обработку моих персональных данных в целях оказания медицинских услуг, ведения медицинской документации и расчетов за оказанные услуги.
merge A16:J16
wrap A16:J16
size A16:J16 10
height 16 29.4
cell A17 7. Мне разъяснено мое право отказаться от медицинского вмешательства или потребовать его прекращения, а также возможные последствия такого отказа.
merge A17:J17
wrap A17:J17
size A17:J17 10
height 17 29.4
cell A18 Настоящее согласие дано мной добровольно и подписано после ознакомления с его содержанием.
merge A18:J18
wrap A18:J18
size A18:J18 10
height 18 16.2

# Row 20: the patient's full name in B20 and the signature.
cell A20 Пациент:
bold A20
size A20 10
merge B20:F20
size B20:F20 10
cell G20 ________________ (подпись)
merge G20:J20
align G20:J20 right
size G20:J20 10
height 20 20
cell A22 Медицинский работник, разъяснивший условия оказания медицинских услуг:
merge A22:J22
size A22:J22 10

# Row 23: the department in B23. Row 24: the doctor in F24.
cell A23 Отделение:
size A23 10
merge B23:J23
size B23:J23 10
height 23 18
cell A24 Лечащий врач (фамилия, инициалы):
merge A24:E24
align A24:E24 right
size A24:E24 10
merge F24:H24
size F24:H24 10
cell I24 __________ (подпись)
merge I24:J24
align I24:J24 right
size I24:J24 10
height 24 20
