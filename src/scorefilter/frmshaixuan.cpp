#include "scorefilter/frmshaixuan.h"

#include "gridview/Grid.h"
#include "prompts/Prompts.h"
#include "scorefilter/ScoreListFilter.h"
#include "ui_frmshaixuan.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/SingleWindow.h"
#include "workspace/frmMain.h"

#include <QGuiApplication>
#include <QLineEdit>

namespace {

QPointer<frmshaixuan> gOpenWindow;

Grid *ActiveGrid()
{
    frmDocument *document = gMainForm ? gMainForm->ActiveForm() : nullptr;
    return document ? document->Grid1 : nullptr;
}

} // namespace

frmshaixuan::frmshaixuan(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::frmshaixuan)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->Combo1, &QComboBox::currentIndexChanged, this, &frmshaixuan::Combo1_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &frmshaixuan::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QWidget::close);
    Form_Load();
}

frmshaixuan::~frmshaixuan()
{
    delete ui;
}

frmshaixuan *frmshaixuan::Open(QWidget *parent)
{
    return ShowSingleWindow(gOpenWindow, parent);
}

frmshaixuan *frmshaixuan::Instance()
{
    return gOpenWindow;
}

void frmshaixuan::Form_Load()
{
    ui->Combo1->clear();
    ui->Combo2->clear();
    if (Grid *grid = ActiveGrid())
        ui->Combo1->addItems(ScoreListFilter::Schools(*grid, ScoreListFilter::Find(*grid)));
}

void frmshaixuan::Combo1_Click()
{
    ui->Combo2->clear();
    ui->Combo2->addItem(QString());
    if (Grid *grid = ActiveGrid())
        ui->Combo2->addItems(ScoreListFilter::Classes(*grid, ScoreListFilter::Find(*grid), ui->Combo1->currentText()));
}

void frmshaixuan::Command1_Click()
{
    // The columns of the document active now: the user may have switched documents since the
    // window opened.
    Grid *source = ActiveGrid();
    if (!source) {
        Say(kNoDocumentMessage);
        return;
    }
    const ScoreListFilter::Columns columns = ScoreListFilter::Find(*source);
    if (columns.school == 0) {
        Say(kNoSchoolColumnMessage);
        return;
    }
    const QString school = ui->Combo1->currentText();
    const QString schoolClass = ui->Combo2->currentText();
    const QList<int> rows = ScoreListFilter::MatchingRows(*source, columns, school, schoolClass);
    if (rows.isEmpty()) {
        Say(kNoMatchMessage);
        return;
    }

    frmDocument *document = NewDocumentWindow();
    if (!document)
        return;
    Grid &target = *document->Grid1;
    target.SetAutoRedraw(false);
    ScoreListFilter::CopyRows(*source, rows, target);
    const QString title = school + schoolClass + QStringLiteral("成绩表");
    document->Text1->setText(title);
    document->setWindowTitle(title);
    LayoutListReport(*document);
    // The layout fits every column to its texts; what the source hid stays hidden.
    for (int col = 1; col < source->Cols(); ++col)
        if (source->Column(col).Width() == 0)
            target.Column(col).SetWidth(0);
    target.SetAutoRedraw(true);
    target.Refresh();
    close();
}

void frmshaixuan::Say(const QString &text)
{
    Prompts::instance().message(
        this, text, QGuiApplication::applicationDisplayName(), QMessageBox::Information, QMessageBox::Ok);
}
