#pragma once

#include <QString>
#include <QVector>

#include <functional>

class Grid;
class frmDocument;

// What the statistics documents share: opening a document on a saved query, the totals row
// "合计" under the header, and the paper of the reports that lay themselves out.
class StatisticsDocument {
public:
    // Opens a new document and fills it from the saved query `source` under `title`. When the
    // query cannot be read the document is closed again, `failure` is shown and the result is
    // nullptr: a report is there whole or not at all.
    static frmDocument *Open(const QString &source, const QString &title, const QString &failure);

    // The road of every head-count report: `saveQuery` makes the saved query `source`, the
    // document opens on it, and the totals row takes `readTotals` from column `firstColumn` on.
    // A failing save or fill shows `failure` and opens no document (nullptr); failing totals
    // leave the totals row with its caption only. Drawing stays off for the caller's layout.
    static frmDocument *OpenWithTotals(const std::function<void()> &saveQuery, const QString &source,
        const QString &title, const QString &failure, const std::function<QVector<qint64>()> &readTotals,
        int firstColumn);

    // Shows `text` in a message box titled "提示".
    static void Tell(const QString &text);

    // Inserts row 1 with "合计" in column 1 and `totals` from column `firstColumn` on. Empty
    // totals (their query failed) leave the caption alone in the row.
    static void WriteTotals(Grid &grid, const QVector<qint64> &totals, int firstColumn);

    // The printed titles and paper of a report laid out by itself: the title box's text as first
    // title (宋体 14, every page), 1 cm sides, 2 cm top and bottom with the header and footer 1 cm
    // from the edge, gridlines in black and white, centred, "共&n页  第&p页" at the foot. The page
    // is landscape when the columns, counted in units of 38 pixels and given 1% to spare, are
    // more than `portraitColumns`. Every column gets the width its texts need (a wrapping header
    // its widest word, which cannot break), from columns with room to spare, then smaller type,
    // never below 7 points; a table wider than its paper even then keeps those widths and prints
    // on sheets side by side. No text is cut.
    static void LayOutPaper(frmDocument &document, double portraitColumns, int titleRows);

    static constexpr int kColumnUnit = 38;
};
