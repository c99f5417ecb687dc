#pragma once

#include <QDialog>

namespace Ui {
class frmLogin;
}

// 文件/登录: asks for a user name and password of the current data area. Loading it reads the
// exam-number settings; a right pair logs the user in and closes it, a wrong one says so.
class frmLogin : public QDialog {
    Q_OBJECT

public:
    explicit frmLogin(QWidget *parent = nullptr);
    ~frmLogin() override;

    Ui::frmLogin *ui;

private:
    void Command1_Click();
};
