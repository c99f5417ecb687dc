#pragma once

#include "support/ScriptedPrompts.h"
#include "support/TestAppDir.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>

class Grid;
class frmDocument;
class frmMain;

// A fresh data file with the rooms 1 to 5, a logged-in user and a main window to open the
// documents in. Each test writes the examinees it needs; the reports are checked through the
// document they return.
class StatisticsFixture : public testing::Test {
protected:
    StatisticsFixture();
    ~StatisticsFixture() override;

    void AddExaminee(const QVariant &school, const QVariant &className, const QVariant &name, const QVariant &gender,
        const QVariant &room, const QVariant &number);
    // Runs SQL on the data file directly.
    void Execute(const QString &sql, const QVariantList &params = {});
    // The main window, made on first use (after the test's data, so its menus hold them).
    frmMain &Window();
    int OpenDocuments();

    // Row 0 from column 1 on, and one row of `grid` from column 1 on.
    static QStringList Headers(Grid &grid);
    static QStringList Row(Grid &grid, int row);
    static QStringList ReportTitleTexts(Grid &grid);
    // Whether the columns fit between the side margins of the paper.
    static bool FitsOneSheet(Grid &grid);
    static QString TitleBox(frmDocument &document);

    QTemporaryDir settingsDir;
    TestAppDir app;
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> window;
};
