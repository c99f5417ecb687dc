#include "workspace/CellTextMeasure.h"

#include "gridprint/CellPainter.h"
#include "griddata/GridData.h"

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

CellTextMeasure::Font &CellTextMeasure::fontOf(int row, int col)
{
    const int style = m_data.styleIndex(row, col);
    auto found = m_fonts.find(style);
    if (found == m_fonts.end()) {
        Font font { QFontMetricsF(m_data.effectiveFont(row, col), &m_device), std::vector<float>(0x10000, -1.0f) };
        found = m_fonts.emplace(style, std::move(font)).first;
    }
    return found->second;
}

int CellTextMeasure::padded(double textWidth)
{
    return int(std::ceil(textWidth)) + kHorizontalInset + kPaperSlack;
}

int CellTextMeasure::widthNeeded(int row, int col)
{
    const QString text = CellPainter::displayText(m_data, row, col);
    if (text.isEmpty())
        return 0;
    return padded(fontOf(row, col).metrics.horizontalAdvance(text));
}

int CellTextMeasure::widthNeededOver(int row, int col, int width)
{
    const QString text = CellPainter::displayText(m_data, row, col);
    if (text.isEmpty())
        return 0;
    Font &font = fontOf(row, col);
    double sum = 0;
    for (const QChar unit : text) {
        // Characters beyond the first 65,536 come as pairs that only make sense together.
        if (unit.isSurrogate())
            return padded(font.metrics.horizontalAdvance(text));
        float &advance = font.advances[unit.unicode()];
        if (advance < 0)
            advance = float(font.metrics.horizontalAdvance(unit));
        sum += advance;
    }
    // Kerning draws characters closer far more often than apart, and what it or shaping may add
    // stays well below the slack: a text whose characters add up to no more than `width` needs
    // no more.
    if (padded(sum) <= width)
        return 0;
    return padded(font.metrics.horizontalAdvance(text));
}

int CellTextMeasure::heightNeeded(int row, int col, int width)
{
    const QString text = CellPainter::displayText(m_data, row, col);
    if (text.isEmpty())
        return 0;
    const QRectF room(0, 0, std::max(1, width - kHorizontalInset - kPaperSlack), 1e6);
    const QRectF used = fontOf(row, col).metrics.boundingRect(room, Qt::TextWordWrap, text);
    return int(std::ceil(used.height())) + kVerticalInset;
}

int CellTextMeasure::widestWordNeeded(int row, int col)
{
    const QString text = CellPainter::displayText(m_data, row, col);
    if (text.isEmpty())
        return 0;
    // In a room one unit wide every line holds one unbreakable piece: the widest sets the width.
    const QRectF used = fontOf(row, col).metrics.boundingRect(QRectF(0, 0, 1, 1e6), Qt::TextWordWrap, text);
    return padded(used.width());
}
