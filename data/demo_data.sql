-- A small price list, the departments and two contracts in the register for a demonstration database.
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Кабинет гинеколога', '1');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Кабинет хирурга', '2');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Процедурный кабинет', '3');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Терапевтический кабинет', '4');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Зубопротезный кабинет', '5');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Стоматологический кабинет (терапия)', '6');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Кабинет УЗИ', '7');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Терапевтическое отделение', '8');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Кардиологическое отделение', '9');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'МИКРОХИРУРГИЧЕСКОЕ ОТДЕЛЕНИЕ (ГЛАЗА) №1  (МХГ №1)', '10');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'Офтальмологический кабинет общий (врач)', '11');
INSERT INTO OTDEL (ID_O, NAME, KOD) VALUES (NULL, 'РЕНТГЕНОЛОГИЧЕСКОЕ ОТДЕЛЕНИЕ', '12');

INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A01.001', 'Прием (осмотр, консультация) врача-терапевта первичный', '1', '450');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A01.002', 'Прием (осмотр, консультация) врача-терапевта повторный', '2', '300');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A02.003', 'Прием врача-хирурга первичный', '3', '500');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A03.010', 'Ультразвуковое исследование органов брюшной полости', '10', '1200');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A04.011', 'Электрокардиография', '11', '350');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.027', 'Исследование остроты зрения', '27', '150');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.028', 'Тонометрия глаза', '28', '200');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.029', 'Прием врача-офтальмолога первичный', '29', '600');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.030', 'Биомикроскопия глаза', '30', '250');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.031', 'Офтальмоскопия', '31', '250');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.032', 'Периметрия', '32', '300');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A06.301', 'Рентгенография органов грудной клетки', '301', '800');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'Д', 'B01.973', 'Линза интраокулярная', '973', '9500');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'Д', 'B02.975', 'Материал пломбировочный', '975', '700');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'С', 'C01.501', 'Койко-день в стационаре', '501', '2500');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.998', 'Оформление медицинской документации', '998', '100');

-- Two contracts in the register, saved as the entry tab saves them (texts, "Нет", DD.MM.YYYY dates, the
-- empty work-order date as 30.12.1899) and dated from the day the database is made, so that today's
-- reports have something to show. Contract 1 was paid in two instalments up to its full sum (1100): every
-- row carries the paid-so-far total and the date of the last instalment. Contract 2 (7850) is paid only
-- in part (5000), so the debts list shows it with 2850 still to pay. The passport data of contract 1 is
-- written into each of its rows, as the passport window writes it.
SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE FUNCTION DAY_TEXT (D DATE) RETURNS VARCHAR(10) AS
    BEGIN
        RETURN LPAD(EXTRACT(DAY FROM D), 2, '0') || '.' || LPAD(EXTRACT(MONTH FROM D), 2, '0') || '.' ||
               EXTRACT(YEAR FROM D);
    END
    DECLARE VARIABLE FIRST_DAY VARCHAR(10);
    DECLARE VARIABLE FIRST_PAID VARCHAR(10);
    DECLARE VARIABLE SECOND_DAY VARCHAR(10);
    DECLARE VARIABLE SECOND_PAID VARCHAR(10);
BEGIN
    FIRST_DAY = DAY_TEXT(CAST('TODAY' AS DATE) - 14);
    FIRST_PAID = DAY_TEXT(CAST('TODAY' AS DATE) - 7);
    SECOND_DAY = DAY_TEXT(CAST('TODAY' AS DATE) - 2);
    SECOND_PAID = DAY_TEXT(CAST('TODAY' AS DATE) - 1);

    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Иванов', 'Петр', 'Сергеевич', '29', :FIRST_DAY, 'Прием врача-офтальмолога первичный',
            'A05.029', '600', '10:15:04', 'Соколова А.В.', 'Офтальмологический кабинет общий (врач)',
            'Поликлиника', 1, '1', 'П', :FIRST_PAID, 'Орлова Н.П.', '4509', '123456',
            'ОВД Центрального района', 'ул. Ленина, д. 1, кв. 5', NULL, '1100', 'Нет', NULL, '30.12.1899',
            'Нет');
    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Иванов', 'Петр', 'Сергеевич', '28', :FIRST_DAY, 'Тонометрия глаза', 'A05.028', '200',
            '10:16:21', 'Соколова А.В.', 'Офтальмологический кабинет общий (врач)', 'Поликлиника', 1, '1',
            'П', :FIRST_PAID, 'Орлова Н.П.', '4509', '123456', 'ОВД Центрального района',
            'ул. Ленина, д. 1, кв. 5', NULL, '1100', 'Нет', NULL, '30.12.1899', 'Нет');
    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Иванов', 'Петр', 'Сергеевич', '32', :FIRST_DAY, 'Периметрия', 'A05.032', '300',
            '10:17:45', 'Соколова А.В.', 'Офтальмологический кабинет общий (врач)', 'Поликлиника', 1, '1',
            'П', :FIRST_PAID, 'Орлова Н.П.', '4509', '123456', 'ОВД Центрального района',
            'ул. Ленина, д. 1, кв. 5', NULL, '1100', 'Нет', NULL, '30.12.1899', 'Нет');

    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Смирнова', 'Анна', 'Викторовна', '501', :SECOND_DAY, 'Койко-день в стационаре', 'C01.501',
            '2500', '11:02:10', 'Кузнецов И.И.', 'Терапевтическое отделение', 'Стационар', 3, '2', 'С',
            :SECOND_PAID, 'Белова Е.А.', NULL, NULL, NULL, NULL, NULL, '5000', 'Нет', NULL, '30.12.1899', 'Нет');
    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Смирнова', 'Анна', 'Викторовна', '11', :SECOND_DAY, 'Электрокардиография', 'A04.011',
            '350', '11:03:37', 'Кузнецов И.И.', 'Терапевтическое отделение', 'Стационар', 1, '2', 'П',
            :SECOND_PAID, 'Белова Е.А.', NULL, NULL, NULL, NULL, NULL, '5000', 'Нет', NULL, '30.12.1899', 'Нет');
END^
SET TERM ; ^
