#pragma once

#include "datastore/ImportResult.h"

#include <QString>
#include <QTemporaryDir>

// A fresh application directory for one test: while it lives, the program works in a new
// temporary folder with a freshly made database (as on a first start), every shared variable
// of the data store and the exam-number settings starts from its initial value, and nobody is
// logged in. Its destructor resets the shared state again and removes the folder.
//
//     TestAppDir app;                        // fresh database, StartUp already run
//     app.importExam("exam-small.xls");      // Sheet1/Sheet2 of a fixture into the current area
//     app.logIn();                           // as after a successful 文件/登录
class TestAppDir {
public:
    TestAppDir();
    ~TestAppDir();
    TestAppDir(const TestAppDir &) = delete;
    TestAppDir &operator=(const TestAppDir &) = delete;

    // Passwords of a test's data file are hashed with this many iterations, not the real
    // count (LoginTest checks that one).
    static constexpr int kTestHashIterations = 1000;

    QString path() const;
    QString dbPath() const;

    // Imports a workbook of tests/fixtures (or any path) into the current area, as the menu
    // command 导入数据/考场编排数据 does.
    ImportResult importExam(const QString &fixtureOrPath) const;
    // Logs "admin" in without going through the login window.
    void logIn() const;

    // Full path of a file in tests/fixtures.
    static QString fixture(const QString &name);
    // Closes the database and puts every shared variable back to its initial value (the data
    // store's, the exam-number settings, gDocTitle and gRoomPlaces): fixtures call this, never
    // reset globals one by one.
    static void resetSharedState();

private:
    QTemporaryDir m_dir;
};
