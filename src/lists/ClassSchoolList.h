#pragma once

#include <QStringList>

class Grid;
struct ListQuery;

// 浏览/按班级 and 浏览/按学校: the examinees of one class, one school, or all of them, as a new
// document with each examinee's room location in a column of its own and the numbers shown as
// in the room lists. The two commands differ only in their menu, filter, order and title.
class ClassSchoolList {
public:
    // `Index` is the chosen item of gbj; its data is {school, class}. Item 0 lists everyone.
    static void gbj_Click(int Index);
    // `Index` is the chosen item of gxx; its data is the school. Item 0 lists everyone.
    static void gxx_Click(int Index);

    // Appends the column 考场地点 and writes into it the location of each examinee's room.
    static void AddLocationColumn(Grid &grid, const QStringList &rooms);

private:
    static QString ClassTitle(const QString &school, const QString &className);
    static void Show(const QString &title, const ListQuery &query);
};
