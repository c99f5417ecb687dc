#include "PrintPreviewDialog.h"

#include "griddata/GridData.h"
#include "PagePainter.h"
#include "PreviewPages.h"
#include "PrinterOutput.h"
#include "prompts/Prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

// The zooms the zoom box offers and 放大/缩小 step through, in percent.
constexpr int ZoomSteps[] = { 10, 25, 50, 75, 100, 125, 150, 200, 300, 400 };

} // namespace

PrintPreviewDialog::PrintPreviewDialog(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent)
    : QDialog(parent)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_data(data)
    , m_pages(new PreviewPages(data, this))
{
    setWindowTitle(QStringLiteral("打印预览"));
    setModal(true);
    if (const QScreen *screen = this->screen())
        resize(screen->availableSize() * 0.8);
    PagePainter::setUpDevice(*m_printer, data.pageSetup());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    addToolBar();
    layout->addWidget(m_pages, 1);
    m_print->setEnabled(!disablePrintButton);

    connect(m_pages, &PreviewPages::zoomFactorChanged, this, &PrintPreviewDialog::showZoom);
    connect(m_pages, &PreviewPages::currentPageChanged, this, &PrintPreviewDialog::showPage);
    m_pages->setZoomFactor(std::max(zoom, 1) / 100.0);
    showZoom(m_pages->zoomFactor());
    layOutPages();
    m_pages->setFocus();
}

PrintPreviewDialog::~PrintPreviewDialog()
{
    // The children go after this class is gone, and lose the focus or their scroll position
    // on the way: nothing of theirs may reach it then.
    for (const QObject *child : std::initializer_list<const QObject *> { m_pages, m_zoomBox, m_zoomBox->lineEdit() })
        disconnect(child, nullptr, this, nullptr);
}

void PrintPreviewDialog::run(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent)
{
    PrintPreviewDialog dialog(data, zoom, disablePrintButton, parent);
    dialog.exec();
}

void PrintPreviewDialog::addToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(bar);
    const auto add = [this, bar](const char *name, const QString &text, const QString &tip) {
        QAction *action = bar->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(tip);
        return action;
    };

    m_fitWidth = add("fitWidth", QStringLiteral("适合宽度"), QStringLiteral("页面宽度适合窗口"));
    m_fitPage = add("fitPage", QStringLiteral("适合页面"), QStringLiteral("整页适合窗口"));
    auto *fits = new QActionGroup(this);
    fits->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *fit : { m_fitWidth, m_fitPage }) {
        fit->setCheckable(true);
        fits->addAction(fit);
    }
    // A fit pressed again stays a fit: it is left by choosing a zoom.
    connect(m_fitWidth, &QAction::triggered, this, [this] { fit(PreviewPages::FitWidth); });
    connect(m_fitPage, &QAction::triggered, this, [this] { fit(PreviewPages::FitPage); });

    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->setToolTip(QStringLiteral("显示比例"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    for (int percent : ZoomSteps)
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent));
    m_zoomBox->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{1,3}\\s*%?\\s*")), m_zoomBox));
    m_zoomBox->setMinimumContentsLength(5);
    bar->addWidget(m_zoomBox);
    connect(m_zoomBox->lineEdit(), &QLineEdit::editingFinished, this, &PrintPreviewDialog::zoomToTyped);
    connect(m_zoomBox, &QComboBox::textActivated, this, &PrintPreviewDialog::zoomToTyped);
    connect(add("zoomIn", QStringLiteral("放大"), QStringLiteral("放大显示")), &QAction::triggered, this,
        [this] { zoomStep(1); });
    connect(add("zoomOut", QStringLiteral("缩小"), QStringLiteral("缩小显示")), &QAction::triggered, this,
        [this] { zoomStep(-1); });
    bar->addSeparator();

    m_portrait = add("portrait", QStringLiteral("纵向"), QStringLiteral("纵向打印"));
    m_landscape = add("landscape", QStringLiteral("横向"), QStringLiteral("横向打印"));
    auto *orientations = new QActionGroup(this);
    for (QAction *orientation : { m_portrait, m_landscape }) {
        orientation->setCheckable(true);
        orientations->addAction(orientation);
    }
    connect(m_portrait, &QAction::triggered, this, [this] { setOrientation(QPageLayout::Portrait); });
    connect(m_landscape, &QAction::triggered, this, [this] { setOrientation(QPageLayout::Landscape); });
    bar->addSeparator();

    connect(add("firstPage", QStringLiteral("第一页"), QStringLiteral("第一页")), &QAction::triggered, this,
        [this] { m_pages->setCurrentPage(1); });
    connect(add("previousPage", QStringLiteral("上一页"), QStringLiteral("上一页")), &QAction::triggered, this,
        [this] { m_pages->setCurrentPage(m_pages->currentPage() - 1); });
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setToolTip(QStringLiteral("当前页"));
    m_pageBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_pageBox->setKeyboardTracking(false);
    m_pageBox->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageBox);
    connect(m_pageBox, &QSpinBox::valueChanged, m_pages, &PreviewPages::setCurrentPage);
    connect(add("nextPage", QStringLiteral("下一页"), QStringLiteral("下一页")), &QAction::triggered, this,
        [this] { m_pages->setCurrentPage(m_pages->currentPage() + 1); });
    connect(add("lastPage", QStringLiteral("最后一页"), QStringLiteral("最后一页")), &QAction::triggered, this,
        [this] { m_pages->setCurrentPage(m_pages->pageCount()); });
    bar->addSeparator();

    connect(add("pageSetup", QStringLiteral("页面设置"), QStringLiteral("纸张和方向")), &QAction::triggered, this,
        &PrintPreviewDialog::pageSetup);
    m_print = add("print", QStringLiteral("打印"), QStringLiteral("打印这些页面"));
    connect(m_print, &QAction::triggered, this, &PrintPreviewDialog::print);
    connect(
        add("close", QStringLiteral("关闭"), QStringLiteral("关闭预览")), &QAction::triggered, this, &QDialog::reject);
}

