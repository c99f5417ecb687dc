#include "tickets/zizhuo.h"

#include "datastore/TicketQueries.h"
#include "db/Error.h"
#include "gridview/Grid.h"
#include "griddata/OleColor.h"
#include "prompts/Prompts.h"
#include "tickets/DeskLabels.h"
#include "tickets/TicketTemplate.h"
#include "ui_zizhuo.h"

#include <QGuiApplication>

namespace {

const QString kHint = QStringLiteral(
    "  在模板中选择一个文本，点“字体”按钮，可编辑此文本的字体、字号。如保存，作用于以后的每次，不保存只作用于本次。"
    "在模板中一个文本上单击，将光标移到此，可修改文本，就象在Excel中一样。"
    "在模板中 的姓名 右侧的单元格中单击，在出现的列表中选择与该文本对应的考场表中的列名。其它同样。存根表不用选择。");

// Template rows that print a bound column, and the ticket's value column.
constexpr int FirstValueRow = 4;
constexpr int LastValueRow = 9;
constexpr int TicketValueCol = 11;

// Refills a list, keeping its current text when the new items still hold it; otherwise nothing
// is chosen (an empty text).
void Refill(QComboBox *combo, const QStringList &items)
{
    const QString kept = combo->currentText().trimmed();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(int(items.indexOf(kept)));
}

} // namespace

zizhuo::zizhuo(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , ui(std::make_unique<Ui::zizhuo>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->Option1, &QRadioButton::clicked, this, &zizhuo::Option1_Click);
    connect(ui->Option2, &QRadioButton::clicked, this, &zizhuo::Option2_Click);
    connect(ui->Option3, &QRadioButton::clicked, this, &zizhuo::Option3_Click);
    connect(ui->Option4, &QRadioButton::clicked, this, &zizhuo::Option4_Click);
    connect(ui->Option5, &QRadioButton::clicked, this, &zizhuo::Option5_Click);
    connect(ui->Option6, &QRadioButton::clicked, this, &zizhuo::Option6_Click);
    connect(ui->Combo1, &QComboBox::activated, this, &zizhuo::Combo1_Click);
    connect(ui->Check1, &QCheckBox::clicked, this, &zizhuo::Check1_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &zizhuo::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &zizhuo::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &zizhuo::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &zizhuo::Command4_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &zizhuo::Command5_Click);
    connect(ui->Command6, &QPushButton::clicked, this, &zizhuo::Command6_Click);
    connect(ui->Grid1, &Grid::ComboDropDown, this, &zizhuo::Grid1_ComboDropDown);
    connect(ui->Grid1, &Grid::ComboClick, this, &zizhuo::Grid1_ComboClick);
    Form_Load();
}

zizhuo::~zizhuo() = default;

Grid *zizhuo::templateGrid() const
{
    return ui->Grid1;
}

int zizhuo::perPage() const
{
    return ui->Option1->isChecked() ? 2 : 3;
}

void zizhuo::Say(const QString &text)
{
    Prompts::instance().message(this, text, QGuiApplication::applicationDisplayName(), QMessageBox::NoIcon);
}

template <typename Step> void zizhuo::Reading(Step step)
{
    try {
        step();
    } catch (const db::Error &error) {
        Say(QStringLiteral("无法读取考生数据：") + error.message());
    }
}

void zizhuo::Form_Load()
{
    // The default binding, before the template's value cells name theirs.
    for (int row = FirstValueRow; row <= LastValueRow; ++row)
        mBoundFieldIndex[size_t(row)] = row - FirstValueRow;
    ui->Option1->setChecked(true);
    Option1_Click();
    ui->Option3->setChecked(true);
    Option3_Click();
    ui->Option5->setChecked(true);
    Option5_Click();
    ui->Option7->setChecked(true);
    ui->Combo5->clear();
    ui->Combo5->addItems({ QStringLiteral("姓名"), QStringLiteral("考号") });
    ui->Combo5->setCurrentIndex(-1);
    Check1_Click();
    FillRoomChoices();
    CountRooms();
    ui->Text2->setPlainText(kHint);
}

void zizhuo::FillRoomChoices()
{
    ui->Combo6->clear();
    Reading([&] { ui->Combo6->addItems(TicketQueries::Rooms()); });
    ui->Combo6->setCurrentIndex(-1);
}

