#include "workspace/CellTextMeasure.h"

#include "grid/CellPainter.h"
#include "grid/GridData.h"

#include <cmath>

namespace {

// The cell painter sets a text 2 pixels in from either side and 1 from top and bottom.
constexpr int kHorizontalInset = 4;
constexpr int kVerticalInset = 2;
// Paper lays glyphs out unhinted, a pixel or two wider than the measure may say, and a text
// that touches its cell's lines reads badly.
constexpr int kPaperSlack = 4;
// 96 dots per inch, in the dots per metre an image keeps.
constexpr int kDotsPerMetre = 3780;

} // namespace

CellTextMeasure::CellTextMeasure(const GridData &data)
    : m_data(data)
    , m_device(1, 1, QImage::Format_RGB32)
{
    m_device.setDotsPerMeterX(kDotsPerMetre);
    m_device.setDotsPerMeterY(kDotsPerMetre);
}

const QFontMetricsF &CellTextMeasure::metricsOf(int row, int col)
{
    const int style = m_data.styleIndex(row, col);
    auto found = m_metrics.find(style);
    if (found == m_metrics.end())
        found = m_metrics.emplace(style, QFontMetricsF(m_data.effectiveFont(row, col), &m_device)).first;
    return found->second;
}

int CellTextMeasure::widthNeeded(int row, int col)
{
    const QString text = CellPainter::displayText(m_data, row, col);
    if (text.isEmpty())
        return 0;
    return int(std::ceil(metricsOf(row, col).horizontalAdvance(text))) + kHorizontalInset + kPaperSlack;
}

int CellTextMeasure::heightNeeded(int row, int col, int width)
{
    const QString text = CellPainter::displayText(m_data, row, col);
    if (text.isEmpty())
        return 0;
    const QRectF room(0, 0, std::max(1, width - kHorizontalInset - kPaperSlack), 1e6);
    const QRectF used = metricsOf(row, col).boundingRect(room, Qt::TextWordWrap, text);
    return int(std::ceil(used.height())) + kVerticalInset;
}
