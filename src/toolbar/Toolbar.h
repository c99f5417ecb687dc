#pragma once

#include "toolbar/ButtonStrip.h"

// The seventeen command buttons at the left of the formatting toolbar (file, print,
// clipboard, merge, rows and columns, and three more). Click(index) names the button; the
// main window decides which command it runs.
class Toolbar : public ButtonStrip {
    Q_OBJECT
public:
    explicit Toolbar(QWidget *parent = nullptr);
};