void zizhuo::CountRooms()
{
    Reading([&] { mExamRoomCount = TicketQueries::RoomCount(); });
}

void zizhuo::RefreshAreaData()
{
    // The desk-label room stays chosen while it still holds examinees.
    Reading([&] { Refill(ui->Combo6, TicketQueries::Rooms()); });
    CountRooms();
    const QStringList kept { ui->Combo1->currentText(), ui->Combo2->currentText(), ui->Combo3->currentText(),
        ui->Combo4->currentText() };
    if (ui->Option5->isChecked()) {
        Reading([&] { Refill(ui->Combo1, TicketQueries::Schools()); });
        Reading([&] {
            const QStringList classes = ui->Combo1->currentText().isEmpty()
                ? QStringList()
                : TicketQueries::Classes(ui->Combo1->currentText());
            for (QComboBox *combo : { ui->Combo2, ui->Combo3, ui->Combo4 })
                Refill(combo, classes);
        });
    } else {
        Reading([&] {
            const QStringList rooms = TicketQueries::Rooms();
            for (QComboBox *combo : { ui->Combo1, ui->Combo2, ui->Combo3 })
                Refill(combo, rooms);
        });
    }
}

void zizhuo::LoadTemplate(int perPage, bool keepBinding)
{
    mTemplatePath = TicketTemplate::WorkingPath(perPage);
    m_templateType = perPage;
    GridData data;
    QString error;
    m_templateLoaded = TicketTemplate::Load(perPage, data, &error);
    if (m_templateLoaded) {
        for (int row = FirstValueRow; row <= LastValueRow; ++row)
            data.setCellType(row, TicketValueCol, CellTypeDropDown);
        ShowBinding(data, keepBinding);
    } else {
        data = GridData();
        Say(error + QStringLiteral("\n\n不能制作准考证。点“恢复默认”可换回出厂模板。"));
    }
    ui->Grid1->setData(data);
    ShowGroupingChoices();
}

void zizhuo::ShowBinding(GridData &data, bool keepBinding)
{
    const QStringList &columns = TicketQueries::TicketColumns();
    for (int row = FirstValueRow; row <= LastValueRow; ++row) {
        const int named = int(columns.indexOf(data.text(row, TicketValueCol).trimmed()));
        if (named >= 0 && !keepBinding)
            mBoundFieldIndex[size_t(row)] = named;
        else
            data.setText(row, TicketValueCol, columns.value(mBoundFieldIndex[size_t(row)]));
    }
}

void zizhuo::ChooseType(int perPage)
{
    // The type already shown: its template and unsaved edits stay.
    if (perPage == m_templateType && m_templateLoaded)
        return;
    LoadTemplate(perPage, m_templateType != 0);
}

void zizhuo::Option1_Click()
{
    ChooseType(2);
}

void zizhuo::Option2_Click()
{
    ChooseType(3);
}

void zizhuo::Option3_Click()
{
    ShowGroupingChoices();
}

void zizhuo::Option4_Click()
{
    ShowGroupingChoices();
}

void zizhuo::Option5_Click()
{
    for (QComboBox *combo : { ui->Combo1, ui->Combo2, ui->Combo3, ui->Combo4 })
        combo->clear();
    Reading([&] {
        ui->Combo1->addItems(TicketQueries::Schools());
        ui->Combo1->setCurrentIndex(-1);
    });
    ShowGroupingChoices();
}

void zizhuo::Option6_Click()
{
    // Combo4 keeps its items: it is hidden while grouping by room.
    for (QComboBox *combo : { ui->Combo1, ui->Combo2, ui->Combo3 })
        combo->clear();
    Reading([&] {
        const QStringList rooms = TicketQueries::Rooms();
        for (QComboBox *combo : { ui->Combo1, ui->Combo2, ui->Combo3 }) {
            combo->addItems(rooms);
            combo->setCurrentIndex(-1);
        }
    });
    ShowGroupingChoices();
}

void zizhuo::Combo1_Click()
{
    if (!ui->Option5->isChecked())
        return;
    for (QComboBox *combo : { ui->Combo2, ui->Combo3, ui->Combo4 })
        combo->clear();
    Reading([&] {
        const QStringList classes = TicketQueries::Classes(ui->Combo1->currentText());
        for (QComboBox *combo : { ui->Combo2, ui->Combo3, ui->Combo4 }) {
            combo->addItems(classes);
            combo->setCurrentIndex(-1);
        }
    });
}

