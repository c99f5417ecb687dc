#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace Ui {
class shezifrm;
}

// 工具/设置: which examinee columns the lists show and in which order (tab "编排表输出显示",
// stored in the area's settings row '考场显示'), and the six pieces of the list titles (tab
// "打印预览表标题", stored in bttable). Modeless, one at a time; what it stores holds for
// every list made afterwards.
//
// The column grid: column 1 ticks a field, column 2 names it, column 3 holds its place in the
// lists or "不显示". Ticking renumbers the shown fields in grid order; typing another field's
// number over an order and leaving the cell makes the two fields change places.
class shezifrm : public QDialog {
    Q_OBJECT

public:
    explicit shezifrm(QWidget *parent = nullptr);
    ~shezifrm() override;

    // Shows the one window, making it when there is none (read afresh from the data then).
    static shezifrm *Open(QWidget *parent);
    // The open window, or nullptr.
    static shezifrm *Instance();

    void Form_Load();
    // Rebuilds the column grid and "当前显示" from the current area's examinee table and its
    // stored setting: the area's tables have changed under the window.
    void LoadColumns();

    void Grid1_CellChange(int row, int col);
    void Grid1_Click();
    void Grid1_LeaveCell(int row, int col, int newRow, int newCol, bool &cancel);
    void Command1_Click();
    void Command4_Click();

    Ui::shezifrm *ui;

    static inline const QString kNotShown = QStringLiteral("不显示");
    static inline const QString kNothingShownMessage = QStringLiteral("请至少选择一列显示，否则各个名单将没有内容。");
    static inline const QString kNoExamineesMessage
        = QStringLiteral("当前数据区还没有考生表，没有可以显示的列。请先导入考生：导入数据/考场编排数据。");

private:
    void Renumber();
    void Say(const QString &text, QMessageBox::Icon icon = QMessageBox::NoIcon);

    // The examinee table's fields as the grid was built from them, whatever the user types
    // over their names.
    QStringList m_fields;
    QString mOldOrder;
    bool mOrderEdited = false;
};
