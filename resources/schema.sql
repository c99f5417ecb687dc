-- The database file as a fresh installation has it: first the tables shared by every data
-- area, then, after the line "-- each area", the tables of one data area. That second part is
-- run once per area with {n} replaced by the area number and {current} by 't' for area 1 and
-- 'f' for the others. Text columns compare without regard to case, as the program expects.

CREATE TABLE sjqtab (
    数据区 INTEGER,
    数据区名 TEXT COLLATE NOCASE,
    当前数据区 TEXT COLLATE NOCASE
);

CREATE TABLE bttable (
    考场1 TEXT COLLATE NOCASE,
    考场2 TEXT COLLATE NOCASE,
    学校1 TEXT COLLATE NOCASE,
    班级1 TEXT COLLATE NOCASE,
    分班1 TEXT COLLATE NOCASE,
    分班2 TEXT COLLATE NOCASE
);
INSERT INTO bttable VALUES ('XX学校XX考试', '安排表', 'XX年级XX考试安排表', 'XX考试安排表', 'XX学校XX年级段', '学生名单');

-- each area
INSERT INTO sjqtab VALUES ({n}, '', '{current}');

CREATE TABLE 考生表{n} (
    学校 TEXT COLLATE NOCASE,
    班级 TEXT COLLATE NOCASE,
    姓名 TEXT COLLATE NOCASE,
    性别 TEXT COLLATE NOCASE,
    成绩 DOUBLE,
    考场 DOUBLE,
    考号 DOUBLE,
    座位号 DOUBLE
);

CREATE TABLE 考场表{n} (
    考场号 DOUBLE,
    考生数 DOUBLE,
    考场地点 TEXT COLLATE NOCASE
);

CREATE TABLE 分班数据表{n} (
    学号 TEXT COLLATE NOCASE,
    原学校 TEXT COLLATE NOCASE,
    姓名 TEXT COLLATE NOCASE,
    性别 TEXT COLLATE NOCASE,
    原班级 TEXT COLLATE NOCASE,
    成绩 DOUBLE,
    新分班 DOUBLE
);

CREATE TABLE 设置表{n} (
    项目 TEXT COLLATE NOCASE,
    s1 TEXT COLLATE NOCASE,
    s2 TEXT COLLATE NOCASE
);
INSERT INTO 设置表{n} VALUES ('考号加零', 'buyaokc', ' 1');
INSERT INTO 设置表{n} (项目, s1) VALUES ('考场显示', '1,2,3,4,5,6,7,8');

-- The users; feld2 holds a salted hash of the password, written by the program.
CREATE TABLE usqmtx{n} (
    feld1 TEXT COLLATE NOCASE,
    feld2 TEXT
);
