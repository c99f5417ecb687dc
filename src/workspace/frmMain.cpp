#include "workspace/frmMain.h"

#include "datastore/AppState.h"
#include "datastore/ArrangementTables.h"
#include "datastore/ExamWorkbookImport.h"
#include "db/Conversions.h"
#include "db/Error.h"
#include "gridview/Grid.h"
#include "gridprint/PagePainter.h"
#include "gridprint/PrinterOutput.h"
#include "prompts/Prompts.h"
#include "workspace/LoginGuard.h"
#include "workspace/PrintLayouts.h"
#include "workspace/ReaderProgress.h"
#include "workspace/ScrollingMenuStyle.h"
#include "workspace/WindowPlacement.h"
#include "workspace/frmDocument.h"
#include "workspace/frmLogin.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

#include <optional>

frmMain *gMainForm = nullptr;
datastore::RoomPlaces gRoomPlaces;

namespace {

const QString kHint = QStringLiteral("提示");
const QString kGridFileFilter = QStringLiteral("表格文件 (*.cel)");
const QString kHelpFile = QStringLiteral("qmtxhelp.chm");

// Every command that acts on a document leaves a grid error where it stands, as the commands
// always have: a failing edit changes nothing and says nothing.
// The schools of the current examinee table; none when it cannot be read.
QVariantList Schools()
{
    try {
        return datastore::ArrangementTables::Schools(gExamineeTable);
    } catch (const db::Error &) {
        return {};
    }
}

template <typename Action> void OnActiveGrid(frmMain *main, Action action)
{
    frmDocument *document = main->ActiveForm();
    if (!document)
        return;
    try {
        action(*document->Grid1);
    } catch (const std::exception &) {
    }
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    gMainForm = this;
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    m_statusPanel1 = new QLabel(this);
    m_statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    // It shows the area's name, which is the imported workbook's: never taken for markup.
    m_statusPanel1->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_statusPanel1, 1);
    BuildMenus();
    Form_Load();
}

frmMain::~frmMain()
{
    if (gMainForm == this)
        gMainForm = nullptr;
}

// The start-up has read the titles and the shown columns; the window adds the browse menus, the
// room count, its place and the status bar. No document is open and nobody is logged in.
void frmMain::Form_Load()
{
    RefreshAreaData();
    RestorePlacement();
}

frmDocument *frmMain::ActiveForm() const
{
    // currentSubWindow, not activeSubWindow: the latter is null while another application or
    // a dialog has the focus, and commands must still find their document then.
    QMdiSubWindow *window = m_mdiArea->currentSubWindow();
    if (!window)
        return nullptr;
    return qobject_cast<frmDocument *>(window->widget());
}

frmDocument *frmMain::LoadNewDoc()
{
    return OpenDocument(++m_docCount);
}

frmDocument *frmMain::OpenDocument(int number)
{
    auto *document = new frmDocument;
    document->setWindowTitle(QStringLiteral("文档") + QString::number(number));
    QMdiSubWindow *window = m_mdiArea->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    m_mdiArea->setActiveSubWindow(window);
    document->Grid1->setFocus();
    return document;
}

void frmMain::LayoutExamineeList()
{
    if (frmDocument *document = ActiveForm())
        PrintLayouts::ExamineeList(*document);
}

void frmMain::LayoutRoomList(const QString &secondTitle, const QString &mode)
{
    if (frmDocument *document = ActiveForm())
        PrintLayouts::RoomList(*document, secondTitle, mode);
}

// Starts from an empty map every time, so that nothing of an earlier load (or of another data
// area) survives; a row without a room number is passed over, a location without text reads
// "", and one bad row never stops the rows after it.
void frmMain::LoadRoomPlaces()
{
    gRoomPlaces = datastore::RoomPlaces::Read(gExamRoomTable);
}

void frmMain::FillExamRoomAndClassMenus()
{
    ClearArray(QStringLiteral("gkc"));
    ClearArray(QStringLiteral("gbj"));
    try {
        for (const datastore::ArrangementTables::Room &room : datastore::ArrangementTables::Rooms(gExamRoomTable))
            AppendArrayItem(QStringLiteral("gkc"), db::VbText(room.number), room.number);
        for (const auto &[school, className] : datastore::ArrangementTables::Classes(gExamineeTable))
            AppendArrayItem(QStringLiteral("gbj"), db::VbText(school) + QStringLiteral("/") + db::VbText(className),
                QVariantList { school, className });
    } catch (const db::Error &) {
    }
}

void frmMain::FillSchoolMenu()
{
    FillArray(QStringLiteral("gxx"), Schools());
}

