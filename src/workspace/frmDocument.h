#pragma once

#include <QWidget>

class Grid;
class QLineEdit;

// A document window: one grid with a title box above it. Every result of the program (a list,
// a statistics table, a loaded grid file) is shown in one. Its object name is "frmDocument",
// which is how other code tells a document from other child windows of the main window.
class frmDocument : public QWidget {
    Q_OBJECT

public:
    explicit frmDocument(QWidget *parent = nullptr);

    // 文件/打开 into this window: reads the grid file the user chooses, and the window takes the
    // file's name as its caption and title, whatever it showed before. False when the user
    // cancelled or the file could not be read (which is said, and leaves the window as it was).
    bool OpenFile();

    Grid *Grid1 = nullptr;
    QLineEdit *Text1 = nullptr;
};

// Opens a new document window in the main window, like frmMain::LoadNewDoc, counted apart: for
// windows that open documents of their own. Returns the new document; nullptr without a main
// window.
frmDocument *NewDocumentWindow();
