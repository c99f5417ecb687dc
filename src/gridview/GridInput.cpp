// Moving and selecting, editing in place, the drop-down list, the clipboard, keys and mouse.

#include "Grid.h"

#include "GridCopyBuffer.h"
#include "GridEditor.h"
#include "TabText.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

// ---- moving and selecting

bool Grid::hasBody() const
{
    return m_data.rows() > 1 && m_data.cols() > 1;
}

bool Grid::moveTo(int row, int col)
{
    commitEdit();
    // A grid of only its fixed row or column (a list being filled) has nowhere to go.
    if (!hasBody())
        return false;
    const CellRange block
        = m_data.mergeAt(std::clamp(row, 1, m_data.rows() - 1), std::clamp(col, 1, m_data.cols() - 1));
    if (!m_data.isValid(block.row1, block.col1) || block.row1 == 0 || block.col1 == 0)
        return false;
    if (block.row1 != m_activeRow || block.col1 != m_activeCol) {
        bool cancel = false;
        emit LeaveCell(m_activeRow, m_activeCol, block.row1, block.col1, cancel);
        if (cancel)
            return false;
    }
    m_activeRow = block.row1;
    m_activeCol = block.col1;
    m_selection = block;
    ensureVisible(m_activeRow, m_activeCol);
    viewport()->update();
    return true;
}

int Grid::stepRow(int row, int step) const
{
    int r = row;
    do
        r += step;
    while (r >= 1 && r < m_data.rows() && m_data.rowHeight(r) == 0);
    return r >= 1 && r < m_data.rows() ? r : row;
}

int Grid::stepCol(int col, int step) const
{
    int c = col;
    do
        c += step;
    while (c >= 1 && c < m_data.cols() && m_data.colWidth(c) == 0);
    return c >= 1 && c < m_data.cols() ? c : col;
}

int Grid::pageRows() const
{
    // As many rows as the window shows at the current row's height.
    const int rowHeight
        = m_data.rowHeight(m_activeRow) > 0 ? m_data.rowHeight(m_activeRow) : GridData::DefaultRowHeight;
    return std::max(1, (viewport()->height() - fixedHeight()) / rowHeight);
}

bool Grid::moveBy(int rows, int cols, bool extend)
{
    // From a merged block, a step leaves it on the far side.
    const CellRange from
        = extend ? CellRange::cell(m_selection.row2, m_selection.col2) : m_data.mergeAt(m_activeRow, m_activeCol);
    int row = from.row1;
    int col = from.col1;
    if (rows > 0)
        for (int i = 0, r = from.row2; i < rows; ++i)
            row = r = stepRow(r, 1);
    else
        for (int i = 0; i < -rows; ++i)
            row = stepRow(row, -1);
    if (cols > 0)
        for (int i = 0, c = from.col2; i < cols; ++i)
            col = c = stepCol(c, 1);
    else
        for (int i = 0; i < -cols; ++i)
            col = stepCol(col, -1);
    if (extend) {
        extendSelectionTo(row, col);
        return true;
    }
    return moveTo(row, col);
}

void Grid::extendSelectionTo(int row, int col)
{
    if (!hasBody())
        return;
    row = std::clamp(row, 1, m_data.rows() - 1);
    col = std::clamp(col, 1, m_data.cols() - 1);
    const CellRange anchor = m_data.mergeAt(m_activeRow, m_activeCol);
    m_selection = m_data.expandedToMerges(anchor.united(CellRange::cell(row, col)));
    ensureVisible(row, col);
    viewport()->update();
}

// ---- editing

void Grid::beginEdit(const QString &text, bool byTyping)
{
    if (m_activeRow < 1 || m_activeCol < 1 || m_data.cellType(m_activeRow, m_activeCol) == CellTypeCheckBox)
        return;
    closeDropDown();
    ensureVisible(m_activeRow, m_activeCol);
    m_editor->setFont(m_data.effectiveFont(m_activeRow, m_activeCol));
    static const Qt::Alignment horizontal[] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight };
    const int code = m_data.effectiveAlignment(m_activeRow, m_activeCol);
    m_editor->setAlignment(horizontal[std::clamp(GridAlignment::horizontal(code), 0, 2)] | Qt::AlignVCenter);
    m_editor->begin(m_activeRow, m_activeCol, cellRect(m_activeRow, m_activeCol), m_data.text(m_activeRow, m_activeCol),
        text, byTyping, m_data.mask(m_activeCol));
    viewport()->update();
}

