#include "workbookreader/WorkbookFile.h"

#include "workbookreader/CompoundFile.h"
#include "workbookreader/XlsReader.h"
#include "workbookreader/XlsxReader.h"

#include <QHash>
#include <utility>

WorkbookContent WorkbookFile::Read(const QByteArray &bytes)
{
    if (CompoundFile::HasSignature(bytes))
        return Bounded(XlsReader::Read(bytes));
    if (XlsxReader::HasSignature(bytes))
        return Bounded(XlsxReader::Read(bytes));
    return WorkbookContent::Failed(WorkbookContent::Failure::NotAWorkbook);
}

WorkbookContent WorkbookFile::Bounded(WorkbookContent content)
{
    qint64 cells = 0;
    qint64 characters = 0;
    // Sheets that share their cells (sheet entries naming one sheet) count them each, but
    // they are walked once.
    QHash<const void *, std::pair<qint64, qint64>> counted;
    for (const WorksheetCells &sheet : content.sheets) {
        auto count = counted.constFind(sheet.rows.constData());
        if (count == counted.constEnd()) {
            std::pair<qint64, qint64> sheetCount { 0, 0 };
            for (const QVector<QVariant> &row : sheet.rows) {
                sheetCount.first += row.size();
                for (const QVariant &cell : row)
                    if (cell.typeId() == QMetaType::QString)
                        sheetCount.second += static_cast<const QString *>(cell.constData())->size();
            }
            count = counted.insert(sheet.rows.constData(), sheetCount);
        }
        cells += count->first;
        characters += count->second;
    }
    using Failure = WorkbookContent::Failure;
    const auto refused = [](Failure failure, qint64 amount) {
        WorkbookContent refusal = WorkbookContent::Failed(failure);
        refusal.amount = amount;
        return refusal;
    };
    if (cells > WorkbookContent::kMaxCells)
        return refused(Failure::TooManyCells, cells);
    if (characters > WorkbookContent::kMaxTextCharacters)
        return refused(Failure::TooMuchText, characters);
    return content;
}
