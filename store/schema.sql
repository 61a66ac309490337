-- The schedule database: six tables.
-- Text columns compare without regard to case; times of day are text
-- "HH:MM:SS" (24-hour, seconds 00); yes/no columns hold -1 (True) or 0 (False);
-- device values are REAL.  TodayTable and NextdayTable keep identical column
-- lists, because the day change copies one into the other with SELECT *.

-- One row per group of devices.
CREATE TABLE GroupMaster (
    GPno     INTEGER NOT NULL PRIMARY KEY,
    GPname   TEXT COLLATE NOCASE NOT NULL UNIQUE,
    YukoFlg  INTEGER NOT NULL DEFAULT 0,
    DelFlg   INTEGER NOT NULL DEFAULT 0
);

-- The weekly master: reservations per group and day code (1..7 Sunday first,
-- 8..11 the special days).
CREATE TABLE Schedule (
    GPno      INTEGER NOT NULL,
    lWeek     INTEGER NOT NULL,
    StartTime TEXT COLLATE NOCASE,
    EndTime   TEXT COLLATE NOCASE
);
CREATE INDEX Schedule_GPno_lWeek ON Schedule (GPno, lWeek);

-- Today's reservations.
CREATE TABLE TodayTable (
    GPno      INTEGER,
    StartTime TEXT COLLATE NOCASE,
    EndTime   TEXT COLLATE NOCASE
);

-- Tomorrow's reservations (same columns as TodayTable).
CREATE TABLE NextdayTable (
    GPno      INTEGER,
    StartTime TEXT COLLATE NOCASE,
    EndTime   TEXT COLLATE NOCASE
);

-- The device (tag) master.
CREATE TABLE KikiMaster (
    TAG        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    KikiName   TEXT COLLATE NOCASE UNIQUE,
    StartValue REAL,
    EndValue   REAL
);

-- The devices of each group with the values written for that group.
CREATE TABLE KikiTable (
    TAG        TEXT COLLATE NOCASE,
    KikiName   TEXT COLLATE NOCASE,
    GPno       INTEGER,
    StartValue REAL,
    EndValue   REAL
);
CREATE INDEX KikiTable_GPno ON KikiTable (GPno);
