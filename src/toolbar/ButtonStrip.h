#pragma once

#include "toolbar/ToolbarLook.h"
#include "toolbar/Tooltip.h"

#include <QPixmap>
#include <QString>
#include <QVector>
#include <QWidget>

// The flat push-button strip of the formatting toolbar: 16 x 16 icons on 22-pixel buttons,
// separator lines, a hover and a pressed look, a tooltip per button, and Click(index) when the
// left button is pressed on a button and a mouse button is released over the same one.
// FontButton and Toolbar are this strip with their own buttons.
class ButtonStrip : public QWidget {
    Q_OBJECT
public:
    struct Button {
        int left; // x of the button's left edge
        QString icon; // resource path of its 16 x 16 icon
        QString tip; // tooltip text
    };

    // The button under x: the first whose columns left .. left + 22 (both ends) hold x, so a
    // column shared by two neighbours goes to the lower index; -1 over a gap. Y never counts.
    int HitTest(int x) const;

    int hoverIndex() const { return m_hover; }
    int pressedIndex() const { return m_pressed; }
    int buttonCount() const { return int(m_buttons.size()); }
    QSize sizeHint() const override { return m_hint; }

signals:
    void Click(int index);

protected:
    ButtonStrip(QVector<Button> buttons, QVector<int> separators, QSize hint, QWidget *parent);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void DrawButtons(QPainter &painter) const;
    bool isInside(QPoint pos) const;
    void clearHover();

    QVector<Button> m_buttons;
    QVector<QPixmap> m_icons;
    QVector<int> m_separators;
    QSize m_hint;
    ToolbarLook m_look;
    Tooltip m_tooltip;
    int m_pressed = -1;
    int m_hover = -1;
};
