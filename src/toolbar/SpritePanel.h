#pragma once

#include "toolbar/DropDownPanel.h"
#include "toolbar/SpriteLayout.h"

#include <QList>
#include <QPixmap>

// The panel of the alignment and border buttons: one icon per cell, the current choice
// marked with the chessboard.
class SpritePanel : public DropDownPanel {
    Q_OBJECT
public:
    SpritePanel(const SpriteLayout &layout, const QList<QPixmap> &icons, QWidget *owner);

protected:
    void drawList(QPainter &painter) override;
    std::optional<QPoint> hitTest(const QPoint &point) const override;
    QRect cellFrame(const QPoint &cell) const override;

private:
    const SpriteLayout &m_layout;
    const QList<QPixmap> &m_icons;
};
