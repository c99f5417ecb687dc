#include "tickets/TicketBlocks.h"

#include "griddata/GridData.h"

namespace {

constexpr CellRange Ticket { 1, 1, TicketBlocks::BlockRows, TicketBlocks::BlockCols };

// The box a photo goes into: one cell, with no line around it and no caption under the photo.
void PreparePhotoBox(GridData &data, int col)
{
    const CellRange box { TicketBlocks::PhotoRow, col, TicketBlocks::PhotoLastRow, col };
    data.merge(box);
    for (int edge : { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom, EdgeInsideHorizontal, EdgeInsideVertical })
        data.setBorder(box, edge, LineNone);
    data.setText(box.row1, col, QString());
}

} // namespace

TicketBlocks::TicketBlocks(const GridData &ticketTemplate)
{
    // On paper the value cells are plain cells: the template's drop-downs only choose bindings.
    GridData prepared = ticketTemplate;
    for (int row = Ticket.row1; row <= Ticket.row2; ++row)
        for (int col = Ticket.col1; col <= Ticket.col2; ++col)
            prepared.setCellType(row, col, CellTypeText);
    m_plain = prepared.copyBlock(Ticket);
    PreparePhotoBox(prepared, StubPhotoCol);
    PreparePhotoBox(prepared, TicketPhotoCol);
    m_withPhoto = prepared.copyBlock(Ticket);
    for (int row = 0; row <= BlockRows; ++row)
        m_rowHeights[size_t(row)] = ticketTemplate.rowHeight(row);
    for (int col = 0; col <= BlockCols; ++col)
        m_colWidths[size_t(col)] = ticketTemplate.colWidth(col);
}

QSize TicketBlocks::photoBox() const
{
    int height = 0;
    for (int row = PhotoRow; row <= PhotoLastRow; ++row)
        height += rowHeight(row);
    return { std::max(colWidth(StubPhotoCol), colWidth(TicketPhotoCol)), height };
}
