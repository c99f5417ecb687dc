#include "prompts/Prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Answers the question the real dialog shows with one key, as a person would.
bool AnswerWithKey(Qt::Key key)
{
    QTimer::singleShot(0, [key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, key);
    });
    DialogPrompts prompts;
    return prompts.confirm(nullptr, QStringLiteral("当前数据区已有 3 名考生。"), QStringLiteral("导入"));
}

} // namespace

// Replacing an arranged exam cannot be undone: Enter pressed out of habit must keep it.
TEST(Confirm, EnterKeepsThingsAsTheyAreAndOnlyYesGoesOn)
{
    EXPECT_FALSE(AnswerWithKey(Qt::Key_Return));
    EXPECT_FALSE(AnswerWithKey(Qt::Key_Escape));
    EXPECT_TRUE(AnswerWithKey(Qt::Key_Y));
}

// File names and data quoted in a message are shown as they are: "<b><u>BIG.xls" is no markup.
TEST(Confirm, MessagesShowTheirTextAsItIs)
{
    const QString text = QStringLiteral("无法读取 <b><u>BIG.xls");
    QList<Qt::TextFormat> formats;
    const auto answer = [&formats, text] {
        QTimer::singleShot(0, [&formats, text] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), text);
            formats << box->textFormat();
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    DialogPrompts prompts;
    answer();
    prompts.message(nullptr, text, QStringLiteral("导入"), QMessageBox::Warning, QMessageBox::Ok);
    answer();
    prompts.confirm(nullptr, text, QStringLiteral("导入"));
    EXPECT_EQ(formats, QList<Qt::TextFormat>({ Qt::PlainText, Qt::PlainText }));
}
