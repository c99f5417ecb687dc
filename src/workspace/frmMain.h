#pragma once

#include "datastore/RoomPlaces.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QString>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class frmDocument;

// The main window: menus, status bar and the area in which every result opens as a document
// window. It owns the commands that act on the active document (open, save, preview, the
// editing commands) and the page layouts of the lists; the list and statistics commands live in
// their own folders and are wired to the menus from outside (see MenuArrayClicked and Command).
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs its Load handler (Form_Load). Sets gMainForm.
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The active document window; nullptr when no child window is open or the active child is
    // not a document. Every caller checks for nullptr and then does nothing.
    frmDocument *ActiveForm() const;
    QMdiArea *MdiArea() const { return m_mdiArea; }

    // Opens a new, empty document window that becomes the active one (ActiveForm), and returns
    // it: a producer keeps it and hands it down.
    frmDocument *LoadNewDoc();
    int DocumentCount() const { return m_docCount; }
    // Opens a new, empty document window captioned "文档" & `number` and makes it the active one.
    frmDocument *OpenDocument(int number);

    // Print layouts of the examinee lists, applied to the active document after its grid has
    // been filled and rewritten. LayoutRoomList adds `secondTitle` only when `mode` is "b".
    void LayoutExamineeList();
    void LayoutRoomList(const QString &secondTitle, const QString &mode);
    // Reads the current area's room table into gRoomPlaces, from an empty map every time.
    void LoadRoomPlaces();

    // The browse menus below their fixed item 0, rebuilt from the current area's tables.
    void FillExamRoomAndClassMenus();
    void FillSchoolMenu();
    void FillStatSchoolMenu();
    // Recounts mRoomCount: the rows of the current room table whose first field is not Null.
    void CountRooms();
    // Writes the current data area into the first status-bar panel.
    void ShowCurrentArea();
    // Everything that follows the data of the current area: browse menus, room count and the
    // status bar. Run after an import, an arrangement or a change of data area.
    void RefreshAreaData();

    // The menu arrays "gkc" (by room), "gbj" (by class), "gxx" (by school) and "tjschoo"
    // (statistics by school). Item 0 is the fixed item ("全部考场", "全部班级", "全部学校",
    // "学校") and carries no data. Items from 1 on carry their values in data(), never to be
    // re-parsed from the caption:
    //   gkc      the room number as 考场号 holds it (a double)
    //   gbj      QVariantList{school, class}, each as the examinee table holds it
    //   gxx      the school
    //   tjschoo  the school
    // MenuItem returns nullptr for an unknown array or index.
    QAction *MenuItem(const QString &array, int index) const;
    int MenuItemCount(const QString &array) const;
    // Any menu command by its object name ("qzkh", "jinjtj", "mnuSave", ...); nullptr if none.
    QAction *Command(const QString &name) const;

    // Rows of the current room table with a room number, counted at load and after each import.
    int mRoomCount = 0;

signals:
    // An item of a menu array was chosen; `index` 0 is the fixed item.
    void MenuArrayClicked(const QString &array, int index);
    // The current area's tables have changed (an import, another data area): windows that
    // show them read them again.
    void AreaDataChanged();

public slots:
    void mnuLogin_Click();
    void mnuImportExam_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuDirectPrint_Click();
    void mnuPrintPreview_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuMerge_Click();
    void mnuUnMerge_Click();
    void mnuInsertRows_Click();
    void mnuInsertCols_Click();
    void mnuDeleteByRow_Click();
    void mnuDeleteByCol_Click();
    void mnufileHelp_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildArrangementMenu();
    void BuildInformationMenu();
    QAction *AddCommand(QMenu *menu, const QString &caption, const QString &name, bool enabled = true);
    QMenu *AddArray(QMenu *parent, const QString &caption, const QString &array, const QString &fixedCaption);
    void ClearArray(const QString &array);
    // The array's items below item 0 anew, one per value, captioned with its text.
    void FillArray(const QString &array, const QVariantList &values);
    void AppendArrayItem(const QString &array, const QString &caption, const QVariant &data);
    void RestorePlacement();
    void SavePlacement();

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    QHash<QString, QMenu *> m_arrayMenus;
    QHash<QString, QList<QAction *>> m_arrays;
    int m_docCount = 0;
};

// The main window instance.
extern frmMain *gMainForm;
// The room locations that LoadRoomPlaces read last.
extern datastore::RoomPlaces gRoomPlaces;
