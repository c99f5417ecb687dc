#include "prompts/ChineseQtTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// Words of English in a text, the mnemonic letters of "(&N)" and "(N)" left aside.
QStringList EnglishWords(const QString &text)
{
    QString plain = text;
    plain.remove(QRegularExpression(QStringLiteral("\\(&?[A-Za-z]\\)")));
    QStringList words;
    for (const QRegularExpressionMatch &word : QRegularExpression(QStringLiteral("[A-Za-z]{2,}")).globalMatch(plain))
        words << word.captured();
    return words;
}

} // namespace

// Whatever the desktop's language, Qt's dialogs speak Chinese: the file dialog's labels, buttons
// and column headers, and the type of a folder, which Qt's own catalogue leaves in English.
TEST(ChineseQtTextsTest, TheFileDialogSpeaksChinese)
{
    ChineseQtTexts::Install(*qApp);
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), "文件夹");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "查找范围：");
    // A text nobody translates stays as it is.
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "no such text"), "no such text");

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("名单"));
    QFileSystemModel model;
    model.setRootPath(dir.path());
    EXPECT_EQ(model.type(model.index(QDir(dir.path()).filePath("名单"))), "文件夹");

    QFileDialog dialog(nullptr, "打开", dir.path(), "表格文件 (*.cel)");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList english;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        english << EnglishWords(label->text());
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        english << EnglishWords(button->text());
    const QTreeView *details = dialog.findChild<QTreeView *>("treeView");
    ASSERT_NE(details, nullptr);
    for (int section = 0; section < details->model()->columnCount(); ++section)
        english << EnglishWords(details->model()->headerData(section, Qt::Horizontal).toString());
    EXPECT_EQ(english.join(' ').toStdString(), "");
}
