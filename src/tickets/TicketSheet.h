#pragma once

#include "examrooms/ShownExamNumber.h"
#include "tickets/TicketBlocks.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <array>

class GridData;

// The output document of a ticket job, written one ticket block at a time. Block i (from 0)
// takes rows 11·i + 1 to 11·i + 11 with the template's cell map: the bound columns in rows 4, 8
// and 9, the shown exam number, seat and room in rows 5, 6 and 7 (stub column 4 and ticket
// column 11 alike), the last four characters of the exam number as capital numerals in column
// 8, the photo in both boxes. Both builders write through here.
class TicketSheet {
public:
    static constexpr int CutLineLength = 172;

    // `prefix`, `form` and `roomCount` shape the shown exam numbers and rooms (see ShownExamNumber).
    TicketSheet(GridData &out, const TicketBlocks &blocks, const QString &prefix, const QString &form, int roomCount,
        const std::array<int, 10> &boundField);

    // Makes room for `blocks` blocks and the one row after the last (11·blocks + 1 rows).
    void Reserve(int blocks);
    // Writes block `index` from `record` (values in ticket-column order). `photoKey` names a
    // picture already in the document's images, or is empty for no photo. A bound column
    // without a value prints nothing: the template's text there is only the column's name.
    void WriteBlock(int index, const QVariantList &record, const QString &photoKey);
    // The block of a stacked group that has run out: the prefix and zeros of an exam number
    // without its digits, seat "0", the zeros of a room, numerals 零, no name or other value,
    // and with `photoBoxes` the empty boxes of tickets that carry photos.
    void WritePlaceholder(int index, bool photoBoxes);
    // The cut line under every block but the one that ends a page, and a page break before
    // each block that starts one; nothing after the last block.
    void FinishPages(int blocks, int perPage);

    // 零 壹 … 玖 for the last four characters of a shown exam number; a character that is not a
    // digit, or one missing because the number is shorter, reads 零.
    static std::array<QString, 4> Numerals(const QString &shownNumber);
    static const QStringList &CapitalDigits();

private:
    // Pastes the block and writes the six value rows of stub and ticket and the numerals.
    void Write(int index, const GridBlock &block, const std::array<QString, 6> &values);

    GridData &m_out;
    const TicketBlocks &m_blocks;
    ShownExamNumber m_shown;
    // Exam number, seat and room of a placeholder.
    std::array<QString, 3> m_placeholder;
    std::array<int, 10> m_boundField;
};
