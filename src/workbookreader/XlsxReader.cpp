#include "workbookreader/XlsxReader.h"

#include <QHash>
#include <QThread>
#include <cctype>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <expat.h>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <vector>
#include <zip.h>

namespace {

// An unpacked part larger than this is not a school's exam: refuse it before unpacking.
constexpr zip_uint64_t maxPartSize = 512ull * 1024 * 1024;
// Parts are unpacked and parsed a piece at a time, never whole.
constexpr int chunkSize = 256 * 1024;
// A sheet part of this many bytes or more is read in pieces of sheetPieceSize on several
// threads (tests make both small).
constexpr qint64 defaultLargeSheetPart = 4 * 1024 * 1024;
constexpr qsizetype defaultSheetPieceSize = 256 * 1024;
qint64 largeSheetPart = defaultLargeSheetPart;
qsizetype sheetPieceSize = defaultSheetPieceSize;

// Hands out the next bytes of a part into a buffer (`got` 0 at its end); false when the part
// cannot be read.
using PartReader = std::function<bool(char *buffer, qint64 size, qint64 &got)>;

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
        Parser parser(*this);
        for (;;) {
            void *buffer = XML_GetBuffer(parser.parser, chunkSize);
            if (!buffer)
                throw std::bad_alloc();
            qint64 got = 0;
            if (!next(static_cast<char *>(buffer), chunkSize, got) || !parser.check(XML_ParseBuffer(parser.parser, int(got), got == 0)))
                return false;
            if (got == 0)
                return !m_failed;
        }
    }
    bool parse(const QByteArray &xml)
    {
        Parser parser(*this);
        return parser.check(XML_Parse(parser.parser, xml.constData(), int(xml.size()), XML_TRUE)) && !m_failed;
    }
    // Parses a piece cut from the middle of a part after the end of an element: a run of
    // elements, within an element of its own.
    bool parsePiece(const QByteArray &xml)
    {
        Parser parser(*this);
        return parser.check(XML_Parse(parser.parser, "<p>", 3, XML_FALSE))
            && parser.check(XML_Parse(parser.parser, xml.constData(), int(xml.size()), XML_FALSE))
            && parser.check(XML_Parse(parser.parser, "</p>", 4, XML_TRUE)) && !m_failed;
    }
    // Parses the first piece of a part and the last (Finish), which must make a whole
    // document together with what lies between them.
    bool begin(const QByteArray &xml)
    {
        m_open = std::make_unique<Parser>(*this);
        return m_open->check(XML_Parse(m_open->parser, xml.constData(), int(xml.size()), XML_FALSE)) && !m_failed;
    }
    bool finish(const QByteArray &xml)
    {
        const std::unique_ptr<Parser> parser = std::move(m_open);
        return parser && parser->check(XML_Parse(parser->parser, xml.constData(), int(xml.size()), XML_TRUE)) && !m_failed;
    }

