#pragma once

#include "toolbar/SpriteButton.h"

// The toolbar's border button. Value is row * 4 + column of the chosen border preset
// (0 no lines ... 11 thick frame with inner lines); the host applies the preset.
class BorderButton : public SpriteButton {
    Q_OBJECT
public:
    explicit BorderButton(QWidget *parent = nullptr);

    // Opens the panel of twelve border presets with the current one marked.
    void ShowBorderList();

protected:
    void openPanel() override;
};
