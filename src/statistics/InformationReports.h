#pragma once

class frmDocument;

// 数据信息/考生表信息: head counts of the imported examinee table, "原始考生信息表", per class of
// each school (按班级) or per school (按学校), with students, boys and girls and a totals row.
// They need no login. Each returns its document, or nullptr when the examinee table could not be
// counted (one message says so and no document opens).
class InformationReports {
public:
    static frmDocument *anbj_Click();
    static frmDocument *anxx_Click();
};