void Grid::commitEdit()
{
    if (!m_editor->isActive())
        return;
    const int row = m_editor->row();
    const int col = m_editor->col();
    const QString text = m_editor->text();
    const bool changed = text != m_editor->originalText();
    m_editor->finish();
    setFocus(Qt::OtherFocusReason);
    if (changed)
        storeUserText(row, col, text);
    viewport()->update();
}

void Grid::cancelEdit()
{
    if (!m_editor->isActive())
        return;
    m_editor->finish();
    setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void Grid::storeUserText(int row, int col, const QString &text)
{
    m_data.setText(row, col, text);
    emit CellChange(row, col);
}

bool Grid::editorKey(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitEdit();
        moveBy(shift ? -1 : 1, 0, false);
        return true;
    case Qt::Key_Tab:
        commitEdit();
        moveBy(0, 1, false);
        return true;
    case Qt::Key_Backtab:
        commitEdit();
        moveBy(0, -1, false);
        return true;
    case Qt::Key_Escape:
        cancelEdit();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        commitEdit();
        moveBy(event->key() == Qt::Key_Up ? -1 : 1, 0, false);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!m_editor->byTyping())
            return false;
        commitEdit();
        moveBy(0, event->key() == Qt::Key_Left ? -1 : 1, false);
        return true;
    default:
        return false;
    }
}

void Grid::toggleCheckBox()
{
    const bool ticked = m_data.text(m_activeRow, m_activeCol) == QLatin1String("1");
    storeUserText(m_activeRow, m_activeCol, ticked ? QStringLiteral("0") : QStringLiteral("1"));
    viewport()->update();
}

void Grid::openDropDown()
{
    const int row = m_activeRow;
    const int col = m_activeCol;
    // The caller may refill the list now.
    emit ComboDropDown(row, col);
    if (row != m_activeRow || col != m_activeCol)
        return;
    m_dropList->clear();
    m_dropList->addItems(m_comboList.items());
    const int current = int(m_comboList.items().indexOf(m_data.text(row, col)));
    m_dropList->setCurrentRow(std::max(current, 0));
    const QRect cell = cellRect(row, col);
    const int rowHeight = std::max(16, m_dropList->sizeHintForRow(0));
    const int height = std::min(8, std::max(1, m_comboList.ListCount())) * rowHeight + 4;
    int y = cell.bottom() + 1;
    if (y + height > viewport()->height() && cell.top() - height >= 0)
        y = cell.top() - height;
    m_dropList->setGeometry(cell.left(), y, std::max(cell.width(), 120), height);
    m_dropList->show();
    m_dropList->raise();
    m_dropList->setFocus(Qt::PopupFocusReason);
}

void Grid::chooseFromDropDown(int index)
{
    if (!m_dropList->isVisible() || index < 0 || index >= m_comboList.ListCount())
        return;
    closeDropDown();
    const QString chosen = m_comboList.List(index);
    if (chosen != m_data.text(m_activeRow, m_activeCol))
        storeUserText(m_activeRow, m_activeCol, chosen);
    emit ComboClick(index);
    viewport()->update();
}

void Grid::closeDropDown()
{
    if (!m_dropList->isVisible())
        return;
    m_dropList->hide();
    setFocus(Qt::OtherFocusReason);
}

void Grid::clearSelectionTexts()
{
    const CellRange block = m_selection.intersected({ 1, 1, m_data.rows() - 1, m_data.cols() - 1 });
    for (int r = block.row1; r <= block.row2; ++r)
        for (int c = block.col1; c <= block.col2; ++c)
            if (!m_data.text(r, c).isEmpty())
                storeUserText(r, c, QString());
    viewport()->update();
}

void Grid::copyToClipboard()
{
    Selection().CopyData();
    const GridBlock &block = GridCopyBuffer::block();
    QList<QStringList> rows;
    for (int r = 0; r < block.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < block.cols(); ++c)
            row.append(block.text(r, c));
        rows.append(row);
    }
    const QString text = TabText::write(rows);
    GridCopyBuffer::set(block, text);
    QApplication::clipboard()->setText(text);
}

