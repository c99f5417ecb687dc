#include "workbookreader/XlsxReader.h"

#include <QHash>
#include <charconv>
#include <cstring>
#include <expat.h>
#include <new>
#include <string>
#include <zip.h>

namespace {

// An unpacked part larger than this is not a school's exam: refuse it before unpacking.
constexpr zip_uint64_t maxPartSize = 512ull * 1024 * 1024;
// Parts are unpacked and parsed a piece at a time, never whole.
constexpr int chunkSize = 256 * 1024;

// The name without its namespace prefix ("x:c" -> "c"): writers differ in the prefixes they
// give the same elements.
const char *localName(const char *name)
{
    const char *colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool is(const char *name, const char *local)
{
    return std::strcmp(localName(name), local) == 0;
}

// The value of the attribute whose local name is `local` (expat lists name, value, ...);
// nullptr when there is none.
const char *attribute(const char **attributes, const char *local)
{
    for (; *attributes; attributes += 2)
        if (is(attributes[0], local))
            return attributes[1];
    return nullptr;
}

template <typename T> bool parseNumber(const char *begin, const char *end, T &value)
{
    while (begin < end && (*begin == ' ' || *begin == '\t' || *begin == '\n' || *begin == '\r'))
        ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\n' || end[-1] == '\r'))
        --end;
    if (begin < end && *begin == '+')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && begin < end;
}

template <typename T> bool parseNumber(const std::string &text, T &value)
{
    return parseNumber(text.data(), text.data() + text.size(), value);
}

// One part's XML, parsed as it comes with expat. A handler sees the start and end of every
// element and the text between; it calls fail() to stop the parse.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void start(const char *name, const char **attributes) = 0;
    virtual void end(const char *name) = 0;
    virtual void text(const char *, int) { }

    void fail() { m_failed = true; XML_StopParser(m_parser, XML_FALSE); }

    // Parses the pieces `next` hands out (false from it: the part cannot be read; an empty
    // piece: the part is over). False when the part is no XML or the handler failed; throws
    // std::bad_alloc when the parser runs out of memory, as the rest of the reader does.
    template <typename Next> bool parse(Next next)
    {
        XML_Parser parser = XML_ParserCreate(nullptr);
        if (!parser)
            throw std::bad_alloc();
        m_parser = parser;
        XML_SetUserData(parser, this);
        XML_SetElementHandler(
            parser,
            [](void *self, const XML_Char *name, const XML_Char **attributes) {
                static_cast<XmlHandler *>(self)->start(name, attributes);
            },
            [](void *self, const XML_Char *name) { static_cast<XmlHandler *>(self)->end(name); });
        XML_SetCharacterDataHandler(parser, [](void *self, const XML_Char *text, int length) {
            static_cast<XmlHandler *>(self)->text(text, length);
        });
        bool ok = true;
        bool outOfMemory = false;
        for (;;) {
            void *buffer = XML_GetBuffer(parser, chunkSize);
            qint64 got = 0;
            if (!buffer || !next(static_cast<char *>(buffer), chunkSize, got)
                || XML_ParseBuffer(parser, int(got), got == 0) != XML_STATUS_OK) {
                ok = false;
                outOfMemory = !buffer || XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY;
                break;
            }
            if (got == 0)
                break;
        }
        XML_ParserFree(parser);
        m_parser = nullptr;
        if (outOfMemory)
            throw std::bad_alloc();
        return ok && !m_failed;
    }
    bool parse(const QByteArray &xml)
    {
        qint64 at = 0;
        return parse([&](char *buffer, qint64 size, qint64 &got) {
            got = qMin(size, xml.size() - at);
            std::memcpy(buffer, xml.constData() + at, size_t(got));
            at += got;
            return true;
        });
    }

private:
    XML_Parser m_parser = nullptr;
    bool m_failed = false;
};

// The archive, closed however reading ends.
class Archive {
public:
    explicit Archive(const QByteArray &bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
        if (source) {
            m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (!m_zip)
                zip_source_free(source);
        }
        zip_error_fini(&error);
    }
    ~Archive()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    Archive(const Archive &) = delete;
    Archive &operator=(const Archive &) = delete;

