#include "workspace/frmDocument.h"

#include "grid/Grid.h"
#include "workspace/frmMain.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace {
int gNewDocumentCount = 0;
}

frmDocument::frmDocument(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAlignment(Qt::AlignCenter);
    QFont titleFont = Text1->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    Text1->setFont(titleFont);

    Grid1 = new Grid(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Text1);
    layout->addWidget(Grid1, 1);
    // The grid comes first in the focus chain: a document opens ready for the arrow keys, not
    // for typing into its title.
    setTabOrder(Grid1, Text1);
}

frmDocument *NewDocumentWindow()
{
    return gMainForm ? gMainForm->OpenDocument(++gNewDocumentCount) : nullptr;
}
