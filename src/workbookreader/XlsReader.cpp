#include "workbookreader/XlsReader.h"

#include "workbookreader/CompoundFile.h"
#include "workbookreader/NumberFormats.h"

#include <QHash>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {

enum RecordType : quint16 {
    recFormula = 0x0006,
    recEof = 0x000A,
    recDateMode = 0x0022,
    recFilePass = 0x002F,
    recContinue = 0x003C,
    recBoundSheet = 0x0085,
    recMulRk = 0x00BD,
    recRString = 0x00D6,
    recXf = 0x00E0,
    recSst = 0x00FC,
    recLabelSst = 0x00FD,
    recDimensions = 0x0200,
    recNumber = 0x0203,
    recLabel = 0x0204,
    recBoolErr = 0x0205,
    recString = 0x0207,
    recRk = 0x027E,
    recFormat = 0x041E,
    recBof = 0x0809,
};

// The BOF records of Excel 2.x to 4.x, which carry no version field of their own.
bool isOldBof(quint16 type)
{
    return type == 0x0009 || type == 0x0209 || type == 0x0409;
}

constexpr quint16 biff8 = 0x0600;
constexpr int maxRecordLength = 8224;

quint16 u16(const QByteArray &data, int offset)
{
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

quint32 u32(const QByteArray &data, int offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

double f64(const QByteArray &data, int offset)
{
    const quint64 bits = qFromLittleEndian<quint64>(data.constData() + offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double rkValue(quint32 rk)
{
    double value;
    if (rk & 0x02) {
        value = static_cast<double>(static_cast<qint32>(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

// The text Excel shows for an error code of a BOOLERR or FORMULA record.
QVariant errorCell(quint8 code)
{
    switch (code) {
    case 0x00:
        return CellError::Value(QStringLiteral("#NULL!"));
    case 0x07:
        return CellError::Value(QStringLiteral("#DIV/0!"));
    case 0x0F:
        return CellError::Value(QStringLiteral("#VALUE!"));
    case 0x17:
        return CellError::Value(QStringLiteral("#REF!"));
    case 0x1D:
        return CellError::Value(QStringLiteral("#NAME?"));
    case 0x24:
        return CellError::Value(QStringLiteral("#NUM!"));
    case 0x2A:
        return CellError::Value(QStringLiteral("#N/A"));
    default:
        return CellError::Value(QStringLiteral("#ERROR!"));
    }
}

QVariant booleanCell(quint8 value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

// Reads across a record and the CONTINUE records after it as if they were one, except that a
// text's characters carry on in a continuation after a fresh flags byte (so a long text may
// change between one and two bytes a character half-way).
class SegmentReader {
public:
    explicit SegmentReader(QVector<QByteArray> segments)
        : m_segments(std::move(segments))
    {
    }

    bool byte(quint8 &value)
    {
        if (!settle())
            return false;
        value = quint8(m_segments[m_segment][m_pos++]);
        return true;
    }
    bool u16(quint16 &value)
    {
        quint8 low, high;
        if (!byte(low) || !byte(high))
            return false;
        value = quint16(low | (high << 8));
        return true;
    }
    bool u32(quint32 &value)
    {
        quint16 low, high;
        if (!u16(low) || !u16(high))
            return false;
        value = quint32(low) | (quint32(high) << 16);
        return true;
    }
    bool skip(qint64 count)
    {
        while (count > 0) {
            if (!settle())
                return false;
            const qint64 step = qMin<qint64>(count, m_segments[m_segment].size() - m_pos);
            m_pos += int(step);
            count -= step;
        }
        return true;
    }
    // A text of `count` characters, two bytes each when `wide`.
    bool text(int count, bool wide, QString &out)
    {
        out.clear();
        out.reserve(count);
        while (count > 0) {
            if (m_segment >= m_segments.size())
                return false;
            if (m_pos >= m_segments[m_segment].size()) {
                if (++m_segment >= m_segments.size() || m_segments[m_segment].isEmpty())
                    return false;
                wide = m_segments[m_segment][0] & 0x01;
                m_pos = 1;
            }
            const QByteArray &data = m_segments[m_segment];
            const int available = (data.size() - m_pos) / (wide ? 2 : 1);
            const int take = qMin(count, available);
            if (take == 0)
                return false;
            if (wide)
                out.append(QString::fromUtf16(reinterpret_cast<const char16_t *>(data.constData() + m_pos), take));
            else
                out.append(QString::fromLatin1(data.constData() + m_pos, take));
            m_pos += take * (wide ? 2 : 1);
            count -= take;
        }
        return true;
    }
    // A string as cells and shared strings hold it: count, flags, optional run and extra
    // counts, characters, then the runs and extra bytes, which are skipped.
    bool richText(QString &out)
    {
        quint16 count;
        quint8 flags;
        if (!u16(count) || !byte(flags))
            return false;
        quint16 runs = 0;
        quint32 extra = 0;
        if (((flags & 0x08) && !u16(runs)) || ((flags & 0x04) && !u32(extra)))
            return false;
        return text(count, flags & 0x01, out) && skip(4 * qint64(runs)) && skip(extra);
    }

private:
    bool settle()
    {
        while (m_segment < m_segments.size() && m_pos >= m_segments[m_segment].size()) {
            ++m_segment;
            m_pos = 0;
        }
        return m_segment < m_segments.size();
    }

    QVector<QByteArray> m_segments;
    int m_segment = 0;
    int m_pos = 0;
};

} // namespace

WorkbookContent XlsReader::Read(const QByteArray &fileBytes)
{
    CompoundFile file;
    if (!file.Open(fileBytes))
        return WorkbookContent::Failed(WorkbookContent::Failure::Damaged);
    QByteArray stream;
    if (!file.ReadStream(QStringLiteral("Workbook"), stream)) {
        const bool old = file.ReadStream(QStringLiteral("Book"), stream);
        return WorkbookContent::Failed(old ? WorkbookContent::Failure::OldFormat : WorkbookContent::Failure::Damaged);
    }
    XlsReader reader(stream);
    const WorkbookContent::Failure failure = reader.readGlobals();
    if (failure != WorkbookContent::Failure::None)
        return WorkbookContent::Failed(failure);
    WorkbookContent content;
    // Each sheet is read once, however many entries name it: those entries share its cells.
    QHash<quint32, qsizetype> readSheets;
    for (const SheetEntry &entry : std::as_const(reader.m_sheetEntries)) {
        if (const auto read = readSheets.constFind(entry.offset); read != readSheets.constEnd()) {
            content.sheets << WorksheetCells { entry.name, content.sheets[*read].rows };
            continue;
        }
        readSheets.insert(entry.offset, content.sheets.size());
        const WorkbookContent::Failure sheetFailure = reader.readSheet(entry, content);
        if (sheetFailure != WorkbookContent::Failure::None) {
            content.failure = sheetFailure;
            content.sheets.clear();
            return content;
        }
    }
    return content;
}

bool XlsReader::recordAt(qint64 offset, Record &record) const
{
    if (offset < 0 || offset + 4 > m_stream.size())
        return false;
    record.type = u16(m_stream, int(offset));
    const int length = u16(m_stream, int(offset) + 2);
    if (length > maxRecordLength || offset + 4 + length > m_stream.size())
        return false;
    record.data = QByteArray::fromRawData(m_stream.constData() + offset + 4, length);
    record.next = offset + 4 + length;
    return true;
}

WorkbookContent::Failure XlsReader::readGlobals()
{
    using Failure = WorkbookContent::Failure;
    Record record;
    if (!recordAt(0, record))
        return Failure::Damaged;
    if (isOldBof(record.type) || (record.type == recBof && record.data.size() >= 2 && u16(record.data, 0) < biff8))
        return Failure::OldFormat;
    if (record.type != recBof)
        return Failure::Damaged;
    for (qint64 offset = record.next; recordAt(offset, record); offset = record.next) {
        const QByteArray &data = record.data;
        switch (record.type) {
        case recEof:
            return Failure::None;
        case recFilePass:
            return Failure::Protected;
        case recDateMode:
            m_numbers.SetFrom1904(data.size() >= 2 && u16(data, 0) == 1);
            break;
        case recXf:
            if (data.size() >= 4)
                m_numbers.AddStyle(u16(data, 2));
            break;
        case recFormat: {
            if (data.size() < 2)
                return Failure::Damaged;
            SegmentReader text({ data.mid(2) });
            quint16 count;
            quint8 flags;
            QString code;
            if (text.u16(count) && text.byte(flags) && text.text(count, flags & 0x01, code))
                m_numbers.AddFormat(u16(data, 0), code);
            break;
        }
        case recBoundSheet: {
            if (data.size() < 8)
                return Failure::Damaged;
            if (quint8(data[5]) != 0) // charts, macro sheets and modules hold no examinees
                break;
            SegmentReader text({ data.mid(6) });
            quint8 count, flags;
            SheetEntry entry;
            entry.offset = u32(data, 0);
            if (!text.byte(count) || !text.byte(flags) || !text.text(count, flags & 0x01, entry.name))
                return Failure::Damaged;
            m_sheetEntries << entry;
            break;
        }
        case recSst:
            if (!readSharedStrings(offset))
                return Failure::Damaged;
            break;
        default:
            break;
        }
    }
    return Failure::Damaged;
}

bool XlsReader::readSharedStrings(qint64 offset)
{
    QVector<QByteArray> segments;
    Record record;
    if (!recordAt(offset, record) || record.data.size() < 8)
        return false;
    segments << record.data.mid(8);
    const quint32 unique = u32(record.data, 4);
    while (recordAt(record.next, record) && record.type == recContinue)
        segments << record.data;
    SegmentReader reader(std::move(segments));
    m_sharedStrings.clear();
    // Each text takes at least three bytes: a count larger than the record allows is a lie.
    m_sharedStrings.reserve(int(qMin<quint32>(unique, quint32(m_stream.size() / 3))));
    for (quint32 i = 0; i < unique; ++i) {
        QString text;
        if (!reader.richText(text))
            return false;
        m_sharedStrings << text;
    }
    return true;
}

WorkbookContent::Failure XlsReader::readSheet(const SheetEntry &entry, WorkbookContent &content)
{
    using Failure = WorkbookContent::Failure;
    WorksheetCells sheet;
    sheet.name = entry.name;
    Record record;
    if (!recordAt(entry.offset, record) || record.type != recBof)
        return Failure::Damaged;
    int depth = 1;
    // A formula's text result follows it in a STRING record.
    int pendingRow = -1;
    int pendingColumn = -1;
    for (qint64 offset = record.next; recordAt(offset, record); offset = record.next) {
        const QByteArray &data = record.data;
        if (record.type == recBof) {
            ++depth;
            continue;
        }
        if (record.type == recEof) {
            if (--depth == 0) {
                content.sheets << std::move(sheet);
                return Failure::None;
            }
            continue;
        }
        if (depth != 1)
            continue;
        if (record.type == recDimensions) {
            if (data.size() < 12)
                return Failure::Damaged;
            const qint64 rows = u32(data, 4);
            const qint64 columns = u16(data, 10);
            if (rows > kMaxRows || columns > kMaxColumns) {
                content.sheet = sheet.name;
                content.claimedRows = rows;
                content.claimedColumns = columns;
                return Failure::TooLarge;
            }
            sheet.rows.reserve(rows);
            continue;
        }
        if (record.type == recString) {
            QVector<QByteArray> segments { data };
            Record next;
            for (qint64 at = record.next; recordAt(at, next) && next.type == recContinue; at = next.next)
                segments << next.data;
            SegmentReader reader(std::move(segments));
            quint16 count;
            quint8 flags;
            QString text;
            if (!reader.u16(count) || !reader.byte(flags) || !reader.text(count, flags & 0x01, text))
                return Failure::Damaged;
            if (pendingRow >= 0)
                sheet.Put(pendingRow, pendingColumn, text);
            pendingRow = -1;
            continue;
        }
        const bool isCell = record.type == recFormula || record.type == recMulRk || record.type == recRString
            || record.type == recLabelSst || record.type == recNumber || record.type == recLabel
            || record.type == recBoolErr || record.type == recRk;
        if (!isCell)
            continue;
        if (data.size() < 6)
            return Failure::Damaged;
        const int row = u16(data, 0);
        const int column = u16(data, 2);
        const quint16 xf = u16(data, 4);
        if (column >= kMaxColumns)
            return Failure::Damaged;
        switch (record.type) {
        case recNumber:
            if (data.size() < 14)
                return Failure::Damaged;
            sheet.Put(row, column, m_numbers.Cell(xf, f64(data, 6)));
            break;
        case recRk:
            if (data.size() < 10)
                return Failure::Damaged;
            sheet.Put(row, column, m_numbers.Cell(xf, rkValue(u32(data, 6))));
            break;
        case recMulRk: {
            const int count = (data.size() - 6) / 6;
            if (count < 1 || column + count > kMaxColumns)
                return Failure::Damaged;
            for (int i = 0; i < count; ++i)
                sheet.Put(row, column + i, m_numbers.Cell(u16(data, 4 + 6 * i), rkValue(u32(data, 6 + 6 * i))));
            break;
        }
        case recLabelSst: {
            if (data.size() < 10)
                return Failure::Damaged;
            const quint32 index = u32(data, 6);
            if (index >= quint32(m_sharedStrings.size()))
                return Failure::Damaged;
            sheet.Put(row, column, m_sharedStrings[int(index)]);
            break;
        }
        case recLabel:
        case recRString: {
            SegmentReader reader({ data.mid(6) });
            quint16 count;
            quint8 flags;
            QString text;
            if (!reader.u16(count) || !reader.byte(flags) || !reader.text(count, flags & 0x01, text))
                return Failure::Damaged;
            sheet.Put(row, column, text);
            break;
        }
        case recBoolErr:
            if (data.size() < 8)
                return Failure::Damaged;
            sheet.Put(row, column, data[7] == 0 ? booleanCell(quint8(data[6])) : errorCell(quint8(data[6])));
            break;
        case recFormula: {
            if (data.size() < 14)
                return Failure::Damaged;
            if (u16(data, 12) != 0xFFFF) {
                sheet.Put(row, column, m_numbers.Cell(xf, f64(data, 6)));
            } else if (data[6] == 0) {
                pendingRow = row;
                pendingColumn = column;
            } else if (data[6] == 1) {
                sheet.Put(row, column, booleanCell(quint8(data[8])));
            } else if (data[6] == 2) {
                sheet.Put(row, column, errorCell(quint8(data[8])));
            }
            break;
        }
        default:
            break;
        }
    }
    return Failure::Damaged;
}
