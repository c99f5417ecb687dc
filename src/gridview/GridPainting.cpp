// Where cells sit in the view, how the view scrolls, and how the visible cells are painted.

#include "Grid.h"

#include "gridprint/CellPainter.h"
#include "GridEditor.h"

#include <QPainter>
#include <QScrollBar>
#include <QSet>

namespace {

// How close to a header edge the pointer must be to drag it.
constexpr int ResizeGrip = 3;
const QColor ActiveFrame(0x1F, 0x5F, 0xBF);

} // namespace

// ---- geometry

int Grid::viewX(int col) const
{
    return col == 0 ? 0 : m_data.colLeft(col) - horizontalScrollBar()->value();
}

int Grid::viewY(int row) const
{
    return row == 0 ? 0 : m_data.rowTop(row) - verticalScrollBar()->value();
}

QRect Grid::blockRect(const CellRange &block) const
{
    const int x = viewX(block.col1);
    const int y = viewY(block.row1);
    const int width = m_data.colLeft(block.col2 + 1) - m_data.colLeft(block.col1);
    const int height = m_data.rowTop(block.row2 + 1) - m_data.rowTop(block.row1);
    return QRect(x, y, width, height);
}

int Grid::rowAtView(int y) const
{
    if (y < fixedHeight())
        return y < 0 ? -1 : 0;
    return m_data.rowAt(y + verticalScrollBar()->value());
}

int Grid::colAtView(int x) const
{
    if (x < fixedWidth())
        return x < 0 ? -1 : 0;
    return m_data.colAt(x + horizontalScrollBar()->value());
}

int Grid::resizableColAt(int x) const
{
    for (int c : { colAtView(x - ResizeGrip), colAtView(x + ResizeGrip) }) {
        if (c < 0 || c >= m_data.cols())
            continue;
        const int right = viewX(c) + m_data.colWidth(c);
        if (std::abs(right - x) <= ResizeGrip)
            return c;
    }
    return -1;
}

int Grid::resizableRowAt(int y) const
{
    for (int r : { rowAtView(y - ResizeGrip), rowAtView(y + ResizeGrip) }) {
        if (r < 0 || r >= m_data.rows())
            continue;
        const int bottom = viewY(r) + m_data.rowHeight(r);
        if (std::abs(bottom - y) <= ResizeGrip)
            return r;
    }
    return -1;
}

void Grid::syncScrollBars()
{
    if (m_scrollBarsDirty)
        updateScrollBars();
}

void Grid::updateScrollBars()
{
    m_scrollBarsDirty = false;
    const QSize area = viewport()->size();
    const int bodyWidth = std::max(0, area.width() - fixedWidth());
    const int bodyHeight = std::max(0, area.height() - fixedHeight());
    horizontalScrollBar()->setRange(0, std::max(0, m_data.totalWidth() - fixedWidth() - bodyWidth));
    horizontalScrollBar()->setPageStep(std::max(1, bodyWidth));
    verticalScrollBar()->setRange(0, std::max(0, m_data.totalHeight() - fixedHeight() - bodyHeight));
    verticalScrollBar()->setPageStep(std::max(1, bodyHeight));
}

void Grid::ensureVisible(int row, int col)
{
    if (row <= 0 && col <= 0)
        return;
    syncScrollBars();
    const CellRange block = m_data.mergeAt(row, col);
    const QSize area = viewport()->size();
    if (block.row1 > 0) {
        const int top = m_data.rowTop(block.row1) - fixedHeight();
        const int bottom = m_data.rowTop(block.row2 + 1) - fixedHeight();
        const int height = area.height() - fixedHeight();
        QScrollBar *bar = verticalScrollBar();
        if (top < bar->value())
            bar->setValue(top);
        else if (bottom > bar->value() + height)
            bar->setValue(std::min(top, bottom - height));
    }
    if (block.col1 > 0) {
        const int left = m_data.colLeft(block.col1) - fixedWidth();
        const int right = m_data.colLeft(block.col2 + 1) - fixedWidth();
        const int width = area.width() - fixedWidth();
        QScrollBar *bar = horizontalScrollBar();
        if (left < bar->value())
            bar->setValue(left);
        else if (right > bar->value() + width)
            bar->setValue(std::min(left, right - width));
    }
}

