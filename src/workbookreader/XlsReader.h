#pragma once

#include "workbookreader/NumberFormats.h"
#include "workbookreader/WorkbookContent.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// Reads the worksheets of an Excel 97-2003 workbook (.xls: records of the BIFF8 format in a
// compound document file). Numbers stay numbers; numbers formatted as dates or times become
// their text (2024-06-01, 08:30:00, 2024-06-01 08:30:00); texts of any length, empty texts and
// texts continued over several records read whole. A sheet that claims more than 65,536 rows
// or 256 columns is refused before anything is kept of it.
class XlsReader {
public:
    static constexpr qint64 kMaxRows = 65536;
    static constexpr qint64 kMaxColumns = 256;

    static WorkbookContent Read(const QByteArray &fileBytes);

private:
    struct Record {
        quint16 type = 0;
        QByteArray data;
        qint64 next = 0;
    };
    struct SheetEntry {
        quint32 offset = 0;
        QString name;
    };

    explicit XlsReader(const QByteArray &stream)
        : m_stream(stream)
    {
    }
    bool recordAt(qint64 offset, Record &record) const;
    WorkbookContent::Failure readGlobals();
    bool readSharedStrings(qint64 offset);
    WorkbookContent::Failure readSheet(const SheetEntry &entry, WorkbookContent &content);

    QByteArray m_stream;
    QVector<SheetEntry> m_sheetEntries;
    QStringList m_sharedStrings;
    NumberFormats m_numbers;
};
