#include "workbookreader/XlsxReader.h"

#include <QHash>
#include <QXmlStreamReader>
#include <zip.h>

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
    // The unpacked part `name`; false when it is missing, too large or cannot be unpacked.
    bool read(const QString &name, QByteArray &out) const
    {
        out.clear();
        const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_NOCASE);
        zip_stat_t stat;
        if (index < 0 || zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
            || stat.size > maxPartSize)
            return false;
        zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
        if (!file)
            return false;
        out.resize(qsizetype(stat.size));
        const zip_int64_t got = zip_fread(file, out.data(), stat.size);
        zip_fclose(file);
        return got == zip_int64_t(stat.size);
    }

private:
    zip_t *m_zip = nullptr;
};

QString partPath(const QString &base, const QString &target)
{
    if (target.startsWith('/'))
        return target.mid(1);
    QStringList parts = base.split('/');
    parts.removeLast();
    for (const QString &piece : target.split('/')) {
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

// Relationship id -> target part, for the part whose relationships `xml` lists.
QHash<QString, QString> relationships(const QByteArray &xml, const QString &part)
{
    QHash<QString, QString> targets;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("Relationship"))
            targets.insert(reader.attributes().value(QLatin1String("Id")).toString(),
                partPath(part, reader.attributes().value(QLatin1String("Target")).toString()));
    }
    return targets;
}

QString officeDocumentPath(const Archive &archive)
{
    QByteArray rels;
    if (archive.read(QStringLiteral("_rels/.rels"), rels)) {
        QXmlStreamReader reader(rels);
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement() && reader.name() == QLatin1String("Relationship")
                && reader.attributes().value(QLatin1String("Type")).endsWith(QLatin1String("/officeDocument")))
                return partPath(QString(), reader.attributes().value(QLatin1String("Target")).toString());
        }
    }
    return QStringLiteral("xl/workbook.xml");
}

// The text of an <si> or <is> element, whose reader stands on its start: the <t> elements,
// directly or in rich-text runs, without the phonetic guides (<rPh>) that Chinese and
// Japanese workbooks may carry.
QString itemText(QXmlStreamReader &reader)
{
    QString text;
    int depth = 1;
    int phonetic = 0;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (reader.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (reader.name() == QLatin1String("t") && phonetic == 0) {
                text += reader.readElementText();
                --depth;
            }
        } else if (reader.isEndElement()) {
            --depth;
            if (reader.name() == QLatin1String("rPh"))
                --phonetic;
        }
    }
    return text;
}

// "BC12" -> column 54 and row 11 (both from 0); false for anything else.
bool parseReference(QStringView ref, qint64 &row, qint64 &column)
{
    int i = 0;
    column = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        column = column * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (column > XlsxReader::kMaxColumns)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size() || i > 3)
        return false;
    bool ok = false;
    row = ref.mid(i).toLongLong(&ok);
    if (!ok || row < 1 || row > XlsxReader::kMaxRows)
        return false;
    --row;
    --column;
    return true;
}

} // namespace

bool XlsxReader::HasSignature(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

bool XlsxReader::ReadSharedStrings(const QByteArray &xml, QStringList &strings)
{
    strings.clear();
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si"))
            strings << itemText(reader);
    }
    return !reader.hasError();
}

bool XlsxReader::ReadStyles(const QByteArray &xml, NumberFormats &formats)
{
    QXmlStreamReader reader(xml);
    bool inCellStyles = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("cellXfs"))
            inCellStyles = false;
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("cellXfs"))
            inCellStyles = true;
        else if (reader.name() == QLatin1String("numFmt"))
            formats.AddFormat(attributes.value(QLatin1String("numFmtId")).toInt(),
                attributes.value(QLatin1String("formatCode")).toString());
        else if (inCellStyles && reader.name() == QLatin1String("xf"))
            formats.AddStyle(attributes.value(QLatin1String("numFmtId")).toInt());
    }
    return !reader.hasError();
}