// ---- painting

void Grid::paintArea(QPainter &painter, const QRect &clip, int row1, int row2, int col1, int col2)
{
    if (clip.isEmpty() || row2 < row1 || col2 < col1)
        return;
    std::vector<PlacedCell> cells;
    QSet<quint64> placedBlocks;
    for (int r = row1; r <= row2; ++r) {
        if (m_data.rowHeight(r) == 0)
            continue;
        for (int c = runOnStart(r, col1); c <= col2; ++c) {
            if (m_data.colWidth(c) == 0)
                continue;
            const CellRange block = m_data.mergeAt(r, c);
            if (!block.isSingleCell()) {
                const quint64 key = (quint64(block.row1) << 32) | quint32(block.col1);
                if (placedBlocks.contains(key))
                    continue;
                placedBlocks.insert(key);
            }
            cells.push_back(PlacedCell { block.row1, block.col1, QRectF(blockRect(block)), isShownSelected(block) });
        }
    }
    CellPaintOptions options;
    options.dropDownArrows = true;
    painter.save();
    painter.setClipRect(clip);
    CellPainter::paintCells(painter, m_data, cells, options);
    painter.restore();
}

int Grid::runOnStart(int row, int col1) const
{
    // A text left of the window may run on into it: start the row at that text, with the empty
    // cells it runs over, so the cell painter sees them side by side. They lie outside the clip.
    if (row == 0 || col1 <= 1)
        return col1;
    const int bound = std::max(1, col1 - CellPainter::RunOnLookBack);
    for (int c = col1 - 1; c >= bound; --c) {
        if (m_data.colWidth(c) == 0 || CellPainter::lendsSpace(m_data, row, c))
            continue;
        return CellPainter::mayRunOn(m_data, row, c) ? c : col1;
    }
    return col1;
}

bool Grid::isShownSelected(const CellRange &block) const
{
    // Header cells light up for the rows and columns of the selection; the current cell keeps
    // its own colour inside the frame drawn around it.
    if (block.row1 == 0)
        return block.col1 > 0 && block.col1 >= m_selection.col1 && block.col1 <= m_selection.col2;
    if (block.col1 == 0)
        return block.row1 >= m_selection.row1 && block.row1 <= m_selection.row2;
    return m_selection.contains(block.row1, block.col1) && !(block.row1 == m_activeRow && block.col1 == m_activeCol);
}

void Grid::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, palette().color(QPalette::Window));
    const int fw = std::min(fixedWidth(), area.width());
    const int fh = std::min(fixedHeight(), area.height());
    const int lastRow = std::min(rowAtView(area.height() - 1), m_data.rows() - 1);
    const int lastCol = std::min(colAtView(area.width() - 1), m_data.cols() - 1);
    const int firstRow = std::max(1, rowAtView(fh));
    const int firstCol = std::max(1, colAtView(fw));
    const QRect body(fw, fh, area.width() - fw, area.height() - fh);
    paintArea(painter, body, firstRow, lastRow, firstCol, lastCol);
    paintArea(painter, QRect(fw, 0, area.width() - fw, fh), 0, 0, firstCol, lastCol);
    paintArea(painter, QRect(0, fh, fw, area.height() - fh), firstRow, lastRow, 0, 0);
    paintArea(painter, QRect(0, 0, fw, fh), 0, 0, 0, 0);

    if (m_activeRow > 0 && m_activeCol > 0 && !m_editor->isActive()) {
        painter.setClipRect(body);
        painter.setPen(QPen(ActiveFrame, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(m_activeRow, m_activeCol).adjusted(1, 1, -1, -1));
    }
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void Grid::scrollContentsBy(int, int)
{
    if (m_editor->isActive())
        m_editor->setGeometry(cellRect(m_editor->row(), m_editor->col()).adjusted(1, 1, -1, -1));
    closeDropDown();
    viewport()->update();
}
