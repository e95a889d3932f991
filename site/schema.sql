-- Format master schema. One file for SQLite and PostgreSQL: identifiers are
-- unquoted and in the normalised writing (full-width katakana, ASCII digits);
-- the loader quotes identifiers that begin with a digit.

CREATE TABLE 区分マスタ (
    区分       VARCHAR(40) NOT NULL,
    区分コード VARCHAR(10) NOT NULL,
    区分名称   VARCHAR(60),
    PRIMARY KEY (区分, 区分コード)
);

CREATE TABLE FL1901項目情報マスタ (
    項目No       INTEGER NOT NULL,
    データ項目名 VARCHAR(60),
    属性         VARCHAR(1),
    長さ         INTEGER,
    小数部長さ   INTEGER,
    PRIMARY KEY (項目No)
);

CREATE TABLE FL1902フォーマット情報マスタ (
    情報区分コード           VARCHAR(10) NOT NULL,
    BPID                     VARCHAR(20) NOT NULL,
    様式識別                 VARCHAR(10),
    シンタックスIDバージョン VARCHAR(10),
    格納モード               VARCHAR(10),
    1バイト文字集合          VARCHAR(10),
    2バイト文字集合          VARCHAR(10),
    ローカル形式             VARCHAR(10),
    XML文字コード            VARCHAR(10),
    PRIMARY KEY (情報区分コード, BPID)
);

CREATE TABLE FL1903レコードフォーマット情報マスタ (
    情報区分コード   VARCHAR(10) NOT NULL,
    BPID             VARCHAR(20) NOT NULL,
    フォーマット種別 VARCHAR(1)  NOT NULL,
    項目通番         INTEGER     NOT NULL,
    対応項目通番     INTEGER,
    レベル番号       INTEGER,
    項目№           INTEGER,
    項目位置         INTEGER,
    項目名称         VARCHAR(60),
    属性             VARCHAR(1),
    長さ             INTEGER,
    小数部長さ       INTEGER,
    マルチ明細番号   VARCHAR(10),
    繰返し数         INTEGER,
    固定項目値       VARCHAR(100),
    変換エラー対処   VARCHAR(10),
    PRIMARY KEY (情報区分コード, BPID, フォーマット種別, 項目通番)
);
