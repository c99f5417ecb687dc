#pragma once

#include "gridview/Grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPoint>
#include <QStringList>
#include <QTest>

#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A shown grid of a known size with plain row heights and column widths, and the helpers the
// input tests click and type with.
class GridFixture {
public:
    GridFixture(int rows = 20, int cols = 8)
    {
        grid.SetCols(cols);
        grid.SetRows(rows);
        grid.resize(640, 420);
        grid.show();
    }

    // The middle of a cell (of its merged block) in viewport pixels.
    QPoint centre(int row, int col) const
    {
        const GridData &d = grid.data();
        const CellRange block = d.mergeAt(row, col);
        const int x = d.colLeft(block.col1) + (d.colLeft(block.col2 + 1) - d.colLeft(block.col1)) / 2;
        const int y = d.rowTop(block.row1) + (d.rowTop(block.row2 + 1) - d.rowTop(block.row1)) / 2;
        return { x, y };
    }

    void click(int row, int col, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, centre(row, col));
    }

    void key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&grid, Qt::Key(key), modifiers); }
    // Types any text, Chinese included, one character per key press.
    void type(const QString &text)
    {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, ch.isLetterOrNumber() && ch.unicode() < 128 ? ch.toUpper().unicode() : 0,
                Qt::NoModifier, QString(ch));
            QApplication::sendEvent(&grid, &press);
        }
    }

    Grid grid;
};

// Writes every grid event into a list as text, with the current cell at the time, so that tests
// see the order and the moment of each.
class EventLog {
public:
    explicit EventLog(Grid &grid)
    {
        QObject::connect(&grid, &Grid::CellChange, [this, &grid](int r, int c) {
            events << QStringLiteral("CellChange %1,%2 text=%3 at %4,%5")
                          .arg(r)
                          .arg(c)
                          .arg(grid.data().text(r, c))
                          .arg(grid.activeRow())
                          .arg(grid.activeCol());
        });
        QObject::connect(&grid, &Grid::LeaveCell, [this, &grid](int r, int c, int nr, int nc, bool &cancel) {
            events << QStringLiteral("LeaveCell %1,%2->%3,%4 at %5,%6")
                          .arg(r)
                          .arg(c)
                          .arg(nr)
                          .arg(nc)
                          .arg(grid.activeRow())
                          .arg(grid.activeCol());
            cancel = cancelLeave;
        });
        QObject::connect(&grid, &Grid::Click,
            [this, &grid] { events << QStringLiteral("Click at %1,%2").arg(grid.activeRow()).arg(grid.activeCol()); });
        QObject::connect(&grid, &Grid::ComboDropDown,
            [this](int r, int c) { events << QStringLiteral("ComboDropDown %1,%2").arg(r).arg(c); });
        QObject::connect(
            &grid, &Grid::ComboClick, [this](int index) { events << QStringLiteral("ComboClick %1").arg(index); });
    }

    QStringList events;
    bool cancelLeave = false;
};