void frmMain::FillStatSchoolMenu()
{
    FillArray(QStringLiteral("tjschoo"), Schools());
}

void frmMain::CountRooms()
{
    try {
        mRoomCount = datastore::ArrangementTables::RoomCount(gExamRoomTable);
    } catch (const db::Error &) {
        mRoomCount = 0;
    }
}

void frmMain::ShowCurrentArea()
{
    m_statusPanel1->setText(QStringLiteral("当前数据区： 数据区") + QString::number(gCurrentArea) + gCurrentAreaName);
}

// The schools are read once for both school menus.
void frmMain::RefreshAreaData()
{
    FillExamRoomAndClassMenus();
    const QVariantList schools = Schools();
    FillArray(QStringLiteral("gxx"), schools);
    FillArray(QStringLiteral("tjschoo"), schools);
    CountRooms();
    ShowCurrentArea();
    emit AreaDataChanged();
}

QAction *frmMain::MenuItem(const QString &array, int index) const
{
    const QList<QAction *> items = m_arrays.value(array);
    return index >= 0 && index < items.size() ? items.at(index) : nullptr;
}

int frmMain::MenuItemCount(const QString &array) const
{
    return int(m_arrays.value(array).size());
}

QAction *frmMain::Command(const QString &name) const
{
    return menuBar()->findChild<QAction *>(name);
}

void frmMain::mnuLogin_Click()
{
    frmLogin login(this);
    login.exec();
}

void frmMain::mnuImportExam_Click()
{
    if (!RequireLogin(this))
        return;
    Prompts &prompts = Prompts::instance();
    const QString path = prompts.openFileName(
        this, QStringLiteral("考场编排数据"), QString(), QStringLiteral("Excel 工作簿 (*.xls *.xlsx)"));
    if (path.isEmpty())
        return;
    const QString title = QStringLiteral("导入");
    ExamWorkbookImport import;
    // The window goes on while the reader works, behind a dialog whose 取消 stops it.
    ReaderProgress progress(this, QFileInfo(path).fileName());
    ImportResult result = import.Read(path, &progress);
    if (result.cancelled)
        return;
    if (result.ok) {
        // An import cannot be undone: say what it replaces, and what an unarranged workbook
        // leaves the lists with, before anything is written.
        const auto ask = [&](const QString &text) {
            return prompts.confirm(this, text + QStringLiteral("\n\n是否继续导入？"), title);
        };
        const int unarranged = import.ExamineesUnarranged();
        // Only an arrangement that exists can be lost.
        if (import.ExamineesReplaced() > 0
            && !ask(QStringLiteral("当前数据区已有 %1 名考生。导入后，他们将被工作簿中的 %2 名考生替换%3。")
                        .arg(import.ExamineesReplaced())
                        .arg(import.ExamineesImported())
                        .arg(import.ExamineesReplacedArranged() > 0 ? QStringLiteral("，原有的考场编排不能恢复")
                                                                    : QString())))
            return;
        if (unarranged > 0
            && !ask(unarranged == import.ExamineesImported()
                    ? QStringLiteral(
                        "工作簿中的考生都没有考场、考号或座位号（考场还没有编排）。导入后，在编排考场之前，"
                        "各考场、班级和学校的名单都是空的。")
                    : QStringLiteral("工作簿中有 %1 名考生没有考场、考号或座位号。导入后，在编排考场之前，这些考生不会"
                                     "出现在名单上。")
                          .arg(unarranged)))
            return;
        result = import.Write();
    }
    RefreshAreaData();
    if (result.ok)
        prompts.message(this,
            QStringLiteral("数据导入成功。")
                + (result.message.isEmpty() ? QString() : QStringLiteral("\n\n请注意：\n") + result.message),
            title, QMessageBox::Information);
    else
        prompts.message(this, result.message, title, QMessageBox::Warning);
}

void frmMain::mnuOpen_Click()
{
    frmDocument *document = ActiveForm();
    if (!document)
        document = LoadNewDoc();
    document->OpenFile();
}

void frmMain::mnuSave_Click()
{
    frmDocument *document = ActiveForm();
    if (!document)
        return;
    QString path = Prompts::instance().saveFileName(this, QStringLiteral("保存"), QString(), kGridFileFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".cel");
    // A save that fails says why: keeping quiet would leave a teacher believing the file is there.
    if (document->Grid1->SaveFile(path)) {
        // The window now holds that file, as after 文件/打开; the title box stays the printed title.
        document->setWindowTitle(QFileInfo(path).fileName());
        Prompts::instance().message(this, QStringLiteral("数据保存成功。"), kHint, QMessageBox::Warning);
    } else
        Prompts::instance().message(this, document->Grid1->lastError(), kHint, QMessageBox::Warning);
}

