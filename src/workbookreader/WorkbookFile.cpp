#include "workbookreader/WorkbookFile.h"

#include "workbookreader/CompoundFile.h"
#include "workbookreader/XlsReader.h"
#include "workbookreader/XlsxReader.h"

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
    for (const WorksheetCells &sheet : content.sheets)
        for (const QVector<QVariant> &row : sheet.rows) {
            cells += row.size();
            for (const QVariant &cell : row)
                if (cell.typeId() == QMetaType::QString)
                    characters += static_cast<const QString *>(cell.constData())->size();
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
