-- The workstation's database: dialect 1, default character set WIN1251.
-- Statements end with ";" (with "^" between SET TERM lines), as isql reads them.

CREATE TABLE PRAIS (
    IDP       INTEGER NOT NULL PRIMARY KEY,
    SIMV      VARCHAR(2),
    KOD       VARCHAR(9),
    NAME      VARCHAR(200),
    KODGVV    VARCHAR(5),
    SUMMA     VARCHAR(10)
);

CREATE TABLE OTDEL (
    ID_O      INTEGER NOT NULL PRIMARY KEY,
    NAME      VARCHAR(60),
    KOD       VARCHAR(10)
);

CREATE TABLE PEOPLE (
    IPEOP     INTEGER NOT NULL PRIMARY KEY,
    FAM       VARCHAR(50),
    NAM       VARCHAR(50),
    OTH       VARCHAR(50),
    KODGVV    VARCHAR(5),
    DATA_USL  VARCHAR(10),
    NAME      VARCHAR(200),
    KOD       VARCHAR(9),
    SUMMA     VARCHAR(10),
    TIME_US   VARCHAR(10),
    FIOV      VARCHAR(50),
    OTDELENIE VARCHAR(60),
    TIP_POM   VARCHAR(18),
    KOL       INTEGER,
    NDOG      VARCHAR(6),
    SIMV      VARCHAR(2),
    DATAISP   VARCHAR(10),
    MEDSESTR  VARCHAR(50),
    SERIA     VARCHAR(4),
    NOMER     VARCHAR(15),
    VIDAN     VARCHAR(50),
    ADRESS    VARCHAR(70),
    TEHN      VARCHAR(50),
    CHOPL     VARCHAR(10),
    PROVER    VARCHAR(3),
    NOMNAR    VARCHAR(6),
    DATNAR    VARCHAR(10),
    DOPOLN    VARCHAR(10)
);

CREATE TABLE PEOPLEV (
    IPEOP     INTEGER NOT NULL PRIMARY KEY,
    FAM       VARCHAR(50),
    NAM       VARCHAR(50),
    OTH       VARCHAR(50),
    KODGVV    VARCHAR(5),
    DATA_USL  VARCHAR(10),
    NAME      VARCHAR(200),
    KOD       VARCHAR(9),
    SUMMA     VARCHAR(10),
    TIME_US   VARCHAR(10),
    FIOV      VARCHAR(50),
    OTDELENIE VARCHAR(60),
    TIP_POM   VARCHAR(18),
    KOL       INTEGER,
    NDOG      VARCHAR(6),
    SIMV      VARCHAR(2),
    DATAISP   VARCHAR(10),
    MEDSESTR  VARCHAR(50),
    SERIA     VARCHAR(4),
    NOMER     VARCHAR(15),
    VIDAN     VARCHAR(50),
    ADRESS    VARCHAR(70),
    TEHN      VARCHAR(50),
    CHOPL     VARCHAR(10),
    PROVER    VARCHAR(3),
    NOMNAR    VARCHAR(6),
    DATNAR    VARCHAR(10)
);

CREATE TABLE PEOPLECBUX (
    IPEOP     INTEGER NOT NULL PRIMARY KEY,
    FAM       VARCHAR(50),
    NAM       VARCHAR(50),
    OTH       VARCHAR(50),
    KODGVV    VARCHAR(5),
    DATA_USL  VARCHAR(10),
    NAME      VARCHAR(200),
    KOD       VARCHAR(9),
    SUMMA     VARCHAR(10),
    TIME_US   VARCHAR(10),
    FIOV      VARCHAR(50),
    OTDELENIE VARCHAR(60),
    TIP_POM   VARCHAR(18),
    KOL       INTEGER,
    NDOG      VARCHAR(6),
    SIMV      VARCHAR(2),
    DATAISP   VARCHAR(10),
    MEDSESTR  VARCHAR(50),
    SERIA     VARCHAR(4),
    NOMER     VARCHAR(15),
    VIDAN     VARCHAR(50),
    ADRESS    VARCHAR(70),
    SUMMAO    VARCHAR(10),
    DATAO     VARCHAR(10),
    TEHN      VARCHAR(50),
    CHOPL     VARCHAR(10),
    PROVER    VARCHAR(3),
    NOMNAR    VARCHAR(6),
    DATANAR   VARCHAR(10),
    ORGANIS   VARCHAR(150),
    NOMNAPR   VARCHAR(5),
    DATNAPR   VARCHAR(10)
);

CREATE TABLE PRIHOD (
    IDP       INTEGER NOT NULL PRIMARY KEY,
    DATAP     VARCHAR(10),
    NOMU      VARCHAR(10),
    NAME      VARCHAR(50),
    SUMMA     VARCHAR(10),
    KOL       INTEGER,
    KOD       VARCHAR(5),
    NONAKL    VARCHAR(5),
    DNAKL     VARCHAR(10)
);

