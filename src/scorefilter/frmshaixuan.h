#pragma once

#include <QDialog>
#include <QMessageBox>

namespace Ui {
class frmshaixuan;
}

// 编辑/筛选: cuts the list of the active document down to one school, or one class of a school,
// into a new document titled after the choice (一中3成绩表). Modeless, one at a time; the
// source document is read, never changed.
class frmshaixuan : public QDialog {
    Q_OBJECT

public:
    explicit frmshaixuan(QWidget *parent = nullptr);
    ~frmshaixuan() override;

    // Shows the one window, making it (from the document active now) when there is none.
    static frmshaixuan *Open(QWidget *parent);
    // The open window, or nullptr.
    static frmshaixuan *Instance();

    // Lists the schools of the active document.
    void Form_Load();
    // Lists the classes of the chosen school, after an empty entry that stands for all of them.
    void Combo1_Click();
    // Makes the filtered document and closes the window; says why when there is nothing to make.
    void Command1_Click();

    Ui::frmshaixuan *ui;

    static inline const QString kNoDocumentMessage = QStringLiteral("没有打开的名单，无法筛选。");
    static inline const QString kNoSchoolColumnMessage = QStringLiteral("当前名单没有“学校”列，无法筛选。");
    static inline const QString kNoMatchMessage
        = QStringLiteral("当前名单中没有所选学校、班级的记录，没有生成新名单。");

private:
    void Say(const QString &text);
};
