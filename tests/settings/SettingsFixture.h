#pragma once

#include "workspace/MainWindowFixture.h"

#include <QStringList>
#include <QVariant>

class Grid;
class shezifrm;

// A logged-in user, the main window with 工具/设置 wired, and the helpers that drive the
// settings window as a user does: clicks on cells, typing, the buttons.
class SettingsFixture : public MainWindowFixture {
public:
    SettingsFixture();
    ~SettingsFixture() override;

    // Writes s1 of the current area's '考场显示' row (a Null QVariant writes Null).
    void StoreSetting(const QVariant &setting);
    QString StoredSetting() const;
    // Runs SQL on the database file directly.
    void Execute(const QString &sql, const QVariantList &params = {});
    void AddExaminee(const QString &school, const QString &className, const QString &name, int room, int number);

    // 工具/设置 as the menu runs it; the open window, or nullptr.
    shezifrm *OpenSettings();
    Grid &Grid1() const;
    // Column `col` of the grid's body rows.
    QStringList GridColumn(int col) const;
    void Click(int row, int col);
    void Type(const QString &text);
    void Key(int key);
    // Lets a closed window go, as the event loop does.
    static void DeliverDeletes();

    shezifrm *settingsWindow = nullptr;
};