-- Keys: the workstation inserts with the key NULL and the database assigns it.
CREATE GENERATOR GEN_PRAIS_ID;
CREATE GENERATOR GEN_OTDEL_ID;
CREATE GENERATOR GEN_PEOPLE_ID;
CREATE GENERATOR GEN_PEOPLEV_ID;
CREATE GENERATOR GEN_PEOPLECBUX_ID;
CREATE GENERATOR GEN_PRIHOD_ID;

-- Register look-ups by contract (contract set, debts) and by date (reports).
CREATE INDEX PEOPLE_NDOG ON PEOPLE (NDOG);
CREATE INDEX PEOPLE_SAVED ON PEOPLE (DATA_USL, TIME_US);
CREATE INDEX PEOPLECBUX_SAVED ON PEOPLECBUX (DATA_USL, TIME_US);
CREATE INDEX PRIHOD_SAVED ON PRIHOD (DATAP, KOD);
CREATE INDEX PEOPLE_FAM ON PEOPLE (FAM);
CREATE INDEX PEOPLECBUX_ORGANIS ON PEOPLECBUX (ORGANIS);
-- The reports find a period of service dates by cast(DATA_USL as date); with this index the server reads
-- only the period's rows instead of casting every row of the register. It also refuses a DATA_USL that is
-- not a date, which would otherwise break every report over the register.
CREATE INDEX PEOPLE_SERVICE_DAY ON PEOPLE COMPUTED BY (CAST(DATA_USL AS DATE));

SET TERM ^ ;

CREATE TRIGGER PRAIS_BI FOR PRAIS ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    IF (NEW.IDP IS NULL) THEN NEW.IDP = GEN_ID(GEN_PRAIS_ID, 1);
END^

CREATE TRIGGER OTDEL_BI FOR OTDEL ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    IF (NEW.ID_O IS NULL) THEN NEW.ID_O = GEN_ID(GEN_OTDEL_ID, 1);
END^

CREATE TRIGGER PEOPLE_BI FOR PEOPLE ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    IF (NEW.IPEOP IS NULL) THEN NEW.IPEOP = GEN_ID(GEN_PEOPLE_ID, 1);
END^

CREATE TRIGGER PEOPLEV_BI FOR PEOPLEV ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    IF (NEW.IPEOP IS NULL) THEN NEW.IPEOP = GEN_ID(GEN_PEOPLEV_ID, 1);
END^

CREATE TRIGGER PEOPLECBUX_BI FOR PEOPLECBUX ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    IF (NEW.IPEOP IS NULL) THEN NEW.IPEOP = GEN_ID(GEN_PEOPLECBUX_ID, 1);
END^

CREATE TRIGGER PRIHOD_BI FOR PRIHOD ACTIVE BEFORE INSERT POSITION 0 AS
BEGIN
    IF (NEW.IDP IS NULL) THEN NEW.IDP = GEN_ID(GEN_PRIHOD_ID, 1);
END^

-- Stock of consumables as of a date (DD.MM.YYYY). One row per code, name and price received up to the
-- date: NKOL is what was received, RKOL what the services register used of that code up to the date,
-- KOLO the balance NKOL - RKOL, SUMM1 the price of one unit.
CREATE PROCEDURE KLINZ (D VARCHAR(10))
RETURNS (KOD1 VARCHAR(5), NAME1 VARCHAR(50), NKOL INTEGER, RKOL INTEGER, SUMM1 VARCHAR(10), KOLO INTEGER)
AS
BEGIN
    FOR SELECT KOD, NAME, SUMMA, SUM(KOL) FROM PRIHOD
        WHERE CAST(DATAP AS DATE) <= CAST(:D AS DATE)
        GROUP BY KOD, NAME, SUMMA
        INTO :KOD1, :NAME1, :SUMM1, :NKOL
    DO BEGIN
        NKOL = COALESCE(NKOL, 0);
        SELECT COALESCE(SUM(KOL), 0) FROM PEOPLE
            WHERE KODGVV = :KOD1 AND CAST(DATA_USL AS DATE) <= CAST(:D AS DATE)
            INTO :RKOL;
        KOLO = NKOL - RKOL;
        SUSPEND;
    END
END^

-- In-patient services of a period for the salary breakdown by department. One row per register row of
-- kind "Стационар" whose service date lies in the period: FIO the patient, NDOG1 the contract,
-- OTD_NAME the department, DATU the service date, SUMMADOG the row's sum (price times quantity), and the
-- same sum again in the column of its kind: LINZ for consumables (codes 973 to 981), OPER for operations,
-- ANST for anaesthesia, KOIK for bed-days (recognised by the service name); 0 elsewhere.
CREATE PROCEDURE ECONOM (D1 VARCHAR(10), D2 VARCHAR(10))
RETURNS (FIO VARCHAR(152), NDOG1 VARCHAR(6), OTD_NAME VARCHAR(60), DATU VARCHAR(10),
         LINZ NUMERIC(15,2), OPER NUMERIC(15,2), SUMMADOG NUMERIC(15,2), ANST NUMERIC(15,2),
         KOIK NUMERIC(15,2))
