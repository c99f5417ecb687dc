#include "lists/PageWidthFit.h"

#include "grid/Grid.h"
#include "grid/Paginator.h"

#include <cmath>

namespace {

// Layout units across the printable part of the page left to the body columns.
double BodyWidth(Grid &grid)
{
    const ::PageSetup &setup = grid.PageSetup();
    double width = Paginator::paperSize(setup).width() - Paginator::fromCm(setup.LeftMargin)
        - Paginator::fromCm(setup.RightMargin);
    if (setup.PrintFixedColumn)
        width -= grid.Column(0).Width();
    return width;
}

} // namespace

void PageWidthFit::Fit(Grid &grid)
{
    int total = 0;
    for (int col = 1; col < grid.Cols(); ++col)
        total += grid.Column(col).Width();
    const double available = BodyWidth(grid);
    if (total <= available || total == 0)
        return;
    const double factor = available / total;
    for (int col = 1; col < grid.Cols(); ++col)
        grid.Column(col).SetWidth(int(std::floor(grid.Column(col).Width() * factor)));
}
