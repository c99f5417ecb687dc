#include "PreviewPages.h"

#include "PagePainter.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr double LayoutDpi = 96.0;
constexpr double MetersPerInch = 0.0254;
// Pages kept rendered on either side of the view, so that scrolling back a little does not
// draw them again; far ones are dropped.
constexpr int KeptAround = 2;
// At a high zoom a page is tens of megabytes: beyond this only the pages in view are kept.
constexpr qsizetype KeptBytes = 256 * 1024 * 1024;
const QColor DeskColor(0x80, 0x80, 0x80);
const QColor ShadowColor(0x50, 0x50, 0x50);
const QColor EdgeColor(0x30, 0x30, 0x30);

int floorDiv(int a, int b)
{
    return int(std::floor(double(a) / b));
}

} // namespace

PreviewPages::PreviewPages(const GridData &data, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_data(data)
{
    // Always there, so that fitting the width does not bring in a scroll bar that takes
    // some of that width away again.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

void PreviewPages::setPages(const QList<Page> &pages)
{
    // Laid out anew (turned, other paper), the view stays as far into the document as it was.
    const int before = pageCount();
    const int current = before > 0 ? 1 + int(qint64(m_current - 1) * pages.size() / before) : 1;
    m_pages = pages;
    m_cache.clear();
    const double zoom = m_zoomMode == CustomZoom ? m_zoom : std::clamp(fittedZoom(), MinZoom, MaxZoom);
    const bool zoomed = std::exchange(m_zoom, zoom) != zoom;
    updateScrollBars();
    setCurrentPage(current);
    viewport()->update();
    if (zoomed)
        emit zoomFactorChanged(m_zoom);
}

void PreviewPages::setZoomFactor(double zoom)
{
    m_zoomMode = CustomZoom;
    applyZoom(zoom);
}

void PreviewPages::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    if (mode != CustomZoom)
        applyZoom(fittedZoom());
}

void PreviewPages::setCurrentPage(int page)
{
    page = std::clamp(page, 1, std::max(pageCount(), 1));
    m_goingToPage = true;
    verticalScrollBar()->setValue((page - 1) * stride());
    m_goingToPage = false;
    if (std::exchange(m_current, page) != page)
        emit currentPageChanged(page);
}

QSizeF PreviewPages::paperSize() const
{
    return m_pages.isEmpty() ? QSizeF() : m_pages.first().paper;
}

QSize PreviewPages::pageSize() const
{
    const QSizeF paper = paperSize() * m_zoom;
    return QSize(qRound(paper.width()), qRound(paper.height()));
}

QList<int> PreviewPages::cachedPages() const
{
    QList<int> pages;
    for (const auto &[index, image] : m_cache)
        pages << index + 1;
    return pages;
}

QImage PreviewPages::cachedImage(int page) const
{
    const auto kept = m_cache.find(page - 1);
    return kept == m_cache.end() ? QImage() : kept->second;
}

QRect PreviewPages::pageRect(int index) const
{
    const QSize size = pageSize();
    const int room = viewport()->width() - size.width();
    const int x = room >= 2 * Gap ? room / 2 : Gap - horizontalScrollBar()->value();
    const int y = Gap + index * stride() - verticalScrollBar()->value();
    return QRect(QPoint(x, y), size);
}

std::pair<int, int> PreviewPages::visibleRange() const
{
    if (m_pages.isEmpty() || stride() <= 0)
        return { 0, -1 };
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    // Page i reaches from Gap + i * stride down to pageSize().height() below that.
    const int first = std::max(0, floorDiv(top - Gap - pageSize().height(), stride()) + 1);
    const int last = std::min(pageCount() - 1, -floorDiv(-(bottom - Gap), stride()) - 1);
    return { first, last };
}

const QImage &PreviewPages::rendering(int index)
{
    // A window moved to a screen of another pixel density draws its pages anew for it.
    const double dpr = viewport()->devicePixelRatioF();
    if (const auto kept = m_cache.find(index); kept != m_cache.end() && kept->second.devicePixelRatio() == dpr)
        return kept->second;
    QImage image(pageSize() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    // The page painter scales its 96 dpi layout to the device's dpi: this dpi makes one inch
    // of paper 96 × zoom pixels on screen, fonts and lines as on paper.
    const double dpi = LayoutDpi * m_zoom;
    image.setDotsPerMeterX(qRound(dpi / MetersPerInch));
    image.setDotsPerMeterY(qRound(dpi / MetersPerInch));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A device's dpi is a whole number: make up the rest, so the paper fills the image.
    painter.scale(dpi / image.logicalDpiX(), dpi / image.logicalDpiY());
    PagePainter::paintPage(painter, m_data, m_pages[index], pageCount());
    painter.end();
    ++m_rendered;
    return m_cache[index] = std::move(image);
}

void PreviewPages::dropFarPages(std::pair<int, int> visible)
{
    const auto distance = [visible](int index) {
        return index < visible.first ? visible.first - index : std::max(0, index - visible.second);
    };
    qsizetype bytes = 0;
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        if (distance(it->first) > KeptAround) {
            it = m_cache.erase(it);
        } else {
            bytes += it->second.sizeInBytes();
            ++it;
        }
    }
    while (bytes > KeptBytes) {
        const auto farthest = std::max_element(m_cache.begin(), m_cache.end(),
            [&distance](const auto &a, const auto &b) { return distance(a.first) < distance(b.first); });
        if (farthest == m_cache.end() || distance(farthest->first) == 0)
            break;
        bytes -= farthest->second.sizeInBytes();
        m_cache.erase(farthest);
    }
}

void PreviewPages::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), DeskColor);
    const std::pair<int, int> visible = visibleRange();
    for (int index = visible.first; index <= visible.second; ++index) {
        const QRect rect = pageRect(index);
        painter.fillRect(rect.translated(3, 3), ShadowColor);
        painter.setPen(EdgeColor);
        painter.drawRect(rect.adjusted(-1, -1, 0, 0));
        painter.drawImage(rect.topLeft(), rendering(index));
    }
    dropFarPages(visible);
}

