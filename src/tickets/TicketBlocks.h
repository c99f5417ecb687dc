#pragma once

#include "griddata/GridBlock.h"

#include <QSize>

#include <array>

class GridData;

// The ticket of a template as the builders paste it: rows 1 to 11, columns 1 to 15, so every
// cell keeps its template coordinates. A second copy has its photo boxes made ready for a
// photo (merged, without frame or caption); it is taken only for tickets whose photo was found,
// so a missing photo leaves its box as the template draws it. The template is never changed.
class TicketBlocks {
public:
    static constexpr int BlockRows = 11;
    static constexpr int BlockCols = 15;
    // Top-left cells of the photo boxes (rows 3 to 8) of the stub and of the ticket.
    static constexpr int PhotoRow = 3;
    static constexpr int PhotoLastRow = 8;
    static constexpr int StubPhotoCol = 6;
    static constexpr int TicketPhotoCol = 13;

    explicit TicketBlocks(const GridData &ticketTemplate);

    const GridBlock &plain() const { return m_plain; }
    const GridBlock &withPhoto() const { return m_withPhoto; }
    // Template row heights of rows 0..11 and column widths of columns 0..15.
    int rowHeight(int row) const { return m_rowHeights[size_t(row)]; }
    int colWidth(int col) const { return m_colWidths[size_t(col)]; }
    // The larger photo box in pixels at 96 dpi: what a photo is read for.
    QSize photoBox() const;

private:
    GridBlock m_plain;
    GridBlock m_withPhoto;
    std::array<int, BlockRows + 1> m_rowHeights {};
    std::array<int, BlockCols + 1> m_colWidths {};
};
