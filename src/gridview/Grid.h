#pragma once

#include "griddata/CellRange.h"
#include "GridCell.h"
#include "GridColumn.h"
#include "GridComboList.h"
#include "griddata/GridData.h"
#include "GridRange.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>

class GridEditor;
class QListWidget;

// The spreadsheet grid of every document window, of the ticket template and of every printout.
//
// How callers use it: the documented member names, as methods.
//  - A property P reads with P() and is written with SetP(value):
//        grid.SetRows(n); grid.Rows(); grid.SetAutoRedraw(false);
//  - Members with indices return small proxies (a Grid* and the indices, made on the spot):
//        grid.Cell(2, 3).SetText("x");      grid.Cell(2, 3).text();
//        grid.Column(2).SetWidth(50);       grid.Column(1).SetMask(MaskText);
//        grid.Range(1, 1, 2, 3).Merge();    grid.Range(1, 0, 11, 15).Selected();
//        grid.Selection().SetFontBold(true); grid.Selection().SetBorders(EdgeTop, LineThin);
//        grid.ActiveCell().Font().bold();
//  - Collections are returned by reference:
//        grid.ReportTitles().Add(title);    grid.PageSetup().Orientation = 1;
//        grid.HPageBreaks().Add(row);       grid.Images().Add(path, key);
//        grid.ComboBox().AddItem("姓名");
// Colours are 0x00BBGGRR; sizes pixels at 96 dpi; margins centimetres; fonts points.
//
// Events, in the order a user's move produces them: an edit is committed, CellChange, LeaveCell
// (which may cancel the move), the move, Click (mouse only). A check-box cell stores its new
// state before Click.
class Grid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit Grid(QWidget *parent = nullptr);
    ~Grid() override;

    GridData &data() { return m_data; }
    const GridData &data() const { return m_data; }
    // Replaces the whole content (a loaded file); selection and scrolling start afresh.
    void setData(const GridData &data);

    int Rows() const { return m_data.rows(); }
    void SetRows(int rows);
    int Cols() const { return m_data.cols(); }
    void SetCols(int cols);
    GridCell Cell(int row, int col) { return GridCell(this, row, col); }
    GridColumn Column(int col) { return GridColumn(this, col); }
    GridRange Range(int row1, int col1, int row2, int col2)
    {
        return GridRange(this, CellRange::spanning(row1, col1, row2, col2));
    }
    GridRange Selection() { return GridRange(this, m_selection); }
    GridCell ActiveCell() { return GridCell(this, m_activeRow, m_activeCol); }
    int RowHeight(int row) const { return m_data.rowHeight(row); }
    void SetRowHeight(int row, int height);
    // Inserts `count` empty rows before `row`.
    void InsertRow(int row, int count);

    QFont DefaultFont() const { return m_data.defaultFont(); }
    void SetDefaultFont(const QFont &font);
    void SetDefaultFontSize(double points);
    bool DisplayRowIndex() const { return m_data.displayRowIndex(); }
    void SetDisplayRowIndex(bool on);
    // With DisplayRowIndex on, the grid numbers its rows itself, on screen and on paper: the
    // rows count 1, 2, 3 ... from the top after any insert or delete. A producer marks a row
    // that must show no number (a room list's location line, a list's trailing empty row)
    // with SetRowIndexHidden(row, true); the rows below it go on from the last number shown.
    // The mark moves with its row through inserts and deletes and is saved in grid files.
    //     grid.SetDisplayRowIndex(true); grid.SetRowIndexHidden(grid.Rows() - 1, true);
    bool RowIndexHidden(int row) const { return m_data.rowIndexHidden(row); }
    void SetRowIndexHidden(int row, bool hidden);
    // False suspends painting (and scroll-bar upkeep) until it is set True again.
    bool AutoRedraw() const { return m_autoRedraw; }
    void SetAutoRedraw(bool on);
    void Refresh();
    void SetFocus();

    ::ReportTitles &ReportTitles() { return m_data.reportTitles(); }
    ::PageSetup &PageSetup() { return m_data.pageSetup(); }
    ::HPageBreaks &HPageBreaks() { return m_data.hPageBreaks(); }
    GridImages &Images() { return m_data.images(); }
    GridComboList &ComboBox() { return m_comboList; }

    // Shows the print preview at `zoom` percent; returns when it is closed.
    void PrintPreview(int zoom = 100);
    bool DisablePrintButton() const { return m_disablePrintButton; }
    void SetDisablePrintButton(bool on) { m_disablePrintButton = on; }
    // Replaces the grid by a grid file; "" asks for the file. False (grid unchanged) on failure,
    // with the reason in lastError(); a failure with a file chosen here is also shown.
    bool OpenFile(const QString &path);
    // Writes the grid to a grid file, never leaving a half-written one; "" asks for the name.
    bool SaveFile(const QString &path);
    const QString &lastError() const { return m_lastError; }
    // The file dialogs' filter for grid files.
    static QString FileFilter();

    // The current cell and the selected block.
    int activeRow() const { return m_activeRow; }
    int activeCol() const { return m_activeCol; }
    const CellRange &selectedRange() const { return m_selection; }
    // Selects `range` (grown to its merges) with (activeRow, activeCol) the current cell,
    // without events: a program's selection is no user move.
    void select(const CellRange &range, int activeRow, int activeCol);
    bool isEditing() const;
    // Stores an open edit in its cell, before cells move under it.
    void commitEdit();

    // Proxies report what they changed, so the grid repaints (when AutoRedraw) and keeps its
    // scroll bars and selection in step.
    void cellsChanged();
    void layoutChanged();