void PreviewPages::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_zoomMode != CustomZoom)
        applyZoom(fittedZoom());
    else
        updateScrollBars();
}

void PreviewPages::scrollContentsBy(int, int)
{
    viewport()->update();
    if (!m_goingToPage)
        updateCurrentPage();
}

void PreviewPages::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Home:
        setCurrentPage(1);
        break;
    case Qt::Key_End:
        setCurrentPage(pageCount());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void PreviewPages::applyZoom(double zoom)
{
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (zoom == m_zoom)
        return;
    // The current page stays where it was in the view; a whole page fitted shows from its top.
    // The scroll bars' new range may move the view on its way: the page stays the one it was.
    QScrollBar *bar = verticalScrollBar();
    const int before = stride();
    const int current = m_current;
    const double within = before > 0 ? double(bar->value() - (current - 1) * before) / before : 0;
    m_zoom = zoom;
    m_cache.clear();
    m_goingToPage = true;
    updateScrollBars();
    if (m_zoomMode == FitPage)
        setCurrentPage(current);
    else
        bar->setValue(qRound((current - 1 + within) * stride()));
    m_goingToPage = false;
    viewport()->update();
    emit zoomFactorChanged(m_zoom);
}

double PreviewPages::fittedZoom() const
{
    const QSizeF paper = paperSize();
    if (paper.isEmpty())
        return m_zoom;
    const double width = (viewport()->width() - 2 * Gap) / paper.width();
    const double height = (viewport()->height() - 2 * Gap) / paper.height();
    return m_zoomMode == FitPage ? std::min(width, height) : width;
}

void PreviewPages::updateScrollBars()
{
    const QSize view = viewport()->size();
    const int height = m_pages.isEmpty() ? 0 : Gap + pageCount() * stride();
    const int width = pageSize().width() + 2 * Gap;
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
}

void PreviewPages::updateCurrentPage()
{
    const std::pair<int, int> visible = visibleRange();
    int best = -1;
    int shown = 0;
    for (int index = visible.first; index <= visible.second; ++index) {
        const QRect rect = pageRect(index);
        const int height = std::min(rect.bottom() + 1, viewport()->height()) - std::max(rect.top(), 0);
        if (height > shown) {
            shown = height;
            best = index;
        }
    }
    if (best >= 0 && std::exchange(m_current, best + 1) != best + 1)
        emit currentPageChanged(m_current);
}