bool XlsxReader::ReadSheet(
    const QByteArray &xml, const QStringList &sharedStrings, const NumberFormats &formats, WorksheetCells &sheet)
{
    sheet.rows.clear();
    QXmlStreamReader reader(xml);
    qint64 row = -1;
    qint64 column = -1;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QLatin1String("row")) {
            const QStringView number = reader.attributes().value(QLatin1String("r"));
            bool ok = true;
            row = number.isEmpty() ? row + 1 : number.toLongLong(&ok) - 1;
            if (!ok || row < 0 || row >= kMaxRows)
                return false;
            column = -1;
            continue;
        }
        if (reader.name() != QLatin1String("c"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const QStringView ref = attributes.value(QLatin1String("r"));
        if (ref.isEmpty()) {
            row = qMax<qint64>(row, 0);
            if (++column >= kMaxColumns)
                return false;
        } else if (!parseReference(ref, row, column)) {
            return false;
        }
        const QString type = attributes.value(QLatin1String("t")).toString();
        const int style = attributes.value(QLatin1String("s")).toInt();
        QVariant value;
        QString raw;
        bool hasValue = false;
        // The cell's children: <v> its value, <is> an inline text, <f> a formula (its last value
        // is in <v>).
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isEndElement() && reader.name() == QLatin1String("c"))
                break;
            if (!reader.isStartElement())
                continue;
            if (reader.name() == QLatin1String("v")) {
                raw = reader.readElementText();
                hasValue = true;
            } else if (reader.name() == QLatin1String("is")) {
                value = itemText(reader);
            } else {
                reader.skipCurrentElement();
            }
        }
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = raw.toInt(&ok);
            if (!hasValue)
                continue;
            if (!ok || index < 0 || index >= sharedStrings.size())
                return false;
            value = sharedStrings[index];
        } else if (type == QLatin1String("str") || type == QLatin1String("d")) {
            value = raw;
        } else if (type == QLatin1String("b")) {
            if (hasValue)
                value = raw.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (type == QLatin1String("e")) {
            value = QVariant();
        } else if (type != QLatin1String("inlineStr") && hasValue) {
            bool ok = false;
            const double number = raw.trimmed().toDouble(&ok);
            value = ok ? formats.Cell(style, number) : QVariant(raw);
        }
        if (!value.isNull())
            sheet.Put(row, column, std::move(value));
    }
    return !reader.hasError();
}

WorkbookContent XlsxReader::Read(const QByteArray &fileBytes)
{
    using Failure = WorkbookContent::Failure;
    Archive archive(fileBytes);
    if (!archive.isOpen())
        return WorkbookContent::Failed(Failure::Damaged);
    const QString workbookPath = officeDocumentPath(archive);
    QByteArray workbookXml;
    QByteArray relsXml;
    if (!archive.read(workbookPath, workbookXml) || !archive.read(relsPath(workbookPath), relsXml))
        return WorkbookContent::Failed(archive.has(QStringLiteral("EncryptedPackage")) ? Failure::Protected : Failure::NotAWorkbook);
    const QHash<QString, QString> targets = relationships(relsXml, workbookPath);

    QStringList sharedStrings;
    NumberFormats formats;
    for (const QString &part : targets) {
        QByteArray xml;
        if (part.endsWith(QLatin1String("sharedStrings.xml"), Qt::CaseInsensitive)
            && (!archive.read(part, xml) || !ReadSharedStrings(xml, sharedStrings)))
            return WorkbookContent::Failed(Failure::Damaged);
        if (part.endsWith(QLatin1String("styles.xml"), Qt::CaseInsensitive)
            && (!archive.read(part, xml) || !ReadStyles(xml, formats)))
            return WorkbookContent::Failed(Failure::Damaged);
    }

    WorkbookContent content;
    QXmlStreamReader reader(workbookXml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("workbookPr")) {
            const QStringView from1904 = reader.attributes().value(QLatin1String("date1904"));
            formats.SetFrom1904(from1904 == QLatin1String("1") || from1904 == QLatin1String("true"));
        }
        if (!reader.isStartElement() || reader.name() != QLatin1String("sheet"))
            continue;
        WorksheetCells sheet;
        QString id;
        for (const QXmlStreamAttribute &attribute : reader.attributes()) {
            if (attribute.name() == QLatin1String("name") && attribute.namespaceUri().isEmpty())
                sheet.name = attribute.value().toString();
            else if (attribute.name() == QLatin1String("id"))
                id = attribute.value().toString();
        }
        QByteArray xml;
        const QString path = targets.value(id);
        if (path.isEmpty() || !archive.read(path, xml) || !ReadSheet(xml, sharedStrings, formats, sheet))
            return WorkbookContent::Failed(Failure::Damaged);
        content.sheets << std::move(sheet);
    }
    if (reader.hasError())
        return WorkbookContent::Failed(Failure::Damaged);
    return content;
}
