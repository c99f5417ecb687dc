#include "Grid.h"

#include "GridEditor.h"
#include "griddata/GridFile.h"
#include "gridprint/PrintPreviewDialog.h"

#include "prompts/Prompts.h"

#include <QListWidget>
#include <QScrollBar>

Grid::Grid(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_editor = new GridEditor(viewport());
    m_editor->installEventFilter(this);
    m_dropList = new QListWidget(viewport());
    m_dropList->hide();
    m_dropList->installEventFilter(this);
    connect(m_dropList, &QListWidget::itemClicked, this,
        [this](QListWidgetItem *item) { chooseFromDropDown(m_dropList->row(item)); });
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(GridData::DefaultRowHeight);
    updateScrollBars();
}

Grid::~Grid() = default;

void Grid::setData(const GridData &data)
{
    cancelEdit();
    closeDropDown();
    m_data = data;
    m_activeRow = 1;
    m_activeCol = 1;
    m_selection = m_data.mergeAt(1, 1);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    layoutChanged();
}

void Grid::SetRows(int rows)
{
    m_data.setRows(rows);
    layoutChanged();
}

void Grid::SetCols(int cols)
{
    m_data.setCols(cols);
    layoutChanged();
}

void Grid::SetRowHeight(int row, int height)
{
    m_data.setRowHeight(row, height);
    layoutChanged();
}

void Grid::InsertRow(int row, int count)
{
    m_data.insertRows(row, count);
    layoutChanged();
}

void Grid::SetDefaultFont(const QFont &font)
{
    m_data.setDefaultFont(font);
    cellsChanged();
}

void Grid::SetDefaultFontSize(double points)
{
    QFont font = m_data.defaultFont();
    if (points > 0)
        font.setPointSizeF(points);
    SetDefaultFont(font);
}

void Grid::SetDisplayRowIndex(bool on)
{
    m_data.setDisplayRowIndex(on);
    cellsChanged();
}

void Grid::SetRowIndexHidden(int row, bool hidden)
{
    m_data.setRowIndexHidden(row, hidden);
    cellsChanged();
}

void Grid::SetAutoRedraw(bool on)
{
    m_autoRedraw = on;
    if (on)
        Refresh();
}

void Grid::Refresh()
{
    // A refresh is also the moment to catch up with what changed while painting was off.
    updateScrollBars();
    viewport()->update();
}

void Grid::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void Grid::PrintPreview(int zoom)
{
    commitEdit();
    PrintPreviewDialog::run(m_data, zoom, m_disablePrintButton, this);
}

bool Grid::OpenFile(const QString &path)
{
    commitEdit();
    const bool asked = path.isEmpty();
    const QString file = asked ? Prompts::instance().openFileName(this, tr("打开"), QString(), FileFilter()) : path;
    if (file.isEmpty())
        return false;
    GridData loaded;
    if (!GridFile::load(file, loaded, &m_lastError))
        return fileFailed(asked);
    setData(loaded);
    return true;
}

bool Grid::SaveFile(const QString &path)
{
    commitEdit();
    const bool asked = path.isEmpty();
    const QString file = asked ? Prompts::instance().saveFileName(this, tr("保存"), QString(), FileFilter()) : path;
    if (file.isEmpty())
        return false;
    if (!GridFile::save(file, m_data, &m_lastError))
        return fileFailed(asked);
    return true;
}

QString Grid::FileFilter()
{
    return tr("表格文件 (*.cel)");
}

bool Grid::fileFailed(bool userChoseFile)
{
    // A file the user chose here has nobody else to report its failure; a caller that named
    // the file decides itself what to say.
    if (userChoseFile)
        Prompts::instance().message(this, m_lastError, tr("提示"), QMessageBox::Warning);
    return false;
}

void Grid::select(const CellRange &range, int activeRow, int activeCol)
{
    const CellRange inside = range.intersected(m_data.all());
    m_selection = inside.isEmpty() ? CellRange::cell(activeRow, activeCol) : m_data.expandedToMerges(inside);
    // The current cell is never a fixed one while there are others.
    m_activeRow = std::clamp(activeRow, std::min(1, m_data.rows() - 1), m_data.rows() - 1);
    m_activeCol = std::clamp(activeCol, std::min(1, m_data.cols() - 1), m_data.cols() - 1);
    cellsChanged();
}

bool Grid::isEditing() const
{
    return m_editor->isActive();
}

void Grid::cellsChanged()
{
    if (m_autoRedraw)
        viewport()->update();
}

void Grid::layoutChanged()
{
    // Rows or columns may have gone: keep the current cell and the selection inside the grid.
    // A grid cut to its fixed row or column and grown again (a list refilled) comes back to its
    // first body cell, not to the header.
    const int lastRow = m_data.rows() - 1;
    const int lastCol = m_data.cols() - 1;
    m_activeRow = std::clamp(m_activeRow, std::min(1, lastRow), lastRow);
    m_activeCol = std::clamp(m_activeCol, std::min(1, lastCol), lastCol);
    const CellRange inside = m_selection.intersected(m_data.all());
    m_selection = inside.isEmpty() || !inside.contains(m_activeRow, m_activeCol)
        ? m_data.mergeAt(m_activeRow, m_activeCol)
        : m_data.expandedToMerges(inside);
    if (m_autoRedraw) {
        // Sizes may change once per row of a long fill: the scroll bars catch up once, after it.
        if (!m_scrollBarsDirty) {
            m_scrollBarsDirty = true;
            QMetaObject::invokeMethod(this, &Grid::syncScrollBars, Qt::QueuedConnection);
        }
        viewport()->update();
    }
}