void Grid::pasteFromClipboard()
{
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    if (text == GridCopyBuffer::clipboardText()) {
        Range(m_activeRow, m_activeCol, m_activeRow, m_activeCol).PasteData();
        return;
    }
    // Text from elsewhere (another spreadsheet): the block grows the grid as needed.
    const QList<QStringList> rows = TabText::parse(text);
    m_activeRow = std::max(m_activeRow, 1);
    m_activeCol = std::max(m_activeCol, 1);
    int width = 0;
    for (const QStringList &row : rows)
        width = std::max(width, int(row.size()));
    if (m_activeRow + int(rows.size()) > m_data.rows())
        m_data.setRows(m_activeRow + int(rows.size()));
    if (m_activeCol + width > m_data.cols())
        m_data.setCols(m_activeCol + width);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const int row = m_activeRow + r;
            const int col = m_activeCol + c;
            const QString &cell = rows[r][c];
            if (cell != m_data.text(row, col) && GridEditor::accepts(m_data.mask(col), cell))
                storeUserText(row, col, cell);
        }
    }
    m_selection = m_data.expandedToMerges(
        { m_activeRow, m_activeCol, m_activeRow + int(rows.size()) - 1, m_activeCol + std::max(width, 1) - 1 });
    layoutChanged();
}

// ---- input