void zizhuo::ShowGroupingChoices()
{
    QComboBox *const combos[] = { ui->Combo1, ui->Combo2, ui->Combo3, ui->Combo4 };
    QLabel *const labels[] = { ui->Label1, ui->Label2, ui->Label3, ui->Label4 };
    QStringList captions;
    const bool byClass = ui->Option5->isChecked();
    if (!ui->Option4->isChecked()) {
        captions = byClass ? QStringList { QStringLiteral("学校"), QStringLiteral("班级") }
                           : QStringList { QStringLiteral("考场") };
    } else {
        const QString group = byClass ? QStringLiteral("班级") : QStringLiteral("考场");
        if (byClass)
            captions << QStringLiteral("学校");
        for (int i = 1; i <= perPage(); ++i)
            captions << group + QString::number(i);
    }
    for (int i = 0; i < 4; ++i) {
        combos[i]->setVisible(i < captions.size());
        labels[i]->setText(captions.value(i));
    }
}

void zizhuo::Check1_Click()
{
    const bool on = ui->Check1->isChecked();
    for (QWidget *control : std::initializer_list<QWidget *> { ui->Text1, ui->Command4, ui->Label5, ui->Combo5 })
        control->setEnabled(on);
}

TicketOrder zizhuo::Order() const
{
    TicketOrder order;
    order.perPage = perPage();
    order.stacked = ui->Option4->isChecked();
    order.byClass = ui->Option5->isChecked();
    for (QComboBox *combo : { ui->Combo1, ui->Combo2, ui->Combo3, ui->Combo4 })
        if (!combo->isHidden())
            order.choices << combo->currentText();
    order.photos = ui->Check1->isChecked();
    order.photoFolder = ui->Text1->text();
    order.photoColumn = ui->Combo5->currentText();
    order.boundField = mBoundFieldIndex;
    return order;
}

void zizhuo::Command1_Click()
{
    if (ui->SSTab1->currentIndex() != 0) {
        const auto kind = ui->Option7->isChecked() ? DeskLabels::SeatNumbers : DeskLabels::ExamNumbers;
        DeskLabels(this, ui->Combo6->currentText(), kind, mExamRoomCount).Run(m_preview);
        return;
    }
    TicketJob(this, Order(), ui->Grid1->data(), mExamRoomCount).Run(m_preview);
}

void zizhuo::Command2_Click()
{
    QFont font(QStringLiteral("宋体"), 14);
    if (!Prompts::instance().font(this, font))
        return;
    GridRange selection = ui->Grid1->Selection();
    selection.SetFontName(font.family());
    selection.SetFontSize(font.pointSizeF());
    selection.SetFontBold(font.bold());
    selection.SetFontItalic(font.italic());
    selection.SetFontUnderline(font.underline());
    // Qt's font dialog has no colour: it is asked for next, starting from the current one.
    QColor color = FromOleColor(ui->Grid1->data().style(selection.FirstRow(), selection.FirstCol()).foreColor);
    if (Prompts::instance().color(this, color))
        selection.SetForeColor(ToOleColor(color));
}

void zizhuo::Command3_Click()
{
    QString error;
    if (!m_templateLoaded)
        Say(QStringLiteral("没有读入准考证模板，没有可保存的内容。"));
    else if (!TicketTemplate::Save(perPage(), ui->Grid1->data(), &error))
        Say(error);
}

void zizhuo::Command4_Click()
{
    ui->Text1->setText(Prompts::instance().folder(this, QStringLiteral("请选择目标文件夹路径："), ui->Text1->text()));
}

void zizhuo::Command5_Click()
{
    close();
}

void zizhuo::Command6_Click()
{
    QString error;
    if (!TicketTemplate::Restore(perPage(), &error)) {
        Say(error);
        return;
    }
    LoadTemplate(perPage(), false);
}

void zizhuo::Grid1_ComboDropDown(int row, int)
{
    mComboRow = row;
    ui->Grid1->ComboBox().Clear();
    for (const QString &column : TicketQueries::TicketColumns())
        ui->Grid1->ComboBox().AddItem(column);
}

void zizhuo::Grid1_ComboClick(int index)
{
    if (mComboRow >= FirstValueRow && mComboRow <= LastValueRow)
        mBoundFieldIndex[size_t(mComboRow)] = index;
}
