#pragma once

#include <QString>

class ShownExamNumber;
class frmDocument;
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

    // Fills `document` with the examinees `query` selects under `title`, adds their locations
    // and lays it out.
    // Raises db::Error, the document left empty, when the list's query cannot be saved.
    static void Show(frmDocument &document, const QString &title, const ListQuery &query, const ShownExamNumber &shown);

private:
    static QString ClassTitle(const QString &school, const QString &className);
    static void Open(const QString &title, const ListQuery &query);
};
