#include "statistics/StatisticsDocument.h"

#include "datastore/AppState.h"
#include "db/Error.h"
#include "gridview/Grid.h"
#include "prompts/Prompts.h"
#include "workspace/GridFill.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>


frmDocument *StatisticsDocument::Open(const QString &source, const QString &title, const QString &failure)
{
    frmDocument *document = gMainForm ? gMainForm->LoadNewDoc() : nullptr;
    if (!document)
        return nullptr;
    if (FillGridFromTable(*document, GetDbPath(), source, title) < 0) {
        // The document lives in a sub-window that deletes itself, and the document with it.
        document->parentWidget()->close();
        Tell(failure);
        return nullptr;
    }
    // The empty row after the last record prints no number, as on the lists.
    Grid &grid = *document->Grid1;
    if (grid.Rows() > 1)
        grid.SetRowIndexHidden(grid.Rows() - 1, true);
    return document;
}

frmDocument *StatisticsDocument::OpenWithTotals(const std::function<void()> &saveQuery, const QString &source,
    const QString &title, const QString &failure, const std::function<QVector<qint64>()> &readTotals, int firstColumn)
{
    try {
        saveQuery();
    } catch (const db::Error &) {
        Tell(failure);
        return nullptr;
    }
    frmDocument *document = Open(source, title, failure);
    if (!document)
        return nullptr;
    document->Grid1->SetAutoRedraw(false);
    QVector<qint64> totals;
    try {
        totals = readTotals();
    } catch (const db::Error &) {
        // The rows stand; a totals row with its caption only says the sums are missing.
    }
    WriteTotals(*document->Grid1, totals, firstColumn);
    return document;
}

void StatisticsDocument::Tell(const QString &text)
{
    Prompts::instance().message(gMainForm, text, QStringLiteral("提示"), QMessageBox::Warning, QMessageBox::Ok);
}

void StatisticsDocument::WriteTotals(Grid &grid, const QVector<qint64> &totals, int firstColumn)
{
    grid.InsertRow(1, 1);
    grid.Cell(1, 1).SetText(QStringLiteral("合计"));
    for (int i = 0; i < totals.size() && firstColumn + i < grid.Cols(); ++i)
        grid.Cell(1, firstColumn + i).SetText(QString::number(totals.at(i)));
}

void StatisticsDocument::LayOutPaper(frmDocument &document, double portraitColumns, int titleRows)
{
    Grid &grid = *document.Grid1;
    PrintLayouts::AddMainTitle(grid, document.Text1->text(), 14);
    PrintLayouts::SetPaper(grid.PageSetup(), 1, 1);
    grid.PageSetup().PrintTitleRows = titleRows;
    PrintLayouts::FitReport(
        grid, [&](int width) { return double(width) / kColumnUnit * 1.01 > portraitColumns ? 2 : 1; });
}
