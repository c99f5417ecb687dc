#pragma once

#include <QString>

// Filling and laying out the grid of the active document window (gMainForm->ActiveForm()).
// Each does nothing when no document is active.

// The caption and title of the next document to be filled; each producer sets it just before
// FillGridFromTable.
extern QString gDocTitle;

// Fills the active document's grid from a table or saved query of the database at `dbPath`:
// the header row with the field names, one row per record (column 0 tagged "U") and one empty
// row after the last record, also when there are none. Column 1 gets the text mask, every
// Double field but 学号 the number mask and width 50. The window caption becomes gDocTitle and
// the title box gDocTitle & " （" & count & "）", or gDocTitle & " [没有记录]".
// Opens gDb and closes it again; a database error ends the fill where it stands, silently.
void FillGridFromTable(const QString &dbPath, const QString &source);

// Print layout of a plain list: the title box as title, portrait, columns fitted to their
// texts, header wrapped and centred. Called after every cell is written.
void LayoutListReport();
// Print layout of a statistics table: widths and masks chosen by the header texts, landscape
// when the columns do not fit a portrait page. Called after every cell is written.
void LayoutStatisticsReport();