    bool isOpen() const { return m_zip; }
    bool has(const QString &name) const { return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0; }
    // Parses the part `name` with `handler` as it is unpacked; false when it is missing, too
    // large, cannot be unpacked or is no XML the handler takes.
    bool parse(const QString &name, XmlHandler &handler) const
    {
        const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_NOCASE);
        zip_stat_t stat;
        if (index < 0 || zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
            || stat.size > maxPartSize)
            return false;
        zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
        if (!file)
            return false;
        zip_uint64_t total = 0;
        const bool ok = handler.parse([&](char *buffer, qint64 size, qint64 &got) {
            got = zip_fread(file, buffer, zip_uint64_t(size));
            total += zip_uint64_t(qMax<qint64>(got, 0));
            return got >= 0 && total <= stat.size;
        });
        zip_fclose(file);
        return ok && total == stat.size;
    }

private:
    zip_t *m_zip = nullptr;
};

QString partPath(const QString &base, const QString &target)
{
    // A target from the root of the package ("/xl/worksheets/sheet1.xml") leaves the base.
    QStringList parts = target.startsWith('/') ? QStringList() : base.split('/');
    if (!parts.isEmpty())
        parts.removeLast();
    for (const QString &piece : target.split('/', Qt::SkipEmptyParts)) {
        if (piece == QLatin1String(".."))
        {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (piece != QLatin1String(".")) {
            parts << piece;
        }
    }
    return parts.join('/');
}

QString relsPath(const QString &part)
{
    const int slash = part.lastIndexOf('/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// The relationships of a part: id -> target part, and the target of the first relationship
// whose type ends in `wantedType`.
class Relationships : public XmlHandler {
public:
    explicit Relationships(const QString &part, const char *wantedType = "")
        : m_part(part)
        , m_wantedType(wantedType)
    {
    }
    void start(const char *name, const char **attributes) override
    {
        if (!is(name, "Relationship"))
            return;
        const char *id = attribute(attributes, "Id");
        const char *target = attribute(attributes, "Target");
        const char *type = attribute(attributes, "Type");
        if (!target)
            return;
        const QString path = partPath(m_part, QString::fromUtf8(target));
        if (id)
            targets.insert(QString::fromUtf8(id), path);
        const size_t typeLength = type ? std::strlen(type) : 0;
        const size_t wantedLength = std::strlen(m_wantedType);
        if (wanted.isEmpty() && wantedLength > 0 && typeLength >= wantedLength
            && std::strcmp(type + typeLength - wantedLength, m_wantedType) == 0)
            wanted = path;
    }
    void end(const char *) override { }

    QHash<QString, QString> targets;
    QString wanted;

private:
    QString m_part;
    const char *m_wantedType;
};

QString officeDocumentPath(const Archive &archive)
{
    Relationships rels(QString(), "/officeDocument");
    if (archive.parse(QStringLiteral("_rels/.rels"), rels) && !rels.wanted.isEmpty())
        return rels.wanted;
    return QStringLiteral("xl/workbook.xml");
}

// Gathers the text of an <si> or <is> element: its <t> elements, directly or in rich-text
// runs, without the phonetic guides (<rPh>) that Chinese and Japanese workbooks may carry.
class ItemText {
public:
    void start(const char *local)
    {
        if (std::strcmp(local, "rPh") == 0)
            ++m_phonetic;
        else if (std::strcmp(local, "t") == 0 && m_phonetic == 0)
            m_inText = true;
    }
    void end(const char *local)
    {
        if (std::strcmp(local, "rPh") == 0)
            --m_phonetic;
        else if (std::strcmp(local, "t") == 0)
            m_inText = false;
    }
    void text(const char *text, int length)
    {
        if (m_inText)
            m_text.append(text, size_t(length));
    }
    // The text gathered since the last take.
    QString take()
    {
        const QString text = QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
        m_text.clear();
        m_phonetic = 0;
        m_inText = false;
        return text;
    }

private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

class SharedStrings : public XmlHandler {
public:
    explicit SharedStrings(QStringList &strings)
        : m_strings(strings)
    {
        m_strings.clear();
    }
    void start(const char *name, const char **attributes) override
    {
        const char *local = localName(name);
        if (m_inItem)
            m_item.start(local);
        else if (std::strcmp(local, "si") == 0)
            m_inItem = true;
        else if (std::strcmp(local, "sst") == 0) {
            // The count is only a hint: never reserve more than the part could hold.
            qint64 unique = 0;
            if (const char *count = attribute(attributes, "uniqueCount"); count && parseNumber(count, count + std::strlen(count), unique))
                m_strings.reserve(qsizetype(qBound(qint64(0), unique, qint64(1) << 20)));
        }
    }
    void end(const char *name) override
    {
        if (!m_inItem)
            return;
        const char *local = localName(name);
        if (std::strcmp(local, "si") == 0) {
            m_strings << m_item.take();
            m_inItem = false;
        } else {
            m_item.end(local);
        }
    }
    void text(const char *text, int length) override
    {
        if (m_inItem)
            m_item.text(text, length);
    }

private:
    QStringList &m_strings;
    ItemText m_item;
    bool m_inItem = false;
};

class Styles : public XmlHandler {
public:
    explicit Styles(NumberFormats &formats)
        : m_formats(formats)
    {
    }
    void start(const char *name, const char **attributes) override
    {
        const char *local = localName(name);
        if (std::strcmp(local, "cellXfs") == 0) {
            m_inCellStyles = true;
        } else if (std::strcmp(local, "numFmt") == 0) {
            const char *code = attribute(attributes, "formatCode");
            m_formats.AddFormat(number(attribute(attributes, "numFmtId")), QString::fromUtf8(code ? code : ""));
        } else if (m_inCellStyles && std::strcmp(local, "xf") == 0) {
            m_formats.AddStyle(number(attribute(attributes, "numFmtId")));
        }
    }
    void end(const char *name) override
    {
        if (is(name, "cellXfs"))
            m_inCellStyles = false;
    }

private:
    static int number(const char *text)
    {
        int value = 0;
        return text && parseNumber(text, text + std::strlen(text), value) ? value : 0;
    }

    NumberFormats &m_formats;
    bool m_inCellStyles = false;
};

// "BC12" -> column 54 and row 11 (both from 0); false for anything else.
bool parseReference(const char *ref, qint64 &row, qint64 &column)
{
    int i = 0;
    column = 0;
    for (; (ref[i] >= 'A' && ref[i] <= 'Z') || (ref[i] >= 'a' && ref[i] <= 'z'); ++i) {
        column = column * 26 + ((ref[i] & ~0x20) - 'A' + 1);
        if (column > XlsxReader::kMaxColumns)
            return false;
    }
    if (i == 0 || i > 3 || ref[i] == 0)
        return false;
    if (!parseNumber(ref + i, ref + std::strlen(ref), row) || row < 1 || row > XlsxReader::kMaxRows)
        return false;
    --row;
    --column;
    return true;
}

class Sheet : public XmlHandler {
public:
    Sheet(const QStringList &sharedStrings, const NumberFormats &formats, WorksheetCells &sheet)
        : m_sharedStrings(sharedStrings)
        , m_formats(formats)
        , m_sheet(sheet)
    {
        m_sheet.rows.clear();
    }

    void start(const char *name, const char **attributes) override
    {
        const char *local = localName(name);
        if (m_inCell) {
            if (m_inItem)
                m_item.start(local);
            else if (std::strcmp(local, "v") == 0)
                m_inValue = m_hasValue = true;
            else if (std::strcmp(local, "is") == 0)
                m_inItem = m_hasItem = true;
            return;
        }
        if (std::strcmp(local, "row") == 0) {
            const char *number = attribute(attributes, "r");
            if (!number) {
                ++m_row;
            } else if (!parseNumber(number, number + std::strlen(number), m_row) || --m_row < 0 || m_row >= XlsxReader::kMaxRows) {
                fail();
                return;
            }
            m_column = -1;
        } else if (std::strcmp(local, "c") == 0) {
            startCell(attributes);
        }
    }
    void end(const char *name) override
    {
        if (!m_inCell)
            return;
        const char *local = localName(name);
        if (m_inItem) {
            if (std::strcmp(local, "is") == 0)
                m_inItem = false;
            else
                m_item.end(local);
        } else if (std::strcmp(local, "v") == 0) {
            m_inValue = false;
        } else if (std::strcmp(local, "c") == 0) {
            m_inCell = false;
            endCell();
        }
    }
    void text(const char *text, int length) override
    {
        if (m_inValue)
            m_raw.append(text, size_t(length));
        else if (m_inItem)
            m_item.text(text, length);
    }

private:
    void startCell(const char **attributes)
    {
        const char *ref = nullptr;
        const char *type = nullptr;
        const char *style = nullptr;
        for (; *attributes; attributes += 2) {
            const char *local = localName(attributes[0]);
            if (local[0] == 0 || local[1] != 0)
                continue;
            if (local[0] == 'r')
                ref = attributes[1];
            else if (local[0] == 't')
                type = attributes[1];
            else if (local[0] == 's')
                style = attributes[1];
        }
        if (!ref) {
            m_row = qMax<qint64>(m_row, 0);
            if (++m_column >= XlsxReader::kMaxColumns)
                return fail();
        } else if (!parseReference(ref, m_row, m_column)) {
            return fail();
        }
        m_type = !type || std::strcmp(type, "n") == 0 ? Number
            : std::strcmp(type, "s") == 0             ? Shared
            : std::strcmp(type, "str") == 0 || std::strcmp(type, "d") == 0 ? Text
            : std::strcmp(type, "b") == 0             ? Boolean
            : std::strcmp(type, "e") == 0             ? Error
            : std::strcmp(type, "inlineStr") == 0     ? Inline
                                                      : Number;
        m_style = 0;
        if (style)
            parseNumber(style, style + std::strlen(style), m_style);
        m_raw.clear();
        m_inCell = true;
        m_inValue = m_hasValue = m_inItem = m_hasItem = false;
    }

    void endCell()
    {
        QVariant value;
        if (m_hasItem)
            value = m_item.take();
        switch (m_type) {
        case Shared: {
            // A shared-text cell without an index is an empty cell.
            if (!m_hasValue || m_raw.find_first_not_of(" \t\r\n") == std::string::npos)
                break;
            qint64 index = -1;
            if (!parseNumber(m_raw, index) || index < 0 || index >= m_sharedStrings.size())
                return fail();
            value = m_sharedStrings[qsizetype(index)];
            break;
        }
        case Text:
            if (m_hasValue)
                value = QString::fromUtf8(m_raw.data(), qsizetype(m_raw.size()));
            break;
        case Boolean:
            if (m_hasValue)
                value = m_raw.find('1') != std::string::npos ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            break;
        case Error:
            if (m_hasValue)
                value = CellError::Value(QString::fromUtf8(m_raw.data(), qsizetype(m_raw.size())).trimmed());
            break;
        case Inline:
            break;
        case Number:
            if (m_hasValue) {
                double number = 0;
                value = parseNumber(m_raw, number) ? m_formats.Cell(m_style, number)
                                                   : QVariant(QString::fromUtf8(m_raw.data(), qsizetype(m_raw.size())));
            }
            break;
        }
        if (!value.isNull())
            m_sheet.Put(m_row, m_column, std::move(value));
    }

    enum Type { Number, Shared, Text, Boolean, Error, Inline };

    const QStringList &m_sharedStrings;
    const NumberFormats &m_formats;
    WorksheetCells &m_sheet;
    ItemText m_item;
    std::string m_raw;
    qint64 m_row = -1;
    qint64 m_column = -1;
    int m_style = 0;
    Type m_type = Number;
    bool m_inCell = false;
    bool m_inValue = false;
    bool m_hasValue = false;
    bool m_inItem = false;
    bool m_hasItem = false;
};

// The workbook part: the date system and each sheet's name and relationship id.
class WorkbookPart : public XmlHandler {
public:
    void start(const char *name, const char **attributes) override
    {
        const char *local = localName(name);
        if (std::strcmp(local, "workbookPr") == 0) {
            const char *from1904 = attribute(attributes, "date1904");
            date1904 = from1904 && (std::strcmp(from1904, "1") == 0 || std::strcmp(from1904, "true") == 0);
        } else if (std::strcmp(local, "sheet") == 0) {
            QString sheetName;
            QString id;
            for (; *attributes; attributes += 2) {
                if (std::strcmp(attributes[0], "name") == 0)
                    sheetName = QString::fromUtf8(attributes[1]);
                else if (is(attributes[0], "id"))
                    id = QString::fromUtf8(attributes[1]);
            }
            sheets.append({ sheetName, id });
        }
    }
    void end(const char *) override { }

    bool date1904 = false;
    QVector<std::pair<QString, QString>> sheets; // name, relationship id
};

} // namespace

bool XlsxReader::HasSignature(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

bool XlsxReader::ReadSharedStrings(const QByteArray &xml, QStringList &strings)
{
    SharedStrings handler(strings);
    return handler.parse(xml);
}

bool XlsxReader::ReadStyles(const QByteArray &xml, NumberFormats &formats)
{
    Styles handler(formats);
    return handler.parse(xml);
}

bool XlsxReader::ReadSheet(
    const QByteArray &xml, const QStringList &sharedStrings, const NumberFormats &formats, WorksheetCells &sheet)
{
    Sheet handler(sharedStrings, formats, sheet);
    return handler.parse(xml);
}

WorkbookContent XlsxReader::Read(const QByteArray &fileBytes)
{
    using Failure = WorkbookContent::Failure;
    Archive archive(fileBytes);
    if (!archive.isOpen())
        return WorkbookContent::Failed(Failure::Damaged);
    const QString workbookPath = officeDocumentPath(archive);
    if (!archive.has(workbookPath) || !archive.has(relsPath(workbookPath)))
        return WorkbookContent::Failed(archive.has(QStringLiteral("EncryptedPackage")) ? Failure::Protected : Failure::NotAWorkbook);
    WorkbookPart workbook;
    Relationships rels(workbookPath);
    if (!archive.parse(workbookPath, workbook) || !archive.parse(relsPath(workbookPath), rels))
        return WorkbookContent::Failed(Failure::Damaged);

    QStringList sharedStrings;
    NumberFormats formats;
    for (const QString &part : std::as_const(rels.targets)) {
        if (part.endsWith(QLatin1String("sharedStrings.xml"), Qt::CaseInsensitive)) {
            SharedStrings strings(sharedStrings);
            if (!archive.parse(part, strings))
                return WorkbookContent::Failed(Failure::Damaged);
        } else if (part.endsWith(QLatin1String("styles.xml"), Qt::CaseInsensitive)) {
            Styles styles(formats);
            if (!archive.parse(part, styles))
                return WorkbookContent::Failed(Failure::Damaged);
        }
    }
    formats.SetFrom1904(workbook.date1904);

    // Each part is read once, however many sheets name it: those sheets share its cells.
    WorkbookContent content;
    QHash<QString, qsizetype> readParts;
    for (const auto &[name, id] : std::as_const(workbook.sheets)) {
        const QString path = rels.targets.value(id).toLower();
        if (path.isEmpty())
            return WorkbookContent::Failed(Failure::Damaged);
        WorksheetCells sheet;
        if (const auto read = readParts.constFind(path); read != readParts.constEnd()) {
            sheet.rows = content.sheets[*read].rows;
        } else {
            Sheet handler(sharedStrings, formats, sheet);
            if (!archive.parse(path, handler))
                return WorkbookContent::Failed(Failure::Damaged);
            readParts.insert(path, content.sheets.size());
        }
        sheet.name = name;
        content.sheets << std::move(sheet);
    }
    return content;
}
