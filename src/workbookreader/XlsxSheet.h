#pragma once

#include "workbookreader/NumberFormats.h"
#include "workbookreader/WorksheetCells.h"
#include "workbookreader/XlsxReader.h"
#include "workbookreader/XlsxXml.h"

#include <QStringList>

namespace xlsx {

// "BC12" -> column 54 and row 11 (both from 0); false for anything else.
inline bool parseReference(const char *ref, qint64 &row, qint64 &column)
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

} // namespace xlsx
