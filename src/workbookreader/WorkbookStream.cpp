#include "workbookreader/WorkbookStream.h"

#include <QHash>
#include <QIODevice>
#include <cstring>
#include <type_traits>

namespace {

constexpr quint32 tag = 0x4B574232; // "KWB2"

// A text met before is handed over as its number: an .xls or .xlsx keeps each distinct text
// once and the cells share it, so the program makes each one once too.
enum CellKind : quint8 { emptyCell = 0, numberCell = 1, textCell = 2, errorCell = 3, repeatedTextCell = 4 };

// Both ends run on one machine: numbers and texts go as they lie in memory, into a buffer
// that grows by doubling (appending a few bytes at a time to a QByteArray costs more than
// the rest of the encoding).
class Writer {
public:
    template <typename T> void put(T value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        std::memcpy(room(sizeof value), &value, sizeof value);
    }
    void put(const QString &text)
    {
        put(quint32(text.size()));
        std::memcpy(room(text.size() * 2), text.utf16(), size_t(text.size()) * 2);
    }
    // What was put, the buffer cut to it.
    QByteArray take()
    {
        m_bytes.resize(m_size);
        return std::move(m_bytes);
    }

private:
    char *room(qsizetype size)
    {
        if (m_size + size > m_bytes.size())
            m_bytes.resize(qMax(2 * m_bytes.size(), m_size + size + 4096));
        char *at = m_bytes.data() + m_size;
        m_size += size;
        return at;
    }

    QByteArray m_bytes;
    qsizetype m_size = 0;
};

class Reader {
public:
    explicit Reader(const QByteArray &bytes)
        : m_at(bytes.constData())
        , m_end(bytes.constData() + bytes.size())
    {
    }
    template <typename T> bool get(T &value)
    {
        if (m_end - m_at < qsizetype(sizeof value))
            return false;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool get(QString &text)
    {
        quint32 length = 0;
        if (!get(length) || quint64(m_end - m_at) / 2 < length)
            return false;
        text = QString(qsizetype(length), Qt::Uninitialized);
        std::memcpy(text.data(), m_at, size_t(length) * 2);
        m_at += qsizetype(length) * 2;
        return true;
    }
    qsizetype left() const { return m_end - m_at; }

private:
    const char *m_at;
    const char *m_end;
};

} // namespace

void WorkbookStream::Encode(const WorkbookContent &content, QIODevice &out)
{
    Writer writer;
    writer.put(tag);
    writer.put(qint32(content.failure));
    writer.put(content.sheet);
    writer.put(qint64(content.claimedRows));
    writer.put(qint64(content.claimedColumns));
    writer.put(qint64(content.amount));
    writer.put(qint32(content.sheets.size()));
    // Sheets that share their cells (several sheet entries naming one part) are written once:
    // the later ones give, as a negative row count, the earlier sheet they are the same as.
    QHash<const void *, qint32> written;
    QHash<const QChar *, quint32> texts;
    quint32 textCount = 0;
    for (qint32 s = 0; s < qint32(content.sheets.size()); ++s) {
        const WorksheetCells &sheet = content.sheets[s];
        writer.put(sheet.name);
        if (!sheet.rows.isEmpty()) {
            const auto same = written.constFind(sheet.rows.constData());
            if (same != written.constEnd()) {
                writer.put(qint32(-(*same + 1)));
                continue;
            }
            written.insert(sheet.rows.constData(), s);
        }
        writer.put(qint32(sheet.rows.size()));
        for (const QVector<QVariant> &row : sheet.rows) {
            writer.put(qint32(row.size()));
            for (const QVariant &cell : row) {
                const int type = cell.typeId();
                if (type == QMetaType::Double) {
                    writer.put(quint8(numberCell));
                    writer.put(*static_cast<const double *>(cell.constData()));
                } else if (type == QMetaType::QString) {
                    const QString &text = *static_cast<const QString *>(cell.constData());
                    const auto known = texts.constFind(text.constData());
                    if (known != texts.constEnd() && !text.isEmpty()) {
                        writer.put(quint8(repeatedTextCell));
                        writer.put(*known);
                        continue;
                    }
                    texts.insert(text.constData(), textCount++);
                    writer.put(quint8(textCell));
                    writer.put(text);
                } else if (CellError::Is(cell)) {
                    writer.put(quint8(errorCell));
                    writer.put(CellError::Text(cell));
                } else {
                    writer.put(quint8(emptyCell));
                }
            }
        }
    }
    writer.put(tag);
    out.write(writer.take());
}

bool WorkbookStream::Decode(const QByteArray &bytes, WorkbookContent &content)
{
    content = WorkbookContent();
    Reader reader(bytes);
    quint32 head = 0;
    qint32 failure = 0;
    qint32 sheetCount = 0;
    qint64 claimedRows = 0, claimedColumns = 0, amount = 0;
    if (!reader.get(head) || head != tag || !reader.get(failure) || !reader.get(content.sheet)
        || !reader.get(claimedRows) || !reader.get(claimedColumns) || !reader.get(amount) || !reader.get(sheetCount)
        || failure < 0 || failure > qint32(WorkbookContent::Failure::TooLargeToHandOver) || sheetCount < 0)
        return false;
    content.failure = WorkbookContent::Failure(failure);
    content.claimedRows = claimedRows;
    content.claimedColumns = claimedColumns;
    content.amount = amount;
    // Every row takes at least four bytes and every cell one: counts beyond what is left are
    // lies.
    QVector<QString> texts;
    for (qint32 s = 0; s < sheetCount; ++s) {
        WorksheetCells sheet;
        qint32 rowCount = 0;
        if (!reader.get(sheet.name) || !reader.get(rowCount))
            return false;
        if (rowCount < 0 && rowCount >= -s) {
            sheet.rows = content.sheets[-rowCount - 1].rows;
            content.sheets << std::move(sheet);
            continue;
        }
        if (rowCount < 0 || rowCount > reader.left() / 4)
            return false;
        sheet.rows.resize(rowCount);
        for (QVector<QVariant> &row : sheet.rows) {
            qint32 cellCount = 0;
            if (!reader.get(cellCount) || cellCount < 0 || cellCount > reader.left())
                return false;
            row.reserve(cellCount);
            for (qint32 c = 0; c < cellCount; ++c) {
                quint8 kind = emptyCell;
                if (!reader.get(kind))
                    return false;
                switch (kind) {
                case emptyCell:
                    row.emplaceBack();
                    break;
                case numberCell: {
                    double value = 0;
                    if (!reader.get(value))
                        return false;
                    row.emplaceBack(value);
                    break;
                }
                case textCell: {
                    QString text;
                    if (!reader.get(text))
                        return false;
                    texts << text;
                    row.emplaceBack(std::move(text));
                    break;
                }
                case repeatedTextCell: {
                    quint32 index = 0;
                    if (!reader.get(index) || index >= quint32(texts.size()))
                        return false;
                    row.emplaceBack(texts[index]);
                    break;
                }
                case errorCell: {
                    QString text;
                    if (!reader.get(text))
                        return false;
                    row.emplaceBack(CellError::Value(text));
                    break;
                }
                default:
                    return false;
                }
            }
        }
        content.sheets << std::move(sheet);
    }
    quint32 tail = 0;
    return reader.get(tail) && tail == tag && reader.left() == 0;
}
