#include "workspace/frmDocument.h"

#include "gridview/Grid.h"
#include "prompts/Prompts.h"
#include "workspace/frmMain.h"

#include <QFileInfo>
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

bool frmDocument::OpenFile()
{
    const QString path
        = Prompts::instance().openFileName(this, QStringLiteral("打开"), QString(), Grid::FileFilter());
    if (path.isEmpty())
        return false;
    if (!Grid1->OpenFile(path)) {
        Prompts::instance().message(this, Grid1->lastError(), QStringLiteral("提示"), QMessageBox::Warning);
        return false;
    }
    const QFileInfo file(path);
    setWindowTitle(file.fileName());
    Text1->setText(file.completeBaseName());
    return true;
}

frmDocument *NewDocumentWindow()
{
    return gMainForm ? gMainForm->OpenDocument(++gNewDocumentCount) : nullptr;
}
