#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

// The number formats of a workbook, to tell a date from a number: a number cell whose style
// shows a date or a time becomes its text (2024-06-01, 08:30:00, 2024-06-01 08:30:00), as a
// school reading the sheet sees it; one shown as "TRUE";"TRUE";"FALSE" (LibreOffice's logical
// cells) becomes TRUE or FALSE; any other stays a number. Both readers fill it from their own
// records (.xls: XF and FORMAT; .xlsx: cellXfs and numFmts).
class NumberFormats {
public:
    // The next style (styles are numbered from 0 in the order given) uses format `formatId`.
    void AddStyle(int formatId)
    {
        m_styleFormats << formatId;
        m_styleKinds << kindOf(formatId);
    }
    // A format of the workbook's own (built-in formats need none).
    void AddFormat(int formatId, const QString &code)
    {
        m_codes.insert(formatId, code);
        for (qsizetype i = 0; i < m_styleFormats.size(); ++i)
            if (m_styleFormats[i] == formatId)
                m_styleKinds[i] = kindOf(formatId);
    }
    // Dates count from 1904 instead of 1900 (workbooks from old Macintosh Excel).
    void SetFrom1904(bool from1904) { m_from1904 = from1904; }

    // The value of a number cell of style `style`: its date text, the number, or empty for
    // a number that is none (infinite, not a number).
    QVariant Cell(int style, double value) const;

private:
    enum class Kind : quint8 { Number, Date, Boolean };
    Kind kindOf(int format) const;

    QVector<int> m_styleFormats;
    QHash<int, QString> m_codes;
    // Each style's kind, worked out as styles and formats are added: Cell only reads, so that
    // several threads may ask at once.
    QVector<Kind> m_styleKinds;
    bool m_from1904 = false;
};
