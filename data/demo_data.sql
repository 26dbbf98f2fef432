-- A demonstration database: a small price list, the departments, three contracts in the register, the
-- services of two paying organisations in the current month, receipts of consumables and the dental
-- prosthetics room's services, so that every window and report has something to show.
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
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'Д', 'B02.976', 'Коронка металлокерамическая', '976', '4500');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'С', 'C01.501', 'Койко-день в стационаре', '501', '2500');
INSERT INTO PRAIS (IDP, SIMV, KOD, NAME, KODGVV, SUMMA) VALUES (NULL, 'П', 'A05.998', 'Оформление медицинской документации', '998', '100');

-- Three contracts in the register, saved as the entry tab saves them (texts, "Нет", DD.MM.YYYY dates, the
-- empty work-order date as 30.12.1899), dated from the day the database is made, so that today's
-- reports have something to show. Contract 1 was paid in two instalments up to its full sum (1100): every
-- row carries the paid-so-far total and the date of the last instalment. Contract 2 (7850) is paid only
-- in part (5000), so the debts list shows it with 2850 still to pay. Contract 3 (5900), paid in full, is
-- the dental prosthetics room's: its material and crown (codes 973 to 981) fill the room's journal. The
-- passport data of contract 1 is written into each of its rows, as the passport window writes it.
--
-- The contract clients' register holds the services of two organisations in the current month (never
-- after the day the database is made), as the contract clients' window saves them, so that the bills
-- and the register of treated persons for this month have lines. The receipts of the consumables came a
-- month before, so the balance report and the room's journal show stock, its use and what is left.
SET TERM ^ ;
EXECUTE BLOCK AS
    DECLARE FUNCTION DAY_TEXT (D DATE) RETURNS VARCHAR(10) AS
    BEGIN
        RETURN LPAD(EXTRACT(DAY FROM D), 2, '0') || '.' || LPAD(EXTRACT(MONTH FROM D), 2, '0') || '.' ||
               EXTRACT(YEAR FROM D);
    END
    -- A day of this month BACK days before today, or the month's first day when that lies in the last month.
    DECLARE FUNCTION THIS_MONTH (BACK INTEGER) RETURNS DATE AS
        DECLARE VARIABLE NOW_DAY DATE;
    BEGIN
        NOW_DAY = CAST('TODAY' AS DATE);
        RETURN MAXVALUE(NOW_DAY - BACK, NOW_DAY - EXTRACT(DAY FROM NOW_DAY) + 1);
    END
    DECLARE VARIABLE FIRST_DAY VARCHAR(10);
    DECLARE VARIABLE FIRST_PAID VARCHAR(10);
    DECLARE VARIABLE SECOND_DAY VARCHAR(10);
    DECLARE VARIABLE SECOND_PAID VARCHAR(10);
    DECLARE VARIABLE THIRD_DAY VARCHAR(10);
    DECLARE VARIABLE THIRD_PAID VARCHAR(10);
    DECLARE VARIABLE RECEIVED VARCHAR(10);
    DECLARE VARIABLE WAYBILL_DAY VARCHAR(10);
    DECLARE VARIABLE MINISTRY VARCHAR(150);
    DECLARE VARIABLE CITY VARCHAR(150);
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

    THIRD_DAY = DAY_TEXT(CAST('TODAY' AS DATE) - 5);
    THIRD_PAID = DAY_TEXT(CAST('TODAY' AS DATE) - 3);
    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Кравцова', 'Ольга', 'Николаевна', '975', :THIRD_DAY, 'Материал пломбировочный', 'B02.975',
            '700', '12:20:05', 'Зайцев Д.С.', 'Зубопротезный кабинет', 'Поликлиника', 2, '3', 'Д',
            :THIRD_PAID, 'Павлова Т.И.', NULL, NULL, NULL, NULL, 'Гусев В.А.', '5900', 'Нет', NULL, '30.12.1899',
            'Нет');
    INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                        TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, SERIA, NOMER, VIDAN, ADRESS, TEHN, CHOPL,
                        PROVER, NOMNAR, DATNAR, DOPOLN)
    VALUES (NULL, 'Кравцова', 'Ольга', 'Николаевна', '976', :THIRD_DAY, 'Коронка металлокерамическая',
            'B02.976', '4500', '12:21:40', 'Зайцев Д.С.', 'Зубопротезный кабинет', 'Поликлиника', 1, '3', 'Д',
            :THIRD_PAID, 'Павлова Т.И.', NULL, NULL, NULL, NULL, 'Гусев В.А.', '5900', 'Нет', NULL, '30.12.1899',
            'Нет');

    RECEIVED = DAY_TEXT(CAST('TODAY' AS DATE) - 30);
    WAYBILL_DAY = DAY_TEXT(CAST('TODAY' AS DATE) - 32);
    INSERT INTO PRIHOD (IDP, DATAP, NOMU, NAME, SUMMA, KOL, KOD, NONAKL, DNAKL)
    VALUES (NULL, :RECEIVED, NULL, 'Материал пломбировочный', '700', 20, '975', '118', :WAYBILL_DAY);
    INSERT INTO PRIHOD (IDP, DATAP, NOMU, NAME, SUMMA, KOL, KOD, NONAKL, DNAKL)
    VALUES (NULL, :RECEIVED, NULL, 'Коронка металлокерамическая', '4500', 6, '976', '118', :WAYBILL_DAY);
    INSERT INTO PRIHOD (IDP, DATAP, NOMU, NAME, SUMMA, KOL, KOD, NONAKL, DNAKL)
    VALUES (NULL, :RECEIVED, NULL, 'Линза интраокулярная', '9500', 5, '973', '121', :WAYBILL_DAY);

    MINISTRY = 'Министерство здравоохранения Н-ской области';
    CITY = 'Администрация города Н-ска';
    INSERT INTO PEOPLECBUX (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                            TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, TEHN, CHOPL, PROVER, NOMNAR, DATANAR,
                            ORGANIS, NOMNAPR, DATNAPR)
    VALUES (NULL, 'Белов', 'Игорь', 'Андреевич', '1', DAY_TEXT(THIS_MONTH(4)),
            'Прием (осмотр, консультация) врача-терапевта первичный', 'A01.001', '450', '09:05:12',
            'Кузнецов И.И.', 'Терапевтический кабинет', 'Поликлиника', 1, NULL, 'П', '30.12.1899',
            'Белова Е.А.', NULL, '0', 'Нет', NULL, '30.12.1899', :MINISTRY, '15', DAY_TEXT(THIS_MONTH(6)));
    INSERT INTO PEOPLECBUX (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                            TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, TEHN, CHOPL, PROVER, NOMNAR, DATANAR,
                            ORGANIS, NOMNAPR, DATNAPR)
    VALUES (NULL, 'Белов', 'Игорь', 'Андреевич', '11', DAY_TEXT(THIS_MONTH(4)), 'Электрокардиография',
            'A04.011', '350', '09:06:40', 'Кузнецов И.И.', 'Терапевтический кабинет', 'Поликлиника', 1, NULL,
            'П', '30.12.1899', 'Белова Е.А.', NULL, '0', 'Нет', NULL, '30.12.1899', :MINISTRY, '15',
            DAY_TEXT(THIS_MONTH(6)));
    INSERT INTO PEOPLECBUX (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                            TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, TEHN, CHOPL, PROVER, NOMNAR, DATANAR,
                            ORGANIS, NOMNAPR, DATNAPR)
    VALUES (NULL, 'Громова', 'Елена', 'Павловна', '10', DAY_TEXT(THIS_MONTH(2)),
            'Ультразвуковое исследование органов брюшной полости', 'A03.010', '1200', '10:30:00',
            'Соколова А.В.', 'Кабинет УЗИ', 'Поликлиника', 1, NULL, 'П', '30.12.1899', 'Орлова Н.П.', NULL,
            '0', 'Нет', NULL, '30.12.1899', :MINISTRY, '16', DAY_TEXT(THIS_MONTH(6)));
    INSERT INTO PEOPLECBUX (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                            TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, TEHN, CHOPL, PROVER, NOMNAR, DATANAR,
                            ORGANIS, NOMNAPR, DATNAPR)
    VALUES (NULL, 'Тихонов', 'Сергей', 'Олегович', '301', DAY_TEXT(THIS_MONTH(3)),
            'Рентгенография органов грудной клетки', 'A06.301', '800', '11:15:30', 'Кузнецов И.И.',
            'РЕНТГЕНОЛОГИЧЕСКОЕ ОТДЕЛЕНИЕ', 'Поликлиника', 1, NULL, 'П', '30.12.1899', 'Белова Е.А.', NULL, '0',
            'Нет', NULL, '30.12.1899', :CITY, '7', DAY_TEXT(THIS_MONTH(5)));
    INSERT INTO PEOPLECBUX (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, SUMMA, TIME_US, FIOV, OTDELENIE,
                            TIP_POM, KOL, NDOG, SIMV, DATAISP, MEDSESTR, TEHN, CHOPL, PROVER, NOMNAR, DATANAR,
                            ORGANIS, NOMNAPR, DATNAPR)
    VALUES (NULL, 'Тихонов', 'Сергей', 'Олегович', '2', DAY_TEXT(THIS_MONTH(1)),
            'Прием (осмотр, консультация) врача-терапевта повторный', 'A01.002', '300', '11:40:08',
            'Кузнецов И.И.', 'Терапевтический кабинет', 'Поликлиника', 1, NULL, 'П', '30.12.1899',
            'Белова Е.А.', NULL, '0', 'Нет', NULL, '30.12.1899', :CITY, '7', DAY_TEXT(THIS_MONTH(5)));
END^
SET TERM ; ^