private:
    // An expat parser calling this handler, freed however parsing ends.
    struct Parser {
        explicit Parser(XmlHandler &handler)
            : handler(handler)
            , parser(XML_ParserCreate(nullptr))
        {
            if (!parser)
                throw std::bad_alloc();
            handler.m_parser = parser;
            XML_SetUserData(parser, &handler);
            XML_SetElementHandler(
                parser,
                [](void *self, const XML_Char *name, const XML_Char **attributes) {
                    static_cast<XmlHandler *>(self)->start(name, attributes);
                },
                [](void *self, const XML_Char *name) { static_cast<XmlHandler *>(self)->end(name); });
            XML_SetCharacterDataHandler(parser, [](void *self, const XML_Char *text, int length) {
                static_cast<XmlHandler *>(self)->text(text, length);
            });
        }
        ~Parser()
        {
            XML_ParserFree(parser);
            handler.m_parser = nullptr;
        }
        Parser(const Parser &) = delete;
        Parser &operator=(const Parser &) = delete;
        bool check(XML_Status status) const
        {
            if (status != XML_STATUS_OK && XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY)
                throw std::bad_alloc();
            return status == XML_STATUS_OK;
        }

        XmlHandler &handler;
        XML_Parser parser;
    };

    XML_Parser m_parser = nullptr;
    bool m_failed = false;
    std::unique_ptr<Parser> m_open; // between begin and finish
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
    // A part being unpacked, closed however reading ends.
    class Part {
    public:
        Part(zip_t *zip, const QString &name)
        {
            const zip_int64_t index = zip ? zip_name_locate(zip, name.toUtf8().constData(), ZIP_FL_NOCASE) : -1;
            zip_stat_t stat;
            if (index < 0 || zip_stat_index(zip, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
                || stat.size > maxPartSize)
                return;
            m_size = stat.size;
            m_file = zip_fopen_index(zip, zip_uint64_t(index), 0);
        }
        ~Part()
        {
            if (m_file)
                zip_fclose(m_file);
        }
        Part(const Part &) = delete;
        Part &operator=(const Part &) = delete;

        // False when the part is missing, too large or cannot be opened.
        bool isOpen() const { return m_file; }
        zip_uint64_t size() const { return m_size; }
        // The next bytes into `buffer` (`got` 0 at the end); false when the part cannot be
        // unpacked or unpacks to more than it claims.
        bool read(char *buffer, qint64 size, qint64 &got)
        {
            got = zip_fread(m_file, buffer, zip_uint64_t(size));
            m_read += zip_uint64_t(qMax<qint64>(got, 0));
            return got >= 0 && m_read <= m_size && (got > 0 || m_read == m_size);
        }

    private:
        zip_file_t *m_file = nullptr;
        zip_uint64_t m_size = 0;
        zip_uint64_t m_read = 0;
    };

    std::shared_ptr<Part> openShared(const QString &name) const { return std::make_shared<Part>(m_zip, name); }
    // Parses the part `name` with `handler` as it is unpacked; false when it is missing, too
    // large, cannot be unpacked or is no XML the handler takes.
    bool parse(const QString &name, XmlHandler &handler) const
    {
        Part part(m_zip, name);
        return part.isOpen() && handler.parse([&](char *buffer, qint64 size, qint64 &got) { return part.read(buffer, size, got); });
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

// The cells of a sheet part, or of a piece of one (`piece`): a piece's rows are kept from the
// first row it names (Base()), and a piece whose rows or cells go by position instead of by
// number cannot be read on its own (NeedsWhole()).
class Sheet : public XmlHandler {
public:
    Sheet(const QStringList &sharedStrings, const NumberFormats &formats, WorksheetCells &sheet, bool piece = false)
        : m_sharedStrings(sharedStrings)
        , m_formats(formats)
        , m_sheet(sheet)
        , m_rowKnown(!piece)
    {
        m_sheet.rows.clear();
    }

    qint64 Base() const { return m_base; }
    bool NeedsWhole() const { return m_needsWhole; }

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
                if (!m_rowKnown)
                    return needWhole();
                ++m_row;
            } else if (!parseNumber(number, number + std::strlen(number), m_row) || --m_row < 0 || m_row >= XlsxReader::kMaxRows) {
                fail();
                return;
            }
            rowKnown();
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
            if (!m_rowKnown)
                return needWhole();
            m_row = qMax<qint64>(m_row, 0);
            if (++m_column >= XlsxReader::kMaxColumns)
                return fail();
        } else if (!parseReference(ref, m_row, m_column)) {
            return fail();
        }
        rowKnown();
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
        if (value.isNull())
            return;
        if (m_row < m_base)
            return needWhole();
        m_sheet.Put(m_row - m_base, m_column, std::move(value));
    }

    void rowKnown()
    {
        if (!m_rowKnown)
            m_base = m_row;
        m_rowKnown = true;
    }
    void needWhole()
    {
        m_needsWhole = true;
        fail();
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
    bool m_rowKnown;
    qint64 m_base = 0;
    bool m_needsWhole = false;
};

// Where the last end tag of a row in `xml` ends ("</row>" or "</x:row>"); 0 when there is none.
qsizetype afterLastRowEnd(const QByteArray &xml)
{
    for (qsizetype at = xml.lastIndexOf("row>"); at > 1; at = xml.lastIndexOf("row>", at - 1)) {
        qsizetype slash = at - 1;
        if (xml[slash] == ':')
            for (--slash; slash > 0 && (std::isalnum(uchar(xml[slash])) || xml[slash] == '_' || xml[slash] == '-'); --slash) { }
        if (slash > 0 && xml[slash] == '/' && xml[slash - 1] == '<')
            return at + 4;
    }
    return 0;
}

