#pragma once

#include "db/Database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A fresh database file in a temporary folder, with a small examinee table declared the way
// the import declares one (REAL numbers, TEXT COLLATE NOCASE texts).
class DbFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db.Open(path(), true);
        m_db.Execute(
            "CREATE TABLE 考生表1 (学校 TEXT COLLATE NOCASE, 班级 TEXT COLLATE NOCASE, "
            "姓名 TEXT COLLATE NOCASE, 性别 TEXT COLLATE NOCASE, 成绩 REAL, 考场 REAL, 考号 REAL, 座位号 REAL)");
    }

    QString path() const { return m_dir.filePath("sujuf.mdb"); }

    void addExaminee(const QString &school, const QString &klass, const QString &name, const QString &sex, double room,
        double number)
    {
        m_db.Execute(
            "INSERT INTO 考生表1 (学校, 班级, 姓名, 性别, 成绩, 考场, 考号, 座位号) VALUES (?, ?, ?, ?, 80.5, ?, ?, 1)",
            { school, klass, name, sex, room, number });
    }

    // The rows of a query, each row's values as the program shows them, joined with "|".
    QStringList rows(const QString &sql, const QVariantList &params = {})
    {
        db::Recordset rs = m_db.OpenRecordset(sql, params);
        QStringList out;
        for (; !rs.EOF(); rs.MoveNext()) {
            QStringList cells;
            for (int i = 0; i < rs.FieldCount(); ++i)
                cells.append(db::VbText(rs.Fields(i).Value()));
            out.append(cells.join('|'));
        }
        return out;
    }

    QTemporaryDir m_dir;
    db::Database m_db;
};