bool Grid::focusNextPrevChild(bool)
{
    return false;
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    // Keys that reach the grid while a cell is being edited belong to the edit.
    if (m_editor->isActive()) {
        if (!editorKey(event))
            QCoreApplication::sendEvent(m_editor, event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        if (hasBody())
            select({ 1, 1, m_data.rows() - 1, m_data.cols() - 1 }, m_activeRow, m_activeCol);
        return;
    }
    const int cellType = hasBody() ? m_data.cellType(m_activeRow, m_activeCol) : int(CellTypeText);
    switch (event->key()) {
    case Qt::Key_Up:
        moveBy(-1, 0, shift);
        return;
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier && cellType == CellTypeDropDown) {
            openDropDown();
            return;
        }
        moveBy(1, 0, shift);
        return;
    case Qt::Key_Left:
        moveBy(0, -1, shift);
        return;
    case Qt::Key_Right:
        moveBy(0, 1, shift);
        return;
    case Qt::Key_Tab:
        moveBy(0, 1, false);
        return;
    case Qt::Key_Backtab:
        moveBy(0, -1, false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveBy(shift ? -1 : 1, 0, false);
        return;
    case Qt::Key_Home:
        moveTo(ctrl ? stepRow(0, 1) : m_activeRow, stepCol(0, 1));
        return;
    case Qt::Key_End:
        moveTo(ctrl ? stepRow(m_data.rows(), -1) : m_activeRow, stepCol(m_data.cols(), -1));
        return;
    case Qt::Key_PageDown:
        moveBy(pageRows(), 0, shift);
        return;
    case Qt::Key_PageUp:
        moveBy(-pageRows(), 0, shift);
        return;
    case Qt::Key_F2:
        if (cellType == CellTypeDropDown)
            openDropDown();
        else
            beginEdit(m_data.text(m_activeRow, m_activeCol), false);
        return;
    case Qt::Key_F4:
        if (cellType == CellTypeDropDown)
            openDropDown();
        return;
    case Qt::Key_Delete:
        clearSelectionTexts();
        return;
    case Qt::Key_Space:
        if (cellType == CellTypeCheckBox) {
            toggleCheckBox();
            return;
        }
        break;
    default:
        break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !ctrl && cellType != CellTypeCheckBox) {
        // A drop-down cell takes its entries from its list only.
        if (cellType == CellTypeDropDown)
            openDropDown();
        else if (GridEditor::accepts(m_data.mask(m_activeCol), typed))
            beginEdit(typed, true);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void Grid::mousePressEvent(QMouseEvent *event)
{
    closeDropDown();
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const int row = rowAtView(pos.y());
    const int col = colAtView(pos.x());
    if (row == 0 && (m_dragIndex = resizableColAt(pos.x())) >= 0) {
        m_drag = Drag::ResizeColumn;
        m_dragOrigin = pos.x() - m_data.colWidth(m_dragIndex);
        return;
    }
    if (col == 0 && (m_dragIndex = resizableRowAt(pos.y())) >= 0) {
        m_drag = Drag::ResizeRow;
        m_dragOrigin = pos.y() - m_data.rowHeight(m_dragIndex);
        return;
    }
    if (row < 0 || col < 0 || row >= m_data.rows() || col >= m_data.cols()) {
        commitEdit();
        return;
    }
    const int lastRow = m_data.rows() - 1;
    const int lastCol = m_data.cols() - 1;
    if (row == 0 || col == 0) {
        // The fixed row selects columns, the fixed column rows, the corner everything.
        if (!moveTo(row == 0 ? 1 : row, col == 0 ? 1 : col))
            return;
        m_drag = row == 0 && col == 0 ? Drag::None : (row == 0 ? Drag::Columns : Drag::Rows);
        m_dragIndex = row == 0 ? col : row;
        select({ row == 0 ? 1 : row, col == 0 ? 1 : col, row == 0 ? lastRow : row, col == 0 ? lastCol : col },
            m_activeRow, m_activeCol);
        emit Click();
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        commitEdit();
        extendSelectionTo(row, col);
        emit Click();
        return;
    }
    if (!moveTo(row, col))
        return;
    m_drag = Drag::Cells;
    const int type = m_data.cellType(m_activeRow, m_activeCol);
    if (type == CellTypeCheckBox)
        toggleCheckBox();
    else if (type == CellTypeDropDown)
        openDropDown();
    emit Click();
}

void Grid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    switch (m_drag) {
    case Drag::ResizeColumn:
        m_data.setColWidth(m_dragIndex, std::max(0, pos.x() - m_dragOrigin));
        layoutChanged();
        return;
    case Drag::ResizeRow:
        m_data.setRowHeight(m_dragIndex, std::max(0, pos.y() - m_dragOrigin));
        layoutChanged();
        return;
    case Drag::Cells:
        // Dragging past the window's edge brings the next row or column into view.
        extendSelectionTo(rowAtView(pos.y()), colAtView(pos.x()));
        return;
    case Drag::Columns: {
        if (!hasBody())
            return;
        const int col = std::clamp(colAtView(pos.x()), 1, m_data.cols() - 1);
        m_selection
            = m_data.expandedToMerges({ 1, std::min(col, m_dragIndex), m_data.rows() - 1, std::max(col, m_dragIndex) });
        viewport()->update();
        return;
    }
    case Drag::Rows: {
        if (!hasBody())
            return;
        const int row = std::clamp(rowAtView(pos.y()), 1, m_data.rows() - 1);
        m_selection
            = m_data.expandedToMerges({ std::min(row, m_dragIndex), 1, std::max(row, m_dragIndex), m_data.cols() - 1 });
        viewport()->update();
        return;
    }
    case Drag::None:
        break;
    }
    const bool onColEdge = rowAtView(pos.y()) == 0 && resizableColAt(pos.x()) >= 0;
    const bool onRowEdge = colAtView(pos.x()) == 0 && resizableRowAt(pos.y()) >= 0;
    viewport()->setCursor(onColEdge ? Qt::SplitHCursor : (onRowEdge ? Qt::SplitVCursor : Qt::ArrowCursor));
}

void Grid::mouseReleaseEvent(QMouseEvent *)
{
    m_drag = Drag::None;
    m_dragIndex = -1;
}

void Grid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int row = rowAtView(pos.y());
    const int col = colAtView(pos.x());
    if (row > 0 && col > 0 && m_data.mergeAt(row, col) == m_data.mergeAt(m_activeRow, m_activeCol)
        && m_data.cellType(m_activeRow, m_activeCol) == CellTypeText)
        beginEdit(m_data.text(m_activeRow, m_activeCol), false);
}

bool Grid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress)
            return editorKey(static_cast<QKeyEvent *>(event));
        // Leaving the window for a moment, or a menu popping up, keeps the edit open; focus
        // going elsewhere in the window (a toolbar, another grid) stores it.
        if (event->type() == QEvent::FocusOut && m_editor->isActive()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                commitEdit();
        }
    } else if (watched == m_dropList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseFromDropDown(m_dropList->currentRow());
            return true;
        }
        if (key == Qt::Key_Escape) {
            closeDropDown();
            return true;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
