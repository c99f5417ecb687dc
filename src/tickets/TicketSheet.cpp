#include "tickets/TicketSheet.h"

#include "griddata/GridData.h"

namespace {

// Positions in the ticket columns (姓名, 考号, 座位号, 考场, 性别, 学校, 班级).
constexpr int NumberField = 1;
constexpr int SeatField = 2;
constexpr int RoomField = 3;

constexpr int FirstValueRow = 4;
constexpr int StubCol = 4;
constexpr int TicketCol = 11;
constexpr int NumeralCol = 8;

} // namespace

TicketSheet::TicketSheet(GridData &out, const TicketBlocks &blocks, const QString &prefix, const QString &form,
    int roomCount, const std::array<int, 10> &boundField)
    : m_out(out)
    , m_blocks(blocks)
    , m_shown(prefix, form, roomCount)
    , m_boundField(boundField)
{
    // What an exam number, seat and room show with no digits of their own: an empty room reads 0.
    const int digits = ShownExamNumber::DigitCount(form);
    const QString roomZeros = ShownExamNumber::RoomPad(roomCount, 0);
    m_placeholder = { prefix + (digits > 0 ? QString(digits, u'0') : roomZeros), ShownExamNumber::SeatPad(0), roomZeros };
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

void TicketSheet::Write(int index, const GridBlock &block, const std::array<QString, 6> &values)
{
    const int r0 = index * TicketBlocks::BlockRows;
    m_out.pasteBlock(block, r0 + 1, 1);
    for (int k = 1; k <= TicketBlocks::BlockRows; ++k)
        m_out.setRowHeight(r0 + k, m_blocks.rowHeight(k));
    for (int i = 0; i < 6; ++i) {
        m_out.setText(r0 + FirstValueRow + i, StubCol, values[size_t(i)]);
        m_out.setText(r0 + FirstValueRow + i, TicketCol, values[size_t(i)]);
    }
    const std::array<QString, 4> numerals = Numerals(values[1]);
    for (int i = 0; i < 4; ++i)
        m_out.setText(r0 + FirstValueRow + i, NumeralCol, numerals[size_t(i)]);
}

void TicketSheet::WriteBlock(int index, const QVariantList &record, const QString &photoKey)
{
    const QString room = record.value(RoomField).toString().trimmed();
    const auto bound = [&](int row) { return record.value(m_boundField[size_t(row)]).toString(); };
    Write(index, photoKey.isEmpty() ? m_blocks.plain() : m_blocks.withPhoto(),
        { bound(4), m_shown.ExamNumber(record.value(NumberField).toString(), room),
            ShownExamNumber::Seat(record.value(SeatField).toString()), m_shown.Room(room), bound(8), bound(9) });
    if (!photoKey.isEmpty()) {
        const int r0 = index * TicketBlocks::BlockRows;
        m_out.setImageKey(r0 + TicketBlocks::PhotoRow, TicketBlocks::StubPhotoCol, photoKey);
        m_out.setImageKey(r0 + TicketBlocks::PhotoRow, TicketBlocks::TicketPhotoCol, photoKey);
    }
}

void TicketSheet::WritePlaceholder(int index, bool photoBoxes)
{
    Write(index, photoBoxes ? m_blocks.withPhoto() : m_blocks.plain(),
        { QString(), m_placeholder[0], m_placeholder[1], m_placeholder[2], QString(), QString() });
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