void PrintPreviewDialog::layOutPages()
{
    m_pages->setPages(Paginator::paginate(PrinterOutput::layoutInput(*m_printer, m_data)));
    const int count = m_pages->pageCount();
    {
        const QSignalBlocker quiet(m_pageBox);
        m_pageBox->setRange(std::min(count, 1), count);
        m_pageBox->setSuffix(QStringLiteral(" / %1").arg(count));
    }
    showPage(m_pages->currentPage());
    showOrientation();
}

void PrintPreviewDialog::setOrientation(QPageLayout::Orientation orientation)
{
    m_printer->setPageOrientation(orientation);
    layOutPages();
}

void PrintPreviewDialog::showOrientation()
{
    const bool landscape = m_printer->pageLayout().orientation() == QPageLayout::Landscape;
    m_landscape->setChecked(landscape);
    m_portrait->setChecked(!landscape);
}

void PrintPreviewDialog::showZoom(double zoom)
{
    m_zoomBox->setEditText(QStringLiteral("%1%").arg(qRound(zoom * 100)));
    m_fitWidth->setChecked(m_pages->zoomMode() == PreviewPages::FitWidth);
    m_fitPage->setChecked(m_pages->zoomMode() == PreviewPages::FitPage);
}

void PrintPreviewDialog::fit(PreviewPages::ZoomMode mode)
{
    m_pages->setZoomMode(mode);
    showZoom(m_pages->zoomFactor());
}

void PrintPreviewDialog::zoomToTyped()
{
    QString text = m_zoomBox->currentText().trimmed();
    text.remove(QLatin1Char('%'));
    bool ok = false;
    const int percent = text.trimmed().toInt(&ok);
    if (!ok) {
        showZoom(m_pages->zoomFactor());
        return;
    }
    const int shown = qRound(m_pages->zoomFactor() * 100);
    const int wanted = std::clamp(percent, ZoomSteps[0], ZoomSteps[std::size(ZoomSteps) - 1]);
    // Leaving the box unchanged keeps a fit as it is.
    if (wanted != shown || m_pages->zoomMode() == PreviewPages::CustomZoom)
        m_pages->setZoomFactor(wanted / 100.0);
    showZoom(m_pages->zoomFactor());
}

void PrintPreviewDialog::zoomStep(int direction)
{
    // The next step past the zoom shown, which may lie between two steps after a fit.
    const double percent = m_pages->zoomFactor() * 100;
    int next = 0;
    for (int step : ZoomSteps)
        if (direction > 0 ? step > percent + 0.5 && next == 0 : step < percent - 0.5)
            next = step;
    if (next > 0)
        m_pages->setZoomFactor(next / 100.0);
}

void PrintPreviewDialog::showPage(int page)
{
    const QSignalBlocker quiet(m_pageBox);
    m_pageBox->setValue(page);
}

void PrintPreviewDialog::pageSetup()
{
    QPageSetupDialog dialog(m_printer.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        layOutPages();
}

void PrintPreviewDialog::print()
{
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setMinMax(1, std::max(m_pages->pageCount(), 1));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (printTo(*m_printer, &error))
        accept();
    else
        Prompts::instance().message(this, error, QStringLiteral("提示"), QMessageBox::Warning);
}

bool PrintPreviewDialog::printTo(QPrinter &printer, QString *error)
{
    return PrinterOutput::print(printer, m_data, error);
}
