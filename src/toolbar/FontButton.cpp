#include "toolbar/FontButton.h"

FontButton::FontButton(QWidget *parent)
    : ButtonStrip(
        {
            { 0, ":/icons/bold", "粗体" },
            { 22, ":/icons/italic", "斜体" },
            { 44, ":/icons/underline", "下划线" },
        },
        // The separator stands beyond the 65 pixels the main window gives the strip.
        { 68 }, QSize(65, 25), parent)
{
}