AS
DECLARE VARIABLE SERVICE VARCHAR(200);
DECLARE VARIABLE CODE VARCHAR(5);
BEGIN
    FOR SELECT COALESCE(FAM, '') || ' ' || COALESCE(NAM, '') || ' ' || COALESCE(OTH, ''), NDOG, OTDELENIE,
               DATA_USL, LOWER(COALESCE(NAME, '')), KODGVV,
               CAST(SUMMA AS NUMERIC(15,2)) * COALESCE(KOL, 0)
        FROM PEOPLE
        WHERE TIP_POM = 'Стационар'
          AND CAST(DATA_USL AS DATE) >= CAST(:D1 AS DATE) AND CAST(DATA_USL AS DATE) <= CAST(:D2 AS DATE)
        INTO :FIO, :NDOG1, :OTD_NAME, :DATU, :SERVICE, :CODE, :SUMMADOG
    DO BEGIN
        LINZ = 0; OPER = 0; ANST = 0; KOIK = 0;
        IF (CODE IN ('973', '974', '975', '976', '977', '978', '979', '980', '981')) THEN LINZ = SUMMADOG;
        ELSE IF (SERVICE CONTAINING 'анестез' OR SERVICE CONTAINING 'наркоз') THEN ANST = SUMMADOG;
        ELSE IF (SERVICE CONTAINING 'койко') THEN KOIK = SUMMADOG;
        ELSE IF (SERVICE CONTAINING 'операц') THEN OPER = SUMMADOG;
        SUSPEND;
    END
END^

-- Staff shares of the ophthalmology services of a period. One row per register row whose department
-- name contains "фтальм" and whose service date lies in the period: DATU, NDOG1, FIO the patient,
-- DOCTOR and MEDSES the doctor's and the nurse's names (empty when nobody of that kind took part),
-- SUMMADOG the row's sum, ZARPL the salary fund of 30 % of it, DDOC the doctor's 70 % of the fund and
-- DMED the nurse's 30 % (the doctor takes the whole fund when no nurse took part, and the reverse).
CREATE PROCEDURE ECONOM_OFT (D1 VARCHAR(10), D2 VARCHAR(10))
RETURNS (DATU VARCHAR(10), NDOG1 VARCHAR(6), FIO VARCHAR(152), DOCTOR VARCHAR(50), MEDSES VARCHAR(50),
         SUMMADOG NUMERIC(15,2), ZARPL NUMERIC(15,2), DMED NUMERIC(15,2), DDOC NUMERIC(15,2))
AS
BEGIN
    FOR SELECT DATA_USL, NDOG, COALESCE(FAM, '') || ' ' || COALESCE(NAM, '') || ' ' || COALESCE(OTH, ''),
               COALESCE(FIOV, ''), COALESCE(MEDSESTR, ''), CAST(SUMMA AS NUMERIC(15,2)) * COALESCE(KOL, 0)
        FROM PEOPLE
        WHERE LOWER(COALESCE(OTDELENIE, '')) CONTAINING 'фтальм'
          AND CAST(DATA_USL AS DATE) >= CAST(:D1 AS DATE) AND CAST(DATA_USL AS DATE) <= CAST(:D2 AS DATE)
        INTO :DATU, :NDOG1, :FIO, :DOCTOR, :MEDSES, :SUMMADOG
    DO BEGIN
        ZARPL = SUMMADOG * 0.3;
        IF (DOCTOR = '') THEN BEGIN DDOC = 0; DMED = ZARPL; END
        ELSE IF (MEDSES = '') THEN BEGIN DDOC = ZARPL; DMED = 0; END
        ELSE BEGIN DDOC = ZARPL * 0.7; DMED = ZARPL - DDOC; END
        SUSPEND;
    END
END^

SET TERM ; ^

-- Outstanding debts by contract: the amount paid so far (CHOPL carries the running total in every row of
-- a contract), the contract sum (price times quantity of its services), what is left to pay, and the
-- date of the last payment or correction (the latest DATAISP).
CREATE VIEW DOLG (DNDOG, DFAM, DNAM, DOTH, DCHOPL, DSUMDOG, DOST, DDATAISP) AS
SELECT NDOG, FAM, NAM, OTH,
       CAST(MAX(CAST(COALESCE(CHOPL, '0') AS NUMERIC(9,2))) AS NUMERIC(9,2)),
       CAST(SUM(CAST(COALESCE(SUMMA, '0') AS NUMERIC(9,2)) * COALESCE(KOL, 0)) AS NUMERIC(9,2)),
       CAST(SUM(CAST(COALESCE(SUMMA, '0') AS NUMERIC(9,2)) * COALESCE(KOL, 0))
            - MAX(CAST(COALESCE(CHOPL, '0') AS NUMERIC(9,2))) AS NUMERIC(9,2)),
       LPAD(EXTRACT(DAY FROM MAX(CAST(DATAISP AS DATE))), 2, '0') || '.' ||
       LPAD(EXTRACT(MONTH FROM MAX(CAST(DATAISP AS DATE))), 2, '0') || '.' ||
       EXTRACT(YEAR FROM MAX(CAST(DATAISP AS DATE)))
FROM PEOPLE
GROUP BY NDOG, FAM, NAM, OTH;