// Reads a large sheet part on several threads as it is unpacked: the part is cut after a
// row's end into pieces of a megabyte, each parsed on its own by a worker, and their rows are
// put together in order. Only a few pieces wait at a time, so the part is never held whole.
// False when a piece cannot be read on its own (rows without their numbers, or anything
// else a piece trips on): the caller then reads the part in one go, which also tells a
// damaged part from one that is merely cut badly.
class SheetInPieces {
public:
    SheetInPieces(const QStringList &sharedStrings, const NumberFormats &formats)
        : m_sharedStrings(sharedStrings)
        , m_formats(formats)
    {
    }

    bool Read(const PartReader &part, WorksheetCells &sheet)
    {
        // The pieces are parsed by up to four workers while this thread unpacks the next.
        const int workers = qBound(1, QThread::idealThreadCount() - 1, 6);
        try {
            for (int i = 0; i < workers; ++i)
                m_threads.emplace_back([this] { work(); });
        } catch (const std::system_error &) {
            // No thread to be had: read the part in one go.
        }
        // The workers are let go and waited for however unpacking ends.
        struct Finish {
            SheetInPieces &pieces;
            ~Finish()
            {
                {
                    std::lock_guard lock(pieces.m_mutex);
                    pieces.m_closed = true;
                }
                pieces.m_ready.notify_all();
                for (std::thread &thread : pieces.m_threads)
                    thread.join();
                pieces.m_threads.clear();
            }
        };
        bool ok = false;
        {
            const Finish finish { *this };
            ok = !m_threads.empty() && unpack(part, workers);
        }
        for (const std::unique_ptr<Piece> &piece : m_pieces) {
            if (piece->outOfMemory)
                throw std::bad_alloc();
            ok = ok && piece->ok;
        }
        // The first piece and what follows the last row make the frame of the document.
        ok = ok && !m_pieces.empty() && m_pieces.front()->handler && m_pieces.front()->handler->finish(m_tail)
            && !m_pieces.front()->handler->NeedsWhole();
        if (ok)
            join(sheet);
        return ok;
    }

private:
    struct Piece {
        QByteArray xml;
        bool first = false;
        WorksheetCells cells;
        std::unique_ptr<Sheet> handler; // of the first piece, until the last is read
        qint64 base = 0;
        bool ok = false;
        bool outOfMemory = false;
    };

    bool unpack(const PartReader &part, int workers)
    {
        const qsizetype pieceSize = sheetPieceSize;
        QByteArray pending;
        bool first = true;
        for (;;) {
            const qsizetype at = pending.size();
            pending.resize(at + pieceSize);
            qint64 got = 0;
            if (!part(pending.data() + at, pieceSize, got))
                return false;
            pending.resize(at + got);
            if (got > 0 && pending.size() < pieceSize)
                continue;
            // What follows the last row (the end of the sheet data, page settings) is not
            // read.
            const qsizetype cut = afterLastRowEnd(pending);
            if (cut > 0) {
                if (!hand(pending.left(cut), first, workers))
                    return false;
                first = false;
                pending = pending.mid(cut);
            } else if (pending.size() > 16 * pieceSize) {
                return false; // no row ends in sight: not worth looking for one any longer
            }
            if (got == 0) {
                m_tail = pending;
                return !first; // a sheet without rows is read in one go
            }
        }
    }

