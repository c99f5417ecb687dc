#include "workbookreader/WorkbookStream.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 tag = 0x4B574231; // "KWB1"

enum CellKind : quint8 { emptyCell = 0, numberCell = 1, textCell = 2 };

} // namespace

void WorkbookStream::Encode(const WorkbookContent &content, QIODevice &out)
{
    QDataStream stream(&out);
    stream.setVersion(QDataStream::Qt_6_4);
    stream << tag << qint32(content.failure) << content.sheet << content.claimedRows << content.claimedColumns
           << content.amount;
    stream << qint32(content.sheets.size());
    for (const WorksheetCells &sheet : content.sheets) {
        stream << sheet.name << qint32(sheet.rows.size());
        for (const QVector<QVariant> &row : sheet.rows) {
            stream << qint32(row.size());
            for (const QVariant &cell : row) {
                if (cell.isNull())
                    stream << quint8(emptyCell);
                else if (cell.typeId() == QMetaType::Double)
                    stream << quint8(numberCell) << cell.toDouble();
                else
                    stream << quint8(textCell) << cell.toString();
            }
        }
    }
    stream << tag;
}

bool WorkbookStream::Decode(const QByteArray &bytes, WorkbookContent &content)
{
    content = WorkbookContent();
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_4);
    quint32 head = 0;
    qint32 failure = 0;
    qint32 sheetCount = 0;
    stream >> head >> failure >> content.sheet >> content.claimedRows >> content.claimedColumns >> content.amount
        >> sheetCount;
    if (head != tag || failure < 0 || failure > qint32(WorkbookContent::Failure::TooLargeToHandOver) || sheetCount < 0
        || stream.status() != QDataStream::Ok)
        return false;
    content.failure = WorkbookContent::Failure(failure);
    // Every row takes at least four bytes and every cell one: counts beyond that are lies.
    const qint64 remaining = bytes.size();
    for (qint32 s = 0; s < sheetCount && stream.status() == QDataStream::Ok; ++s) {
        WorksheetCells sheet;
        qint32 rowCount = 0;
        stream >> sheet.name >> rowCount;
        if (rowCount < 0 || rowCount > remaining / 4)
            return false;
        sheet.rows.resize(rowCount);
        for (QVector<QVariant> &row : sheet.rows) {
            qint32 cellCount = 0;
            stream >> cellCount;
            if (cellCount < 0 || cellCount > remaining || stream.status() != QDataStream::Ok)
                return false;
            row.resize(cellCount);
            for (QVariant &cell : row) {
                quint8 kind = emptyCell;
                stream >> kind;
                if (kind == numberCell) {
                    double value = 0;
                    stream >> value;
                    cell = value;
                } else if (kind == textCell) {
                    QString text;
                    stream >> text;
                    cell = std::move(text);
                } else if (kind != emptyCell) {
                    return false;
                }
            }
        }
        content.sheets << std::move(sheet);
    }
    quint32 tail = 0;
    stream >> tail;
    return tail == tag && stream.status() == QDataStream::Ok && stream.atEnd();
}