signals:
    void CellChange(int row, int col);
    void LeaveCell(int row, int col, int newRow, int newCol, bool &cancel);
    void Click();
    void ComboDropDown(int row, int col);
    void ComboClick(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Tab moves between cells, not out of the grid.
    bool focusNextPrevChild(bool next) override;

private:
    enum class Drag { None, Cells, Columns, Rows, ResizeColumn, ResizeRow };

    // Geometry, in viewport pixels.
    int fixedWidth() const { return m_data.colWidth(0); }
    int fixedHeight() const { return m_data.rowHeight(0); }
    int viewX(int col) const;
    int viewY(int row) const;
    QRect blockRect(const CellRange &block) const;
    QRect cellRect(int row, int col) const { return blockRect(m_data.mergeAt(row, col)); }
    int rowAtView(int y) const;
    int colAtView(int x) const;
    // The column whose right edge (row whose bottom edge) lies under x (y) in the fixed row
    // (column), or -1: that edge can be dragged.
    int resizableColAt(int x) const;
    int resizableRowAt(int y) const;
    void updateScrollBars();
    void syncScrollBars();
    void ensureVisible(int row, int col);
    void paintArea(QPainter &painter, const QRect &clip, int row1, int row2, int col1, int col2);
    int runOnStart(int row, int col1) const;
    bool isShownSelected(const CellRange &block) const;

    bool hasBody() const;
    // Moving the current cell the way a user does: the edit is stored, CellChange, LeaveCell
    // (which may cancel), the move. Returns whether the move happened.
    bool moveTo(int row, int col);
    bool moveBy(int rows, int cols, bool extend);
    void extendSelectionTo(int row, int col);
    int stepRow(int row, int step) const;
    int stepCol(int col, int step) const;
    int pageRows() const;

    void beginEdit(const QString &text, bool byTyping);
    void cancelEdit();
    bool editorKey(QKeyEvent *event);
    void storeUserText(int row, int col, const QString &text);
    void toggleCheckBox();
    void openDropDown();
    void chooseFromDropDown(int index);
    void closeDropDown();
    void clearSelectionTexts();
    bool fileFailed(bool userChoseFile);
    void copyToClipboard();
    void pasteFromClipboard();

    GridData m_data;
    GridComboList m_comboList;
    int m_activeRow = 1;
    int m_activeCol = 1;
    CellRange m_selection = CellRange::cell(1, 1);
    bool m_autoRedraw = true;
    bool m_disablePrintButton = false;
    QString m_lastError;
    bool m_scrollBarsDirty = false;
    GridEditor *m_editor = nullptr;
    QListWidget *m_dropList = nullptr;
    Drag m_drag = Drag::None;
    int m_dragIndex = -1;
    // Where a dragged header edge would be at size 0, so the edge keeps its distance to the pointer.
    int m_dragOrigin = 0;
};
