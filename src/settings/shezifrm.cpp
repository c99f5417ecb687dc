#include "settings/shezifrm.h"

#include "datastore/AppState.h"
#include "datastore/ExamRoomDisplayColumns.h"
#include "datastore/ListTitles.h"
#include "db/Error.h"
#include "gridview/Grid.h"
#include "prompts/Prompts.h"
#include "ui_shezifrm.h"
#include "workspace/SingleWindow.h"
#include "workspace/frmMain.h"

#include <QGuiApplication>

namespace {

constexpr int kShowCol = 1;
constexpr int kNameCol = 2;
constexpr int kOrderCol = 3;
const QString kTicked = QStringLiteral("1");

QPointer<shezifrm> gOpenWindow;

} // namespace

shezifrm::shezifrm(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::shezifrm)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    Grid *grid = ui->Grid1;
    connect(grid, &Grid::CellChange, this, &shezifrm::Grid1_CellChange);
    connect(grid, &Grid::Click, this, &shezifrm::Grid1_Click);
    connect(grid, &Grid::LeaveCell, this, &shezifrm::Grid1_LeaveCell);
    connect(ui->Command1, &QPushButton::clicked, this, &shezifrm::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->Command4, &QPushButton::clicked, this, &shezifrm::Command4_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &QWidget::close);
    // Left open across an import, the grid would store the old table's list into the new
    // table's row.
    if (gMainForm)
        connect(gMainForm, &frmMain::AreaDataChanged, this, &shezifrm::LoadColumns);
    Form_Load();
}

shezifrm::~shezifrm()
{
    delete ui;
}

shezifrm *shezifrm::Open(QWidget *parent)
{
    return ShowSingleWindow(gOpenWindow, parent);
}

shezifrm *shezifrm::Instance()
{
    return gOpenWindow;
}

void shezifrm::Form_Load()
{
    const ListTitles titles = ListTitles::Current();
    ui->kc1->setText(titles.examRoom1);
    ui->kc2->setText(titles.examRoom2);
    ui->xx1->setText(titles.school1);
    ui->bj1->setText(titles.class1);
    ui->fb1->setText(titles.division1);
    ui->fb2->setText(titles.division2);
    ui->SSTab1->setCurrentIndex(0);

    Grid &grid = *ui->Grid1;
    grid.SetCols(4);
    const int widths[] = { 30, 60, 80, 60 };
    for (int col = 0; col < 4; ++col)
        grid.Column(col).SetWidth(widths[col]);
    grid.Column(kShowCol).SetCellType(CellTypeCheckBox);
    grid.Cell(0, kShowCol).SetText(QStringLiteral("是否显示"));
    grid.Cell(0, kNameCol).SetText(QStringLiteral("列名"));
    grid.Cell(0, kOrderCol).SetText(QStringLiteral("输出顺序"));
    LoadColumns();
}

void shezifrm::LoadColumns()
{
    ui->Grid1->commitEdit();
    mOldOrder.clear();
    mOrderEdited = false;
    ui->Label6->setText(QStringLiteral("当前显示：  ") + gExamRoomColumns);
    Grid &grid = *ui->Grid1;
    ExamRoomDisplayColumns::Stored stored;
    try {
        stored = ExamRoomDisplayColumns::Read();
    } catch (const db::Error &) {
        // Nothing to choose from; 确 定 then refuses the empty choice.
    }
    m_fields = stored.fields;
    grid.SetAutoRedraw(false);
    grid.SetRows(1);
    grid.SetRows(int(m_fields.size()) + 1);
    const QString setting = stored.setting.toString();
    const QStringList entries = setting.isEmpty() ? QStringList() : setting.split(u',');
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.Cell(row, kNameCol).SetText(m_fields.at(row - 1));
        // A field the stored list does not reach (added since the list was stored) starts
        // hidden, as 确 定 would store it.
        const QString entry = entries.value(row - 1);
        const bool shown = ExamRoomDisplayColumns::Position(entry) != 0;
        grid.Cell(row, kShowCol).SetText(shown ? kTicked : QStringLiteral("0"));
        grid.Cell(row, kOrderCol).SetText(shown ? entry : kNotShown);
    }
    grid.select(CellRange::cell(1, 1), 1, 1);
    grid.SetAutoRedraw(true);
    grid.Refresh();
}

void shezifrm::Grid1_CellChange(int, int col)
{
    if (col == kOrderCol)
        mOrderEdited = true;
    // A box toggled from the keyboard (space, Delete) gets no click: renumber here as well.
    if (col == kShowCol)
        Renumber();
}

void shezifrm::Grid1_Click()
{
    mOrderEdited = false;
    Grid &grid = *ui->Grid1;
    if (grid.activeCol() == kShowCol)
        Renumber();
    if (grid.activeCol() == kOrderCol) {
        const QString order = grid.ActiveCell().text();
        if (ExamRoomDisplayColumns::Position(order) > 0)
            mOldOrder = order;
    }
}

