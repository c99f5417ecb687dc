#include "tickets/TicketSheet.h"

#include "grid/GridData.h"

namespace {

// Positions in the ticket columns (姓名, 考号, 座位号, 考场, 性别, 学校, 班级).
constexpr int NumberField = 1;
constexpr int SeatField = 2;
constexpr int RoomField = 3;

constexpr int StubCol = 4;
constexpr int TicketCol = 11;
constexpr int NumeralCol = 8;

} // namespace

TicketSheet::TicketSheet(GridData &out, const TicketBlocks &blocks, const ShownExamNumber &shown,
    const std::array<int, 10> &boundField)
    : m_out(out)
    , m_blocks(blocks)
    , m_shown(shown)
    , m_boundField(boundField)
{
}

const QStringList &TicketSheet::CapitalDigits()
{
    static const QStringList digits { QStringLiteral("零"), QStringLiteral("壹"), QStringLiteral("贰"),
        QStringLiteral("叁"), QStringLiteral("肆"), QStringLiteral("伍"), QStringLiteral("陆"), QStringLiteral("柒"),
        QStringLiteral("捌"), QStringLiteral("玖") };
    return digits;
}

std::array<QString, 4> TicketSheet::Numerals(const QString &shownNumber)
{
    const QString last = shownNumber.right(4);
    std::array<QString, 4> numerals;
    for (int i = 0; i < 4; ++i) {
        const QChar c = i < last.size() ? last.at(i) : QChar();
        numerals[size_t(i)] = CapitalDigits().at(c >= u'0' && c <= u'9' ? c.unicode() - u'0' : 0);
    }
    return numerals;
}

void TicketSheet::Reserve(int blocks)
{
    m_out.setCols(TicketBlocks::BlockCols + 1);
    m_out.setRows(blocks * TicketBlocks::BlockRows + 1);
}

void TicketSheet::WriteBlock(int index, const QVariantList &record, const QString &photoKey, bool nullKeepsTemplate)
{
    const int r0 = index * TicketBlocks::BlockRows;
    m_out.pasteBlock(photoKey.isEmpty() ? m_blocks.plain() : m_blocks.withPhoto(), r0 + 1, 1);
    for (int k = 1; k <= TicketBlocks::BlockRows; ++k)
        m_out.setRowHeight(r0 + k, m_blocks.rowHeight(k));

    const QString number = record.value(NumberField).toString().trimmed();
    const QString room = record.value(RoomField).toString().trimmed();
    const QString shownNumber = m_shown.ExamNumber(number, room);
    const auto write = [&](int row, const QString &text) {
        m_out.setText(r0 + row, StubCol, text);
        m_out.setText(r0 + row, TicketCol, text);
    };
    // A bound column without a value leaves the template's text in place.
    for (int row : { 4, 8, 9 }) {
        const QVariant value = record.value(m_boundField[size_t(row)]);
        if (!value.isNull() || !nullKeepsTemplate)
            write(row, value.toString());
    }
    write(5, shownNumber);
    write(6, ShownExamNumber::Seat(record.value(SeatField).toString()));
    write(7, m_shown.Room(room));
    const std::array<QString, 4> numerals = Numerals(shownNumber);
    for (int i = 0; i < 4; ++i)
        m_out.setText(r0 + 4 + i, NumeralCol, numerals[size_t(i)]);

    if (!photoKey.isEmpty()) {
        m_out.setImageKey(r0 + TicketBlocks::PhotoRow, TicketBlocks::StubPhotoCol, photoKey);
        m_out.setImageKey(r0 + TicketBlocks::PhotoRow, TicketBlocks::TicketPhotoCol, photoKey);
    }
}

void TicketSheet::FinishPages(int blocks, int perPage)
{
    const QString cutLine(CutLineLength, u'-');
    for (int i = 1; i <= blocks; ++i) {
        const int cutRow = i * TicketBlocks::BlockRows;
        if (i % perPage == 0) {
            m_out.setText(cutRow, 1, QString());
            if (i < blocks)
                m_out.hPageBreaks().Add(cutRow + 1);
        } else {
            m_out.setText(cutRow, 1, cutLine);
        }
    }
}
