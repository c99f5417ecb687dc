#include "GridEditor.h"

#include "griddata/GridData.h"

#include <QKeyEvent>
#include <QRegularExpression>

namespace {

const QRegularExpression &numberPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^[-+]?[0-9]*\\.?[0-9]*$"));
    return pattern;
}

} // namespace

GridEditor::GridEditor(QWidget *parent)
    : QLineEdit(parent)
{
    setFrame(false);
    hide();
}

void GridEditor::begin(
    int row, int col, const QRect &rect, const QString &stored, const QString &text, bool byTyping, int mask)
{
    m_row = row;
    m_col = col;
    m_byTyping = byTyping;
    m_active = true;
    m_originalText = stored;
    m_mask = mask;
    setText(text);
    setGeometry(rect.adjusted(1, 1, -1, -1));
    show();
    setFocus(Qt::OtherFocusReason);
    end(false);
}

void GridEditor::finish()
{
    m_active = false;
    hide();
}

void GridEditor::keyPressEvent(QKeyEvent *event)
{
    // The mask judges each typed character, not the whole text: a stored "A0012" in a number
    // column can still be shortened key by key.
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !(event->modifiers() & Qt::ControlModifier) && m_mask == MaskNumber
        && !typed.contains(QRegularExpression(QStringLiteral("^[-+.0-9]+$")))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    // Every key given to the box ends here, taken or not (Shift, F5, PageDown...): one it
    // ignored would go on to the grid, which hands keys to the box while editing, without end.
    event->accept();
}

bool GridEditor::accepts(int mask, const QString &text)
{
    return mask != MaskNumber || numberPattern().match(text).hasMatch();
}
