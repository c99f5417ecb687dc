#pragma once

#include <QString>
#include <QStringList>

// What an import has to say about single cells and columns (a text left out of a number
// column, a renamed column, a value that cannot be a room): every one counted, the first few
// kept for the message, so that a workbook with thousands of them still gives a short one.
class ImportNotes {
public:
    void Add(const QString &text)
    {
        if (m_shown.size() < kShown)
            m_shown << text;
        ++m_count;
    }
    bool IsEmpty() const { return m_count == 0; }
    int Count() const { return m_count; }
    // One line each, and a last line with the total when some were left out.
    QString Text() const
    {
        QStringList lines = m_shown;
        if (m_count > m_shown.size())
            lines << QStringLiteral("……共 %1 处。").arg(m_count);
        return lines.join('\n');
    }

private:
    static constexpr int kShown = 10;
    QStringList m_shown;
    int m_count = 0;
};
