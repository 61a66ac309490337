-- The tag master M_TAG of the sibling reporting product's database
-- ER_Database/Repbook.mdb (an SQLite file on this platform).  Masterio's CSV
-- import writes it; a site without the reporting product makes the file with
--   sqlite3 ER_Database/Repbook.mdb < repbook.sql
CREATE TABLE M_TAG (
    TAG           TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "tag名称"      TEXT,
    "Yukoflg桁"    TEXT,
    "最大値"       REAL,
    "最小値"       REAL,
    "大項目NO"     INTEGER,
    "中項目NO"     INTEGER,
    "小項目NO"     INTEGER,
    "単位NO"       INTEGER,
    "収集種別"     INTEGER,
    "TOTAL_FLG"   TEXT,
    "AVE_FLG"     TEXT,
    "MAX_FLG"     TEXT,
    "MIN_FLG"     TEXT,
    "種別"         INTEGER,
    "P種別"        INTEGER,
    "パルスMAX"    TEXT,
    "換算係数"     REAL,
    "A"           TEXT,
    "B"           TEXT,
    "C"           TEXT,
    "D"           TEXT,
    "E"           TEXT,
    "F"           TEXT,
    "CALC"        TEXT
);
