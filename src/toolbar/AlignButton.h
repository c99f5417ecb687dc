#pragma once

#include "toolbar/SpriteButton.h"

// The toolbar's alignment button. Value is row * 3 + column of the chosen alignment, with
// columns left, centre, right and rows top, middle, bottom; the host maps it to the grid.
class AlignButton : public SpriteButton {
    Q_OBJECT
public:
    explicit AlignButton(QWidget *parent = nullptr);

    // Opens the panel of nine alignments with the current one marked.
    void ShowAlignList();

protected:
    void openPanel() override;
};