void shezifrm::Grid1_LeaveCell(int row, int col, int newRow, int newCol, bool &)
{
    Grid &grid = *ui->Grid1;
    if (col == kOrderCol && mOrderEdited && !mOldOrder.isEmpty()) {
        const QString typed = grid.Cell(row, kOrderCol).text();
        for (int other = 1; other < grid.Rows(); ++other)
            if (other != row && grid.Cell(other, kOrderCol).text() == typed)
                grid.Cell(other, kOrderCol).SetText(mOldOrder);
    }
    // The order a cell held when the cursor came to it, by mouse or by keyboard: the number
    // the other field gets in a swap. A cell without one gives none, rather than a stale one.
    if (col == kOrderCol)
        mOrderEdited = false;
    if (newCol == kOrderCol) {
        const QString order = grid.Cell(newRow, kOrderCol).text();
        mOldOrder = ExamRoomDisplayColumns::Position(order) > 0 ? order : QString();
    }
}

void shezifrm::Renumber()
{
    Grid &grid = *ui->Grid1;
    int shown = 0;
    for (int row = 1; row < grid.Rows(); ++row)
        grid.Cell(row, kOrderCol)
            .SetText(grid.Cell(row, kShowCol).text() == kTicked ? QString::number(++shown) : kNotShown);
}

void shezifrm::Command1_Click()
{
    Grid &grid = *ui->Grid1;
    grid.commitEdit();
    // 1. One entry per field: its order when ticked, else 0.
    QStringList entries;
    int shown = 0;
    for (int row = 1; row < grid.Rows(); ++row) {
        const bool ticked = grid.Cell(row, kShowCol).text() == kTicked;
        entries << (ticked ? grid.Cell(row, kOrderCol).text() : QStringLiteral("0"));
        shown += ticked;
    }
    // 2. Every place from 1 to the number shown must be taken, and there must be one: a list
    // showing nothing leaves every list by room, class and school without a column. Without an
    // examinee table there is nothing to choose from at all.
    if (m_fields.isEmpty()) {
        Say(kNoExamineesMessage);
        return;
    }
    if (shown == 0) {
        Say(kNothingShownMessage);
        return;
    }
    for (int place = 1; place <= shown; ++place) {
        if (!entries.contains(QString::number(place))) {
            Say(QStringLiteral("显示顺序中没有第 %1 请重新设置").arg(place));
            return;
        }
    }
    // 3. Stored, and the lists take it from the next one on.
    using Result = ExamRoomDisplayColumns::StoreResult;
    try {
        switch (ExamRoomDisplayColumns::Store(m_fields, entries.join(u','))) {
        case Result::Stored:
            close();
            return;
        case Result::NoSettingsRow:
            Say(QStringLiteral("显示设置没有保存：当前数据区的设置表中没有“考场显示”一行。"), QMessageBox::Warning);
            return;
        case Result::FieldsChanged:
            LoadColumns();
            Say(QStringLiteral("考生表的列已经改变，显示设置没有保存。窗口已按现在的考生表重新读入，请重新设置。"),
                QMessageBox::Warning);
            return;
        }
    } catch (const db::Error &) {
        Say(QStringLiteral("显示设置没有保存：无法写入数据文件 %1").arg(GetDbPath()), QMessageBox::Warning);
    }
}

void shezifrm::Command4_Click()
{
    const ListTitles titles { ui->kc1->text(), ui->kc2->text(), ui->xx1->text(), ui->bj1->text(), ui->fb1->text(),
        ui->fb2->text() };
    const struct {
        bool empty;
        const char *message;
    } checks[] = {
        { titles.examRoom1.isEmpty() || titles.examRoom2.isEmpty(), "请输入按考场浏览的标题！" },
        { titles.school1.isEmpty(), "请输入按学校浏览的标题！" },
        { titles.class1.isEmpty(), "请输入按班级浏览的标题！" },
        { titles.division1.isEmpty() || titles.division2.isEmpty(), "请输入新生分班浏览的标题！" },
    };
    for (const auto &check : checks) {
        if (check.empty) {
            Say(QString::fromUtf8(check.message));
            return;
        }
    }
    // The lists take the new titles only once they are stored: titles that hold for this run
    // but are gone at the next start would surprise the teacher who printed with them.
    try {
        if (!titles.Store()) {
            Say(QStringLiteral("标题没有保存：数据文件的标题表中没有记录。"), QMessageBox::Warning);
            return;
        }
    } catch (const db::Error &) {
        Say(QStringLiteral("标题没有保存：无法写入数据文件 %1").arg(GetDbPath()), QMessageBox::Warning);
        return;
    }
    titles.MakeCurrent();
    close();
}

void shezifrm::Say(const QString &text, QMessageBox::Icon icon)
{
    Prompts::instance().message(this, text, QGuiApplication::applicationDisplayName(), icon, QMessageBox::Ok);
}
