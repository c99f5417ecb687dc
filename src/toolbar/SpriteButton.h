#pragma once

#include "toolbar/DropDownButton.h"
#include "toolbar/SpriteLayout.h"
#include "toolbar/Tooltip.h"

#include <QList>
#include <QPixmap>

class SpritePanel;

// A drop-down button whose panel offers a grid of icons (alignments, border presets).
// Value is the chosen cell, row * columns + column; the face shows that cell's icon.
class SpriteButton : public DropDownButton {
    Q_OBJECT
public:
    int Value() const { return m_value; }
    // Stores any number; the face then shows the icon of the cell it names, or none when it
    // names no cell.
    void setValue(int value);
    // A picture drawn over the back colour, under everything else.
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    // The cell whose icon the face shows and the open panel marks; (-1, -1) for none.
    QPoint currentCell() const { return m_current; }

protected:
    SpriteButton(SpriteLayout layout, QWidget *parent);

    // Opens the panel with the cell of Value marked.
    void showList();
    void drawGround(QPainter &painter) override;
    void drawFace(QPainter &painter) override;

private:
    QPoint cellOf(int value) const;
    void choose(const QPoint &cell);

    SpriteLayout m_layout;
    QList<QPixmap> m_icons;
    SpritePanel *m_panel;
    QPixmap m_picture;
    Tooltip m_tooltip;
    int m_value = 0;
    QPoint m_current { 0, 0 };
};
