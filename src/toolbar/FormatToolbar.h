#pragma once

#include <QToolBar>

class AlignButton;
class BorderButton;
class ColorButton;
class FlatComboBox;
class FontButton;
class Grid;
class Toolbar;
class frmMain;

// The formatting toolbar row of the main window, above its documents, and the handlers that
// turn the controls' values into formatting of the selected cells of the active document (or,
// for the command strip, run the main window's document commands). The controls know nothing
// of grids; these handlers are the only place where their values reach one.
//
// Every handler looks the active document up afresh, does its work, and gives the keyboard
// back to the document's grid. With no document open, or with a child window active that is no
// document, it does nothing, says nothing and leaves the focus where it is; a grid that refuses
// a value ends the handler just as quietly.
class FormatToolbar : public QToolBar {
    Q_OBJECT
public:
    // Builds the row on `window`, fills the font boxes (the sizes "6" to "72" showing "9", the
    // installed fonts showing "宋体") and connects every control to its handler.
    static FormatToolbar *Connect(frmMain &window);

    Toolbar *Toolbar1;
    FlatComboBox *cboFontName;
    FlatComboBox *cboFontSize;
    FontButton *FontButton1;
    AlignButton *AlignButton1;
    BorderButton *BorderButton1;
    ColorButton *ColorButton1; // text colour
    ColorButton *ColorButton2; // fill colour

    void AlignButton1_Click();
    void BorderButton1_Click();
    void ColorButton1_Click();
    void ColorButton2_Click();
    // 0 bold, 1 italic, 2 underline: the selection takes the opposite of the active cell's state.
    void FontButton1_Click(int index);
    void cboFontName_Click();
    void cboFontSize_Click();
    // Runs the command of strip button `index` on the active document.
    void Toolbar1_Click(int index);

private:
    explicit FormatToolbar(frmMain &window);
    void fillFontBoxes();
    void connectHandlers();
    // Runs `action` on the active document's grid, then gives that grid the focus; nothing at
    // all without a document, and no focus step after an error.
    template <class Action> void onActiveGrid(Action action);
    void focusActiveGrid();

    frmMain &m_window;
};