void frmMain::mnuDirectPrint_Click()
{
    frmDocument *document = ActiveForm();
    if (!document)
        return;
    QPrinter printer(QPrinter::HighResolution);
    const GridData &data = document->Grid1->data();
    PagePainter::setUpDevice(printer, data.pageSetup());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!PrinterOutput::print(printer, data, &error))
        Prompts::instance().message(this, error, kHint, QMessageBox::Warning);
}

void frmMain::mnuPrintPreview_Click()
{
    OnActiveGrid(this, [](Grid &grid) {
        grid.SetDisablePrintButton(true);
        grid.PrintPreview();
    });
}

void frmMain::mnuCopy_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().CopyData(); });
}

void frmMain::mnuPaste_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().PasteData(); });
}

void frmMain::mnuMerge_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().Merge(); });
}

void frmMain::mnuUnMerge_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().SetMergeCells(false); });
}

void frmMain::mnuInsertRows_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().InsertRows(); });
}

void frmMain::mnuInsertCols_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().InsertCols(); });
}

void frmMain::mnuDeleteByRow_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().DeleteByRow(); });
}

void frmMain::mnuDeleteByCol_Click()
{
    OnActiveGrid(this, [](Grid &grid) { grid.Selection().DeleteByCol(); });
}

void frmMain::mnufileHelp_Click()
{
    const QString path = QDir(AppPath()).filePath(kHelpFile);
    if (!QFileInfo::exists(path)) {
        Prompts::instance().message(this, QStringLiteral("帮助文件不存在。"), kHint, QMessageBox::Warning);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!isMinimized())
        SavePlacement();
    event->accept();
}

