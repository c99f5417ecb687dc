#include "toolbar/ToolbarLook.h"

ToolbarLook ToolbarLook::standard()
{
    ToolbarLook look;
    look.shadow = TranslateColor(kSystemButtonShadow);
    look.back = LightenColor(kSystemButtonFace, IsThemed() ? 0.97f : 0.95f);
    return look;
}
