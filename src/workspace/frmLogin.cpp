#include "workspace/frmLogin.h"

#include "datastore/DatabaseMessage.h"
#include "datastore/Login.h"
#include "db/Error.h"
#include "examrooms/ExamNoSettings.h"
#include "prompts/Prompts.h"
#include "ui_frmLogin.h"

frmLogin::frmLogin(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::frmLogin)
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &frmLogin::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    LoadExamNoSettings();
}

frmLogin::~frmLogin()
{
    delete ui;
}

void frmLogin::Command1_Click()
{
    const QString prompt = QStringLiteral("提示");
    try {
        if (LogIn(ui->Text1->text().trimmed(), ui->Text2->text())) {
            accept();
            return;
        }
    } catch (const db::Error &error) {
        Prompts::instance().message(
            this, QStringLiteral("无法登录。") + DatabaseMessage(error), prompt, QMessageBox::Warning);
        return;
    }
    Prompts::instance().message(this, QStringLiteral("用户名或密码错误。"), prompt, QMessageBox::Warning);
    ui->Text2->clear();
    ui->Text2->setFocus();
}