void frmMain::RestorePlacement()
{
    QSettings settings;
    QList<QRect> screens;
    for (QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const std::optional<QRect> saved = WindowPlacement::Load(settings);
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place
        = saved ? WindowPlacement::OnVisibleScreen(*saved, screens) : WindowPlacement::FirstStart(primary);
    const QScreen *screen = QGuiApplication::screenAt(place.center());
    setGeometry(WindowPlacement::WideEnough(
        place, menuBar()->sizeHint().width(), screen ? screen->availableGeometry() : primary));
}

void frmMain::SavePlacement()
{
    QSettings settings;
    WindowPlacement::Save(settings, geometry());
}

// The menus with the captions the program has always had. Commands whose windows this
// program does not have yet stay in place, disabled, so the menus read as users know them.
void frmMain::BuildMenus()
{
    BuildFileMenu();
    QMenu *import = menuBar()->addMenu(QStringLiteral("导入数据(&I)"));
    connect(AddCommand(import, QStringLiteral("考场编排数据"), QStringLiteral("mnuImportExam")), &QAction::triggered,
        this, &frmMain::mnuImportExam_Click);
    BuildEditMenu();
    BuildArrangementMenu();
    BuildInformationMenu();
    QAction *tickets = menuBar()->addAction(QStringLiteral("制作准考证(&Z)"));
    tickets->setObjectName(QStringLiteral("zhizhuo"));
    tickets->setEnabled(false);
    AddCommand(menuBar()->addMenu(QStringLiteral("工具(&T)")), QStringLiteral("设置"), QStringLiteral("shezhi"), false);
    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    connect(AddCommand(help, QStringLiteral("帮助"), QStringLiteral("mnufileHelp")), &QAction::triggered, this,
        &frmMain::mnufileHelp_Click);
}

void frmMain::BuildFileMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    connect(AddCommand(file, QStringLiteral("登录"), QStringLiteral("mnuLogin")), &QAction::triggered, this,
        &frmMain::mnuLogin_Click);
    file->addSeparator();
    QAction *open = AddCommand(file, QStringLiteral("打开"), QStringLiteral("mnuOpen"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    QAction *save = AddCommand(file, QStringLiteral("保存"), QStringLiteral("mnuSave"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &frmMain::mnuSave_Click);
    QAction *print = AddCommand(file, QStringLiteral("打印"), QStringLiteral("mnuDirectPrint"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &frmMain::mnuDirectPrint_Click);
    connect(AddCommand(file, QStringLiteral("打印预览"), QStringLiteral("mnuPrintPreview")), &QAction::triggered, this,
        &frmMain::mnuPrintPreview_Click);
    file->addSeparator();
    connect(AddCommand(file, QStringLiteral("退出"), QStringLiteral("mnuExit")), &QAction::triggered, this,
        &QWidget::close);
}

void frmMain::BuildEditMenu()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    const struct {
        const char *caption;
        const char *name;
        void (frmMain::*handler)();
    } commands[] = {
        { "复制", "mnuCopy", &frmMain::mnuCopy_Click },
        { "粘贴", "mnuPaste", &frmMain::mnuPaste_Click },
        { "合并单元格", "mnuMerge", &frmMain::mnuMerge_Click },
        { "取消合并单元格", "mnuUnMerge", &frmMain::mnuUnMerge_Click },
        { "插入行", "mnuInsertRows", &frmMain::mnuInsertRows_Click },
        { "插入列", "mnuInsertCols", &frmMain::mnuInsertCols_Click },
        { "删除行", "mnuDeleteByRow", &frmMain::mnuDeleteByRow_Click },
        { "删除列", "mnuDeleteByCol", &frmMain::mnuDeleteByCol_Click },
    };
    for (const auto &command : commands)
        connect(AddCommand(edit, QString::fromUtf8(command.caption), QString::fromUtf8(command.name)),
            &QAction::triggered, this, command.handler);
    edit->addSeparator();
    AddCommand(edit, QStringLiteral("筛选"), QStringLiteral("shaixwan"), false);
}

void frmMain::BuildArrangementMenu()
{
    QMenu *arrangement = menuBar()->addMenu(QStringLiteral("考场编排(&K)"));
    QMenu *browse = arrangement->addMenu(QStringLiteral("浏览"));
    AddArray(browse, QStringLiteral("按考场"), QStringLiteral("gkc"), QStringLiteral("全部考场"));
    AddArray(browse, QStringLiteral("按班级"), QStringLiteral("gbj"), QStringLiteral("全部班级"));
    AddArray(browse, QStringLiteral("按学校"), QStringLiteral("gxx"), QStringLiteral("全部学校"));
    QMenu *statistics = arrangement->addMenu(QStringLiteral("统计"));
    statistics->menuAction()->setObjectName(QStringLiteral("dctj"));
    AddCommand(statistics, QStringLiteral("精简统计"), QStringLiteral("jinjtj"), false);
    QMenu *full = AddArray(statistics, QStringLiteral("全面统计"), QStringLiteral("tjschoo"), QStringLiteral("学校"));
    full->menuAction()->setObjectName(QStringLiteral("qmtj"));
    full->setEnabled(false);
    AddCommand(arrangement, QStringLiteral("各考场首尾考号"), QStringLiteral("qzkh"));
    AddCommand(arrangement, QStringLiteral("混排检测"), QStringLiteral("hbjc"), false);
}

void frmMain::BuildInformationMenu()
{
    QMenu *information = menuBar()->addMenu(QStringLiteral("数据信息(&O)"));
    information->menuAction()->setObjectName(QStringLiteral("sjxx"));
    QMenu *examinees = information->addMenu(QStringLiteral("考生表信息"));
    examinees->menuAction()->setObjectName(QStringLiteral("kcbpbxx"));
    AddCommand(examinees, QStringLiteral("按班级"), QStringLiteral("anbj"), false);
    AddCommand(examinees, QStringLiteral("按学校"), QStringLiteral("anxx"), false);
    AddCommand(information, QStringLiteral("成绩表信息"), QStringLiteral("cjbxx"), false);
}

QAction *frmMain::AddCommand(QMenu *menu, const QString &caption, const QString &name, bool enabled)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

QMenu *frmMain::AddArray(QMenu *parent, const QString &caption, const QString &array, const QString &fixedCaption)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setStyle(ScrollingMenuStyle::instance());
    m_arrayMenus.insert(array, menu);
    AppendArrayItem(array, fixedCaption, QVariant());
    return menu;
}

void frmMain::ClearArray(const QString &array)
{
    QList<QAction *> &items = m_arrays[array];
    while (items.size() > 1)
        delete items.takeLast();
}

void frmMain::FillArray(const QString &array, const QVariantList &values)
{
    ClearArray(array);
    for (const QVariant &value : values)
        AppendArrayItem(array, db::VbText(value), value);
}

void frmMain::AppendArrayItem(const QString &array, const QString &caption, const QVariant &data)
{
    QList<QAction *> &items = m_arrays[array];
    QAction *action = m_arrayMenus.value(array)->addAction(caption);
    action->setObjectName(array);
    action->setData(data);
    const int index = int(items.size());
    items.append(action);
    connect(action, &QAction::triggered, this, [this, array, index] { emit MenuArrayClicked(array, index); });
}
