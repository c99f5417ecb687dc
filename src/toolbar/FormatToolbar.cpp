#include "toolbar/FormatToolbar.h"

#include "gridview/Grid.h"
#include "toolbar/AlignButton.h"
#include "toolbar/BorderButton.h"
#include "toolbar/BorderPreset.h"
#include "toolbar/ColorButton.h"
#include "toolbar/FlatComboBox.h"
#include "toolbar/FontButton.h"
#include "toolbar/Toolbar.h"
#include "toolbar/ToolbarLook.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QFontDatabase>
#include <QRegularExpression>

#include <exception>

namespace {

// The leading-number reading of a size box's text: "10.5" is 10.5, "12pt" is 12, and a text
// that starts with no number reads 0.
double leadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0;
    QString digits = match.captured(0).trimmed();
    digits.replace(u'd', u'e').replace(u'D', u'e');
    return digits.toDouble();
}

// The grid as the border presets write on it: edges of the selection, and its painting.
struct SelectionBorders {
    Grid &grid;
    void SetBorders(int edge, int style) { grid.Selection().SetBorders(edge, style); }
    void SetAutoRedraw(bool on) { grid.SetAutoRedraw(on); }
    void Refresh() { grid.Refresh(); }
};

template <class Control> Control *placed(QToolBar *bar, Control *control, const char *name, QSize size)
{
    control->setObjectName(QLatin1String(name));
    control->setFixedSize(size);
    bar->addWidget(control);
    return control;
}

} // namespace

FormatToolbar *FormatToolbar::Connect(frmMain &window)
{
    auto *bar = new FormatToolbar(window);
    window.addToolBar(Qt::TopToolBarArea, bar);
    bar->fillFontBoxes();
    bar->connectHandlers();
    return bar;
}

// One row as an office program has it: the file and editing commands on the left, then font,
// size and style, alignment and borders, text and fill colour.
FormatToolbar::FormatToolbar(frmMain &window)
    : QToolBar(QStringLiteral("格式"), &window)
    , m_window(window)
{
    setObjectName(QStringLiteral("FormatToolbar"));
    setMovable(false);
    setFloatable(false);
    // The controls clear to the toolbar's back colour; the row between them takes it too.
    QPalette ground = palette();
    ground.setColor(QPalette::Window, ToQColor(ToolbarLook::standard().back));
    setPalette(ground);
    setAutoFillBackground(true);

    Toolbar1 = placed(this, new Toolbar, "Toolbar1", QSize(401, 25));
    addSeparator();
    cboFontName = placed(this, new FlatComboBox, "cboFontName", QSize(73, 25));
    cboFontSize = placed(this, new FlatComboBox, "cboFontSize", QSize(41, 25));
    FontButton1 = placed(this, new FontButton, "FontButton1", QSize(65, 25));
    addSeparator();
    AlignButton1 = placed(this, new AlignButton, "AlignButton1", QSize(35, 22));
    BorderButton1 = placed(this, new BorderButton, "BorderButton1", QSize(35, 22));
    addSeparator();
    ColorButton1 = placed(this, new ColorButton, "ColorButton1", QSize(35, 22));
    ColorButton1->setButtonType(1);
    ColorButton2 = placed(this, new ColorButton, "ColorButton2", QSize(35, 22));
    ColorButton2->setButtonType(0);
}

