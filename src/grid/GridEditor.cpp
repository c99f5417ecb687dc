#include "GridEditor.h"

#include "GridData.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

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
    // The mask limits typing only; the validator would also refuse a stored text that does not
    // fit, so it is set after the text.
    setValidator(nullptr);
    setText(text);
    if (mask == MaskNumber)
        setValidator(new QRegularExpressionValidator(numberPattern(), this));
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

bool GridEditor::accepts(int mask, const QString &text)
{
    return mask != MaskNumber || numberPattern().match(text).hasMatch();
}
