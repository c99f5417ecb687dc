#pragma once

#include "toolbar/DropDownButton.h"
#include "toolbar/Tooltip.h"

#include <QPixmap>

class ColorPanel;

// The toolbar's colour button: the face shows an icon over a bar in the current colour,
// the panel offers 40 colours and the colour dialog. ButtonType 0 picks a fill colour,
// 1 a text colour.
class ColorButton : public DropDownButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget *parent = nullptr);

    // The current colour, 0x00BBGGRR or a system-colour reference.
    OleColor Value() const { return m_value; }
    void setValue(OleColor value);
    // 0 fill colour ("填充颜色"), 1 text colour ("文字颜色"); any other value shows a pen
    // and keeps the tooltip it had.
    int ButtonType() const { return m_buttonType; }
    void setButtonType(int type);

    // The palette cell the open panel marks; (-1, -1) for none.
    QPoint currentCell() const { return m_current; }

    // Opens the palette with the cell of Value marked.
    void ShowColorList();

protected:
    void drawFace(QPainter &painter) override;
    void openPanel() override;

private:
    void choose(const QPoint &cell);
    void chooseCustomColor();

    ColorPanel *m_panel;
    QPixmap m_fillIcon;
    QPixmap m_textIcon;
    QPixmap m_penIcon;
    Tooltip m_tooltip;
    OleColor m_value = 0;
    int m_buttonType = 0;
    QPoint m_current { -1, -1 };
};
