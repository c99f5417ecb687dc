#pragma once

#include "support/ScriptedPrompts.h"
#include "support/TestAppDir.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>

class Grid;
class frmMain;

// A small arranged exam in a fresh application directory, a logged-in user and, once the test
// has written its data, the main window. The lists are then run as the menus run them.
//
// The room table holds rooms 1 to 12 (or as many as AddRooms makes), room n at "楼n"; room 4 is
// a classroom nobody sits in.
class ListFixture : public testing::Test {
protected:
    ListFixture();
    ~ListFixture() override;

    void AddRooms(int first, int last);
    void AddExaminee(const QString &school, const QString &className, const QString &name, const QVariant &room,
        const QVariant &number, const QVariant &seat);
    // Runs SQL on the database file directly.
    void Execute(const QString &sql, const QVariantList &params = {});

    frmMain &OpenWindow();
    // The index of the item of a menu array that carries `data`; -1 when none does.
    int ItemIndex(const QString &array, const QVariant &data) const;

    // The grid and title box of the document the last command opened.
    Grid &Document() const;
    QString TitleBox() const;
    int DocumentCount() const;
    // The texts of column `header` on the examinee rows (1 to Rows − 2).
    QStringList Column(const QString &header) const;
    QStringList Headers() const;
    QStringList ReportTitleTexts() const;

    QTemporaryDir settingsDir;
    TestAppDir app;
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> window;
};