void FormatToolbar::fillFontBoxes()
{
    for (const char *size : { "6", "8", "9", "10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72" })
        cboFontSize->AddItem(QString::fromLatin1(size));
    cboFontSize->setText(QStringLiteral("9"));
    for (const QString &family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            cboFontName->AddItem(family);
    cboFontName->setText(QStringLiteral("宋体"));
}

void FormatToolbar::connectHandlers()
{
    connect(AlignButton1, &AlignButton::Click, this, &FormatToolbar::AlignButton1_Click);
    connect(BorderButton1, &BorderButton::Click, this, &FormatToolbar::BorderButton1_Click);
    connect(ColorButton1, &ColorButton::Click, this, &FormatToolbar::ColorButton1_Click);
    connect(ColorButton2, &ColorButton::Click, this, &FormatToolbar::ColorButton2_Click);
    connect(FontButton1, &FontButton::Click, this, &FormatToolbar::FontButton1_Click);
    connect(cboFontName, &FlatComboBox::Click, this, &FormatToolbar::cboFontName_Click);
    connect(cboFontSize, &FlatComboBox::Click, this, &FormatToolbar::cboFontSize_Click);
    connect(Toolbar1, &Toolbar::Click, this, &FormatToolbar::Toolbar1_Click);
}

template <class Action> void FormatToolbar::onActiveGrid(Action action)
{
    frmDocument *document = m_window.ActiveForm();
    if (!document)
        return;
    try {
        action(*document->Grid1);
    } catch (const std::exception &) {
        return;
    }
    focusActiveGrid();
}

void FormatToolbar::focusActiveGrid()
{
    if (frmDocument *document = m_window.ActiveForm())
        document->Grid1->SetFocus();
}

// Value is row * 3 + column of the panel: left, centre, right by top, middle, bottom.
void FormatToolbar::AlignButton1_Click()
{
    const int value = AlignButton1->Value();
    onActiveGrid([value](Grid &grid) {
        if (value >= 0 && value <= 8)
            grid.Selection().SetAlignment(GridAlignment::code(value % 3, value / 3));
    });
}

void FormatToolbar::BorderButton1_Click()
{
    const std::optional<BorderPreset> preset = BorderPreset::of(BorderButton1->Value());
    onActiveGrid([&preset](Grid &grid) {
        if (!preset)
            return;
        SelectionBorders borders { grid };
        preset->applyTo(borders);
    });
}

void FormatToolbar::ColorButton1_Click()
{
    const OleColor color = ColorButton1->Value();
    onActiveGrid([color](Grid &grid) { grid.Selection().SetForeColor(color); });
}

void FormatToolbar::ColorButton2_Click()
{
    const OleColor color = ColorButton2->Value();
    onActiveGrid([color](Grid &grid) { grid.Selection().SetBackColor(color); });
}

void FormatToolbar::FontButton1_Click(int index)
{
    onActiveGrid([index](Grid &grid) {
        const QFont active = grid.ActiveCell().Font();
        switch (index) {
        case 0:
            grid.Selection().SetFontBold(!active.bold());
            break;
        case 1:
            grid.Selection().SetFontItalic(!active.italic());
            break;
        case 2:
            grid.Selection().SetFontUnderline(!active.underline());
            break;
        default:
            break;
        }
    });
}

void FormatToolbar::cboFontName_Click()
{
    const QString name = cboFontName->text();
    onActiveGrid([&name](Grid &grid) { grid.Selection().SetFontName(name); });
}

// A size that reads as nothing (an empty box, a text without a number) would leave the cells
// with no size at all: the cells keep theirs.
void FormatToolbar::cboFontSize_Click()
{
    const double points = leadingNumber(cboFontSize->text());
    onActiveGrid([points](Grid &grid) {
        if (points > 0)
            grid.Selection().SetFontSize(points);
    });
}

// New, cut and beautify run nothing; 设置 opens the preview like 打印预览, and it and 关于
// leave the focus where their command put it. The strip works on documents only: its 打开
// opens no new window.
void FormatToolbar::Toolbar1_Click(int index)
{
    if (!m_window.ActiveForm())
        return;
    using Command = void (frmMain::*)();
    static const Command commands[] = { nullptr, &frmMain::mnuOpen_Click, &frmMain::mnuSave_Click,
        &frmMain::mnuDirectPrint_Click, &frmMain::mnuPrintPreview_Click, nullptr, &frmMain::mnuCopy_Click,
        &frmMain::mnuPaste_Click, &frmMain::mnuMerge_Click, &frmMain::mnuUnMerge_Click, &frmMain::mnuInsertRows_Click,
        &frmMain::mnuInsertCols_Click, &frmMain::mnuDeleteByRow_Click, &frmMain::mnuDeleteByCol_Click, nullptr,
        &frmMain::mnuPrintPreview_Click, &frmMain::mnufileHelp_Click };
    const bool known = index >= 0 && index < int(std::size(commands));
    if (known && commands[index])
        (m_window.*commands[index])();
    if (index != 15 && index != 16)
        focusActiveGrid();
}
