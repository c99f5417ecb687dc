#include "prompts/Prompts.h"

#include <QColorDialog>
#include <QDateTime>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace {
Prompts *installed = nullptr;

// Messages quote file names and the data ("<b>成绩</b>.xls" is a possible name): shown as they
// are, never taken for markup.
void showsPlainText(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
}

QString chosenFile(QFileDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
} // namespace

Prompts &Prompts::instance()
{
    static DialogPrompts dialogs;
    return installed ? *installed : dialogs;
}

void Prompts::install(Prompts *prompts)
{
    installed = prompts;
}

QMessageBox::StandardButton DialogPrompts::message(QWidget *parent, const QString &text, const QString &title,
                                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, parent);
    showsPlainText(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool DialogPrompts::confirm(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    showsPlainText(box);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::unique_ptr<QFileDialog> DialogPrompts::NewFileDialog(QWidget *parent, const QString &caption,
                                                         const QString &dir, const QString &filter)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption, dir, filter);
    // A desktop's own dialogs speak the desktop's language, and only when its locale is
    // installed: Qt's dialogs speak the program's.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // Qt's dialog opens small, and its detail columns cut Chinese file types and sizes.
    dialog->resize(900, 560);
    if (auto *details = dialog->findChild<QTreeView *>(QStringLiteral("treeView"))) {
        const QFontMetrics metrics(details->font());
        const int margins = 2 * (details->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1)
            + 2 * metrics.averageCharWidth();
        const QLocale shown = QLocale::system();
        const QString widest[] = { shown.formattedDataSize(1023 * 1024 + 900), QStringLiteral("Excel 2007 电子表格"),
            shown.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat) };
        QHeaderView *header = details->header();
        // Qt fits these columns to the rows it has read when it lays them out, before it knows
        // each file's size and type.
        for (int section = 1; section <= 3; ++section) {
            header->setSectionResizeMode(section, QHeaderView::Interactive);
            header->resizeSection(section,
                std::max(header->sectionSize(section), metrics.horizontalAdvance(widest[section - 1]) + margins));
        }
    }
    return dialog;
}

QString DialogPrompts::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    const auto dialog = NewFileDialog(parent, caption, dir, filter);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return chosenFile(*dialog);
}

QString DialogPrompts::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    const auto dialog = NewFileDialog(parent, caption, dir, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    return chosenFile(*dialog);
}

QString DialogPrompts::folder(QWidget *parent, const QString &caption, const QString &dir)
{
    const auto dialog = NewFileDialog(parent, caption, dir, QString());
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return chosenFile(*dialog);
}

bool DialogPrompts::font(QWidget *parent, QFont &value)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, value, parent, QString(), QFontDialog::DontUseNativeDialog);
    if (ok)
        value = chosen;
    return ok;
}

bool DialogPrompts::color(QWidget *parent, QColor &value)
{
    const QColor chosen = QColorDialog::getColor(value, parent, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return false;
    value = chosen;
    return true;
}
