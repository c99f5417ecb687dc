#pragma once

#include "griddata/GridBlock.h"

#include <QString>

// The block last copied with CopyData, shared by every grid of the program so that a ticket
// block copied from the template pastes into the output document. The tab text that went onto
// the system clipboard with it tells a paste whether the clipboard still holds our block.
class GridCopyBuffer {
public:
    static const GridBlock &block();
    static const QString &clipboardText();
    static void set(const GridBlock &block, const QString &clipboardText = QString());
};
