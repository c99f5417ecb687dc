#pragma once

#include "datastore/StatisticsQueries.h"

class frmDocument;
class Grid;

// 数据信息/成绩表信息: "基本情况表", a row per school of the score table 成绩表 and the teacher
// table 教师表 with its classes, examinees expected, and per subject those who sat, those absent
// and the number of teachers, under a totals row "合 计". The subjects are the columns both tables
// hold. The two tables come with the data file; when either is missing, or they share no subject,
// a message says so and no document opens. Needs no login.
class ScoreOverviewReport {
public:
    static frmDocument *cjbxx_Click();

    // Writes `overview` into `grid`: two header rows, the totals row, then the schools.
    static void Write(Grid &grid, const StatisticsQueries::ScoreOverview &overview);

    static const QString kTitle;
};
