#pragma once

#include <QLineEdit>

// The box in which a user types a cell's new text, laid over the cell. It only holds the edit;
// the grid decides what the keys do and when the text is stored.
class GridEditor : public QLineEdit {
    Q_OBJECT

public:
    explicit GridEditor(QWidget *parent);

    // Starts editing (row, col), which holds `stored`, over `rect` with `text` in the box.
    // Started by typing, the arrow keys leave the cell as in a spreadsheet; started with F2 or a
    // double click they move the caret.
    void begin(
        int row, int col, const QRect &rect, const QString &stored, const QString &text, bool byTyping, int mask);
    void finish();
    bool isActive() const { return m_active; }
    bool byTyping() const { return m_byTyping; }
    int row() const { return m_row; }
    int col() const { return m_col; }
    const QString &originalText() const { return m_originalText; }

    // Whether `text` may be typed into a column with `mask`.
    static bool accepts(int mask, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_mask = 0;
    bool m_active = false;
    bool m_byTyping = false;
    int m_row = -1;
    int m_col = -1;
    QString m_originalText;
};
