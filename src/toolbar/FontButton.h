#pragma once

#include "toolbar/ButtonStrip.h"

// The bold, italic and underline strip of the formatting toolbar. It keeps no font state:
// Click(index) says which button was used (0 bold, 1 italic, 2 underline) and the host decides.
class FontButton : public ButtonStrip {
    Q_OBJECT
public:
    explicit FontButton(QWidget *parent = nullptr);
};