    // Queues a piece for the workers, once fewer than two a worker wait; false when a
    // piece already failed.
    bool hand(QByteArray xml, bool first, int workers)
    {
        auto piece = std::make_unique<Piece>();
        piece->xml = std::move(xml);
        piece->first = first;
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [&] { return m_waiting.size() < size_t(2 * workers) || m_failed; });
        if (m_failed)
            return false;
        m_waiting.push_back(piece.get());
        m_pieces.push_back(std::move(piece));
        lock.unlock();
        m_ready.notify_one();
        return true;
    }

    void work()
    {
        for (;;) {
            Piece *piece = nullptr;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [&] { return !m_waiting.empty() || m_closed; });
                if (m_waiting.empty())
                    return;
                piece = m_waiting.front();
                m_waiting.pop_front();
            }
            m_done.notify_one();
            try {
                auto handler = std::make_unique<Sheet>(m_sharedStrings, m_formats, piece->cells, !piece->first);
                piece->ok = piece->first ? handler->begin(piece->xml) : handler->parsePiece(piece->xml);
                piece->base = handler->Base();
                if (piece->first)
                    piece->handler = std::move(handler);
            } catch (const std::bad_alloc &) {
                piece->outOfMemory = true;
            }
            piece->xml = QByteArray();
            if (!piece->ok) {
                std::lock_guard lock(m_mutex);
                m_failed = true;
            }
            m_done.notify_one();
        }
    }

    // The pieces' rows, in order, into `sheet`; a row met in two pieces keeps the cells of both.
    void join(WorksheetCells &sheet)
    {
        sheet.rows.clear();
        for (const std::unique_ptr<Piece> &piece : m_pieces) {
            QVector<QVector<QVariant>> &rows = piece->cells.rows;
            if (sheet.rows.size() < piece->base + rows.size())
                sheet.rows.resize(piece->base + rows.size());
            for (qsizetype r = 0; r < rows.size(); ++r) {
                QVector<QVariant> &target = sheet.rows[piece->base + r];
                if (target.isEmpty()) {
                    target = std::move(rows[r]);
                    continue;
                }
                for (qsizetype c = 0; c < rows[r].size(); ++c)
                    if (!rows[r][c].isNull())
                        sheet.Put(piece->base + r, c, std::move(rows[r][c]));
            }
            rows = {};
        }
    }

    const QStringList &m_sharedStrings;
    const NumberFormats &m_formats;
    std::vector<std::thread> m_threads;
    std::vector<std::unique_ptr<Piece>> m_pieces;
    std::deque<Piece *> m_waiting;
    QByteArray m_tail; // what follows the last row
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::condition_variable m_done;
    bool m_closed = false;
    bool m_failed = false;
};

// Reads a sheet part that `open` opens (giving its size, and a reader that is empty when it
// cannot be opened): a large one in pieces on several threads, else (or when the pieces cannot
// be read on their own) in one go.
bool readSheet(const std::function<PartReader(qint64 &size)> &open, const QStringList &sharedStrings,
    const NumberFormats &formats, WorksheetCells &sheet)
{
    qint64 size = 0;
    PartReader part = open(size);
    if (!part)
        return false;
    if (size >= largeSheetPart && SheetInPieces(sharedStrings, formats).Read(part, sheet))
        return true;
    if (size >= largeSheetPart && !(part = open(size)))
        return false;
    Sheet handler(sharedStrings, formats, sheet);
    return handler.parse(part);
}

bool readSheet(const Archive &archive, const QString &path, const QStringList &sharedStrings,
    const NumberFormats &formats, WorksheetCells &sheet)
{
    return readSheet(
        [&](qint64 &size) {
            auto part = archive.openShared(path);
            size = qint64(part->size());
            return part->isOpen() ? PartReader([part](char *buffer, qint64 length, qint64 &got) {
                return part->read(buffer, length, got);
            })
                                  : PartReader();
        },
        sharedStrings, formats, sheet);
}

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
    return readSheet(
        [&](qint64 &size) {
            size = xml.size();
            auto at = std::make_shared<qint64>(0);
            return PartReader([&xml, at](char *buffer, qint64 length, qint64 &got) {
                got = qMin(length, xml.size() - *at);
                std::memcpy(buffer, xml.constData() + *at, size_t(got));
                *at += got;
                return true;
            });
        },
        sharedStrings, formats, sheet);
}

void XlsxReader::ReadSheetsInPiecesForTests(qsizetype pieceSize)
{
    largeSheetPart = pieceSize > 0 ? 0 : defaultLargeSheetPart;
    sheetPieceSize = pieceSize > 0 ? pieceSize : defaultSheetPieceSize;
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
            if (!readSheet(archive, path, sharedStrings, formats, sheet))
                return WorkbookContent::Failed(Failure::Damaged);
            readParts.insert(path, content.sheets.size());
        }
        sheet.name = name;
        content.sheets << std::move(sheet);
    }
    return content;
}
