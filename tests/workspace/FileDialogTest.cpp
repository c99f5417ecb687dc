#include "prompts/ChineseQtTexts.h"
#include "prompts/Prompts.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QStyle>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// The Chinese names of the file types a teacher opens or saves, as the dialog's type column
// shows them.
QStringList ChineseFileTypes()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QStringList types { QCoreApplication::translate("QAbstractFileIconProvider", "Folder") };
    for (const char *name : { "名单.xls", "名单.xlsx", "名单.cel" })
        types << QMimeDatabase().mimeTypeForFile(QString::fromUtf8(name), QMimeDatabase::MatchExtension).comment();
    QLocale::setDefault(before);
    return types;
}

} // namespace

// Every file and folder question opens Qt's dialog large enough that the size, type and date of
// each file read whole, not "40…iB" and "Ex…表格".
TEST(FileDialogTest, DetailColumnsReadWhole)
{
    ChineseQtTexts::Install(*qApp);
    QTemporaryDir dir;
    const auto dialog
        = DialogPrompts::NewFileDialog(nullptr, "考场编排数据", dir.path(), "Excel 工作簿 (*.xls *.xlsx)");
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->show();
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->size(), QSize(900, 560));

    const QTreeView *details = dialog->findChild<QTreeView *>("treeView");
    ASSERT_NE(details, nullptr);
    const QFontMetrics metrics(details->font());
    // The view elides a text that does not fit between these margins.
    const int margins = 2 * (details->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const QLocale shown = QLocale::system();
    const struct {
        int section;
        QStringList texts;
    } columns[] = {
        { 1, { shown.formattedDataSize(41472), shown.formattedDataSize(1023 * 1024 + 900), "40.5 KiB" } },
        { 2, ChineseFileTypes() << "Excel 工作簿" << "Excel 2007 电子表格" },
        { 3, { shown.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat),
                 shown.toString(QDateTime(QDate(2026, 12, 7), QTime(9, 27)), QLocale::ShortFormat) } },
    };
    for (const auto &column : columns)
        for (const QString &text : column.texts)
            EXPECT_GE(details->header()->sectionSize(column.section), metrics.horizontalAdvance(text) + margins)
                << text.toStdString();
    // The names keep a column wider than any of the details.
    EXPECT_GE(details->header()->sectionSize(0), metrics.horizontalAdvance("第一中学 考场编排数据 2026.xlsx"));
}
