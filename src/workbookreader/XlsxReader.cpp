#include "workbookreader/XlsxReader.h"

#include "workbookreader/XlsxSheetPieces.h"
#include "workbookreader/XlsxXml.h"

#include <QHash>

#include <cstring>
#include <memory>
#include <zip.h>

using namespace xlsx;

namespace {

// An unpacked part larger than this is not a school's exam: refuse it before unpacking.
constexpr zip_uint64_t maxPartSize = 512ull * 1024 * 1024;

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

bool readSheet(const Archive &archive, const QString &path, const QStringList &sharedStrings,
    const NumberFormats &formats, WorksheetCells &sheet)
{
    return xlsx::ReadSheet(
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
    return xlsx::ReadSheet(
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
    xlsx::ReadSheetsInPiecesForTests(pieceSize);
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
