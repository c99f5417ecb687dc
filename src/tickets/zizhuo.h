#pragma once

#include "tickets/TicketJob.h"
#include "tickets/TicketOrder.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class Grid;
class GridData;

namespace Ui {
class zizhuo;
}

// The ticket window 制作准考证: the template (edited in place, its value rows bound to examinee
// columns), the ticket type, print mode, grouping and photo choices, and the OK button that
// runs a ticket job. Modeless, one instance (see TicketCommands), closed by 取消.
//
// A template that cannot be read or has the wrong shape is named in a message; the window
// still opens and only ticket jobs are refused until a template loads (恢复默认 puts the
// factory copy back).
class zizhuo : public QWidget {
    Q_OBJECT

public:
    explicit zizhuo(QWidget *parent = nullptr);
    ~zizhuo() override;

    // Form-level fields, under the names the ticket builders know them by.
    QString mTemplatePath;
    // For template rows 4 to 9: the position in the ticket columns of the bound column.
    std::array<int, 10> mBoundFieldIndex {};
    int mComboRow = 0;
    // Rows of the room table with a room number: the zeros before room numbers.
    int mExamRoomCount = 0;

    Grid *templateGrid() const;
    bool templateLoaded() const { return m_templateLoaded; }
    // Tickets to a page of the chosen type: 2 (标准型) or 3 (经济型).
    int perPage() const;
    // The job the controls describe.
    TicketOrder Order() const;
    // Reads the lists and the room count again, keeping the choices that still exist: the data
    // changed under the open window (an import, another data area).
    void RefreshAreaData();
    // How a finished ticket document is shown (the print preview; tests look at it instead).
    void setPreview(const TicketJob::Preview &preview) { m_preview = preview; }

public slots:
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Combo1_Click();
    void Check1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Grid1_ComboDropDown(int row, int col);
    void Grid1_ComboClick(int index);
    // Shows the grouping lists and captions that fit the ticket type, print mode and grouping.
    void ShowGroupingChoices();

private:
    void Form_Load();
    // Loads the template of a type. Its value cells name the columns their rows print: the
    // names bind the rows, unless `keepBinding` (a change of type keeps the binding chosen),
    // and a row whose cell names no column shows the column it prints.
    void LoadTemplate(int perPage, bool keepBinding);
    void ShowBinding(GridData &data, bool keepBinding);
    void ChooseType(int perPage);
    void FillRoomChoices();
    void CountRooms();
    void Say(const QString &text);
    // Runs a step that reads the data file; a failure is said, not thrown.
    template <typename Step> void Reading(Step step);

    std::unique_ptr<Ui::zizhuo> ui;
    bool m_templateLoaded = false;
    // The type of the template last loaded (2 or 3), 0 before the first.
    int m_templateType = 0;
    TicketJob::Preview m_preview = TicketJob::ShowPreview;
};
