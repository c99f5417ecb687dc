#pragma once

class Grid;

// Keeps a list one sheet wide. The list layouts give every column a fixed width, and with all
// eight examinee columns shown (the setting after an import) a room list is wider than a
// portrait A4 page: it would print as two sheets side by side, the first holding only the
// columns left of the merged location line. A list that is too wide has its columns narrowed
// in proportion until it fits; one that fits is left as the layout made it.
class PageWidthFit {
public:
    static void Fit(Grid &grid);
};
