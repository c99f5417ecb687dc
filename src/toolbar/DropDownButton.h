#pragma once

#include "toolbar/ToolbarLook.h"

#include <QWidget>

class DropDownPanel;

// A 35 x 22 split button of the formatting toolbar: the face on the left raises Click, the
// arrow on the right opens the button's drop-down panel. It lights up while the pointer is
// over it, shows which part is pressed, and keeps the open look while its panel is shown.
// A release counts only after a press on the button, so the release that follows a press
// spent on closing the panel does nothing.
class DropDownButton : public QWidget {
    Q_OBJECT
public:
    explicit DropDownButton(QWidget *parent = nullptr);

    enum class Part { None, Face, Arrow };
    // The part under `point` (widget pixels). Both tests are strict: x = 0, x = 23 and y = 0
    // belong to neither part; y = 22, just below the button, still counts.
    static Part partAt(const QPoint &point);

signals:
    void Click();

protected:
    // Clears the button to its back colour (what lies under the hover and press looks).
    virtual void drawGround(QPainter &painter);
    // Paints the icon (and whatever else the face shows) and the drop arrow over the ground.
    virtual void drawFace(QPainter &painter) = 0;
    // Opens the drop-down panel, as the arrow part does.
    virtual void openPanel() = 0;

    // The button's panel; its closing brings the button back to the normal look.
    void setPanel(DropDownPanel *panel);
    // Shows the panel and gives the button the open look.
    void showPanel();
    void drawArrow(QPainter &painter) const;
    const ToolbarLook &look() const { return m_look; }

    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    enum class Look { Normal, Hot, Pressed };
    void setLook(Look face, Look arrow);
    void drawPart(QPainter &painter, int x, int width, Look look) const;
    bool panelOpen() const;

    ToolbarLook m_look;
    QPixmap m_arrow;
    DropDownPanel *m_panel = nullptr;
    Look m_face = Look::Normal;
    Look m_arrowLook = Look::Normal;
    bool m_pressed = false;
};
