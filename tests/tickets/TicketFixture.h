#pragma once

#include "griddata/GridData.h"
#include "support/ScriptedPrompts.h"
#include "support/TestAppDir.h"
#include "tickets/zizhuo.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

class Grid;
class frmMain;
class QComboBox;

// A small arranged exam in a fresh application directory, a logged-in user, the main window
// and the ticket window as the menu opens it. A ticket job's document is copied when its
// preview would show, so tests read what would have been printed.
//
// Rooms 1 to 12 (room n at "楼n"). Examinees are added by the test before OpenWindow.
class TicketFixture : public testing::Test {
public:
    TicketFixture();
    ~TicketFixture() override;

    void AddRooms(int first, int last);
    void AddExaminee(const QString &school, const QString &className, const QString &name, const QVariant &sex,
        const QVariant &room, const QVariant &number, const QVariant &seat);
    void Execute(const QString &sql, const QVariantList &params = {});
    // Three classes of 第一中学 and one of 第二中学: 一班 5 examinees in room 1, 二班 3 in room 2,
    // 三班 1 in room 3, 第二中学 一班 2 in room 3. Exam numbers 101.. in room order.
    void AddSmallExam();

    zizhuo &OpenWindow();
    // Chooses `text` in a list as a user does (the list's Click handler runs).
    void Choose(const QString &combo, const QString &text);
    QComboBox *Combo(const QString &name) const;
    template <typename T> T *Control(const QString &name) const
    {
        T *control = tickets->findChild<T *>(name);
        if (!control)
            throw std::runtime_error("no control " + name.toStdString());
        return control;
    }
    // Presses 确定; returns whether a document was previewed.
    bool RunJob();

    QTemporaryDir settingsDir;
    TestAppDir app;
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> window;
    zizhuo *tickets = nullptr;
    // The last previewed document, and how many previews there were.
    GridData printed;
    int previews = 0;
    int documentsOpenDuringPreview = 0;
};
