#pragma once

#include "toolbar/ToolbarDraw.h"

// The colours every toolbar control of the family takes when it is created, so that all of
// them hover, press and separate alike.
struct ToolbarLook {
    OleColor hotBorder = RgbColor(8, 36, 107);
    OleColor hotFill = RgbColor(181, 190, 214);
    OleColor pressedFill = RgbColor(132, 146, 181);
    OleColor shadow = 0;
    OleColor back = 0;

    // The look on the current palette: the shadow is the button shadow, the back colour a
    // shade lighter than the button face.
    static ToolbarLook standard();
};
