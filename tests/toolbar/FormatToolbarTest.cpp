#include "SendMouse.h"
#include "gridprint/PdfWriter.h"
#include "gridprint/PreviewPages.h"
#include "support/Snapshot.h"
#include "gridview/Grid.h"
#include "toolbar/AlignButton.h"
#include "toolbar/BorderButton.h"
#include "toolbar/ColorButton.h"
#include "toolbar/DropDownPanel.h"
#include "toolbar/FlatComboBox.h"
#include "toolbar/FlatComboList.h"
#include "toolbar/FontButton.h"
#include "toolbar/FormatToolbar.h"
#include "toolbar/Toolbar.h"
#include "workspace/MainWindowFixture.h"
#include "workspace/frmDocument.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Closes every modal dialog as soon as it shows, remembering its class: the print and preview
// commands open one and wait for it.
class DialogCloser {
public:
    // `look` sees each dialog before it is closed.
    explicit DialogCloser(std::function<void(QDialog *)> look = {})
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, look] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                seen << QString::fromLatin1(dialog->metaObject()->className());
                if (look)
                    look(dialog);
                dialog->reject();
            }
        });
        m_timer.start();
    }
    QStringList seen;

private:
    QTimer m_timer;
};

// Where a user clicks on the panels: the middle of a cell.
QPoint alignCell(int column, int row)
{
    return QPoint(column * 28 + 16, row * 27 + 15);
}
QPoint borderCell(int column, int row)
{
    return QPoint(column * 25 + 14, row * 25 + 14);
}
QPoint colorCell(int column, int row)
{
    return QPoint(column * 18 + 14, row * 18 + 38);
}

// The x of the middle of strip button `index`.
int stripButton(int index)
{
    static const int lefts[] = { 0, 22, 44, 71, 93, 120, 142, 164, 191, 213, 240, 262, 284, 306, 333, 355, 377 };
    return lefts[index] + 11;
}

// The lines round a 3 x 3 block (rows and columns 2..4), read where each edge shows: left,
// right, top, bottom, inside vertical, inside horizontal, rising and falling diagonal.
using Edges = std::array<int, 8>;
Edges edgesOfBlock(const GridData &data)
{
    const auto line = [&data](int row, int col, CellLine which) { return int(data.style(row, col).lines[which]); };
    return { line(3, 2, LineLeft), line(3, 4, LineRight), line(2, 3, LineTop), line(4, 3, LineBottom),
        line(3, 2, LineRight), line(2, 3, LineBottom), line(3, 3, LineDiagonalUp), line(3, 3, LineDiagonalDown) };
}

// Pixels of `image` in the yellow fill and in a red ink.
struct Inks {
    int yellow = 0;
    int red = 0;
};
Inks inksOf(const QImage &image)
{
    Inks inks;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            inks.yellow += pixel.red() > 235 && pixel.green() > 235 && pixel.blue() < 40;
            inks.red += pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90;
        }
    return inks;
}

void keepSnapshot(const QImage &image, const QString &name)
{
    const QString path = SnapshotPath(name);
    if (!path.isEmpty())
        image.save(path);
}

} // namespace

// A main window with its toolbar and one document of 8 x 6 cells, each holding its own name.
class FormatToolbarTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        SendMouse::forgetHeldButtons();
        frmMain &main = openWindow();
        bar = FormatToolbar::Connect(main);
        main.resize(900, 600);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        main.LoadNewDoc();
        document = main.ActiveForm();
        grid = document->Grid1;
        grid->SetRows(8);
        grid->SetCols(6);
        for (int row = 1; row < 8; ++row)
            for (int col = 1; col < 6; ++col)
                grid->Cell(row, col).SetText(QStringLiteral("R%1C%2").arg(row).arg(col));
        select(1, 1, 2, 2);
    }
    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    void select(int row1, int col1, int row2, int col2) { grid->Range(row1, col1, row2, col2).Selected(); }
    const CellStyle &style(int row, int col) const { return grid->data().style(row, col); }
    // Puts the keyboard in the document's title box, away from the grid.
    void focusTitle()
    {
        document->Text1->setFocus();
        ASSERT_TRUE(document->Text1->hasFocus());
    }

    // Opens `button`'s panel with a click on its arrow and clicks `at` on it.
    static void choose(DropDownButton *button, QPoint at)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(28, 10));
        DropDownPanel *panel = button->findChild<DropDownPanel *>();
        ASSERT_TRUE(panel->isVisible());
        QTest::mouseClick(panel, Qt::LeftButton, {}, at);
        ASSERT_FALSE(panel->isVisible());
    }
    // Opens the box's list and clicks its item `row`.
    static void chooseItem(FlatComboBox *box, int row)
    {
        SendMouse::click(box, { 10, 10 });
        FlatComboList *list = box->List1();
        ASSERT_TRUE(list->isVisible());
        QListWidget *view = list->view();
        view->scrollToItem(view->item(row));
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        SendMouse::move(view->viewport(), at);
        SendMouse::click(view->viewport(), at);
        ASSERT_FALSE(list->isVisible());
    }
    void clickStrip(int index) { SendMouse::click(bar->Toolbar1, { stripButton(index), 10 }); }

    FormatToolbar *bar = nullptr;
    frmDocument *document = nullptr;
    Grid *grid = nullptr;
};

TEST_F(FormatToolbarTest, TheRowHoldsTheControlsAtTheirSizesAndTheFontBoxesAreFilled)
{
    EXPECT_EQ(bar->Toolbar1->size(), QSize(401, 25));
    EXPECT_EQ(bar->cboFontName->size(), QSize(73, 25));
    EXPECT_EQ(bar->cboFontSize->size(), QSize(41, 25));
    EXPECT_EQ(bar->FontButton1->size(), QSize(65, 25));
    for (QWidget *button : { static_cast<QWidget *>(bar->AlignButton1), static_cast<QWidget *>(bar->BorderButton1),
             static_cast<QWidget *>(bar->ColorButton1), static_cast<QWidget *>(bar->ColorButton2) })
        EXPECT_EQ(button->size(), QSize(35, 22)) << button->objectName().toStdString();
    EXPECT_EQ(bar->ColorButton1->ButtonType(), 1);
    EXPECT_EQ(bar->ColorButton2->ButtonType(), 0);
    // One row above the documents, left to right in the order of an office program.
    const int y = bar->Toolbar1->mapTo(window.get(), QPoint(0, 0)).y();
    EXPECT_LT(y + 25, window->MdiArea()->mapTo(window.get(), QPoint(0, 0)).y() + 1);
    int x = -1;
    for (QWidget *control : { static_cast<QWidget *>(bar->Toolbar1), static_cast<QWidget *>(bar->cboFontName),
             static_cast<QWidget *>(bar->cboFontSize), static_cast<QWidget *>(bar->FontButton1),
             static_cast<QWidget *>(bar->AlignButton1), static_cast<QWidget *>(bar->BorderButton1),
             static_cast<QWidget *>(bar->ColorButton1), static_cast<QWidget *>(bar->ColorButton2) }) {
        const QRect at(control->mapTo(window.get(), QPoint(0, 0)), control->size());
        EXPECT_GT(at.x(), x) << control->objectName().toStdString();
        EXPECT_LE(std::abs(at.center().y() - (y + 12)), 2) << control->objectName().toStdString();
        x = at.right();
    }

    QStringList sizes;
    for (int row = 0; row < bar->cboFontSize->List1()->count(); ++row)
        sizes << bar->cboFontSize->List1()->itemText(row);
    EXPECT_EQ(sizes.join(' '), "6 8 9 10 12 14 16 18 20 22 24 26 28 36 48 72");
    EXPECT_EQ(bar->cboFontSize->text(), "9");
    EXPECT_EQ(bar->cboFontName->text(), "宋体");
    EXPECT_GT(bar->cboFontName->List1()->count(), 0);
}

TEST_F(FormatToolbarTest, EachAlignmentGivesItsCodeAndOthersChangeNothing)
{
    // Panel cell (column, row) to the grid's code 4 * (column + 1) + (row + 1).
    const int codes[3][3] = { { 5, 9, 13 }, { 6, 10, 14 }, { 7, 11, 15 } };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            focusTitle();
            choose(bar->AlignButton1, alignCell(column, row));
            EXPECT_EQ(bar->AlignButton1->Value(), row * 3 + column);
            for (QPoint cell : { QPoint(1, 1), QPoint(2, 2) })
                EXPECT_EQ(style(cell.y(), cell.x()).alignment, codes[row][column]) << column << "," << row;
            EXPECT_EQ(style(3, 3).alignment, 0) << "outside the selection";
            EXPECT_TRUE(grid->hasFocus());
        }
    // A value from no cell: the face still clicks, nothing changes, the grid gets the keyboard.
    for (int value : { 9, -1 }) {
        bar->AlignButton1->setValue(value);
        focusTitle();
        QTest::mouseClick(bar->AlignButton1, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_EQ(style(1, 1).alignment, 15) << value;
        EXPECT_TRUE(grid->hasFocus()) << value;
    }
}

TEST_F(FormatToolbarTest, EachBorderPresetDrawsItsEdges)
{
    // left, right, top, bottom, inside vertical, inside horizontal, rising, falling
    const Edges expected[] = {
        { 0, 0, 0, 0, 0, 0, 0, 0 },
        { 0, 0, 1, 0, 0, 0, 0, 0 },
        { 0, 0, 0, 1, 0, 0, 0, 0 },
        { 1, 0, 0, 0, 0, 0, 0, 0 },
        { 0, 1, 0, 0, 0, 0, 0, 0 },
        { 0, 0, 0, 0, 0, 0, 1, 0 },
        { 0, 0, 0, 0, 0, 0, 0, 1 },
        { 0, 0, 0, 0, 1, 1, 0, 0 },
        { 1, 1, 1, 1, 0, 0, 0, 0 },
        { 2, 2, 2, 2, 0, 0, 0, 0 },
        { 1, 1, 1, 1, 1, 1, 0, 0 },
        { 2, 2, 2, 2, 1, 1, 0, 0 },
    };
    for (int value = 0; value < 12; ++value) {
        select(1, 1, 7, 5);
        grid->Selection().SetBorders(EdgeLeft, LineNone); // a clean sheet: no lines anywhere
        for (int edge = 0; edge < 8; ++edge)
            grid->Selection().SetBorders(edge, LineNone);
        select(2, 2, 4, 4);
        focusTitle();
        choose(bar->BorderButton1, borderCell(value % 4, value / 4));
        EXPECT_EQ(edgesOfBlock(grid->data()), expected[value]) << "preset " << value;
        EXPECT_TRUE(grid->AutoRedraw()) << "preset " << value;
        EXPECT_TRUE(grid->hasFocus()) << "preset " << value;
    }
}

TEST_F(FormatToolbarTest, BorderPresetsAddToWhatIsThereAndOnlyNoLinesRemoves)
{
    select(2, 2, 4, 4);
    choose(bar->BorderButton1, borderCell(1, 2)); // thick frame
    choose(bar->BorderButton1, borderCell(1, 1)); // rising diagonal
    choose(bar->BorderButton1, borderCell(3, 0)); // left line
    EXPECT_EQ(edgesOfBlock(grid->data()), (Edges { 1, 2, 2, 2, 0, 0, 1, 0 })) << "the left thin, the rest kept";

    // A value from no cell changes nothing and still gives the grid the keyboard.
    bar->BorderButton1->setValue(12);
    focusTitle();
    QTest::mouseClick(bar->BorderButton1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(edgesOfBlock(grid->data()), (Edges { 1, 2, 2, 2, 0, 0, 1, 0 }));
    EXPECT_TRUE(grid->hasFocus());

    choose(bar->BorderButton1, borderCell(0, 0));
    EXPECT_EQ(edgesOfBlock(grid->data()), (Edges {})) << "no lines removes all eight, diagonals included";
    EXPECT_EQ(style(2, 1).lines[LineRight], 0) << "and the frame's other side with them";
}

TEST_F(FormatToolbarTest, ColoursReachTheCellsAsRgbAndShowThere)
{
    const struct {
        const char *name;
        ColorButton *FormatToolbar::*button;
        QPoint cell; // palette cell, or (-1, -1) for the colour dialog
        QColor chosen;
        quint32 value;
    } cases[] = {
        { "red text", &FormatToolbar::ColorButton1, { 0, 2 }, QColor(255, 0, 0), 0x0000FF },
        { "yellow fill", &FormatToolbar::ColorButton2, { 2, 3 }, QColor(255, 255, 0), 0x00FFFF },
        { "blue text", &FormatToolbar::ColorButton1, { 5, 1 }, QColor(0, 0, 255), 0xFF0000 },
        { "brown fill", &FormatToolbar::ColorButton2, { 1, 0 }, QColor(153, 51, 0), 0x003399 },
        { "a colour of the dialog", &FormatToolbar::ColorButton2, { -1, -1 }, QColor(10, 20, 30), 0x1E140A },
    };
    for (const auto &c : cases) {
        ColorButton *button = bar->*c.button;
        focusTitle();
        if (c.cell.x() < 0) {
            prompts.colors << c.chosen;
            choose(button, QPoint(70, 15));
        } else {
            choose(button, colorCell(c.cell.x(), c.cell.y()));
        }
        EXPECT_EQ(button->Value(), c.value) << c.name;
        const quint32 applied = button == bar->ColorButton1 ? style(2, 2).foreColor : style(2, 2).backColor;
        EXPECT_EQ(applied, c.value) << c.name;
        EXPECT_TRUE(grid->hasFocus()) << c.name;
    }

    // On screen: the fill behind the cell, the text colour in its letters.
    choose(bar->ColorButton1, colorCell(0, 2));
    choose(bar->ColorButton2, colorCell(2, 3));
    select(3, 3, 3, 3);
    const QImage shown = grid->viewport()->grab().toImage();
    const QRect cell(grid->data().colLeft(1), grid->data().rowTop(1), grid->data().colWidth(1), grid->RowHeight(1));
    int yellow = 0;
    int red = 0;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
        for (int x = cell.left() + 2; x < cell.right() - 1; ++x) {
            const QColor pixel = shown.pixelColor(x, y);
            yellow += pixel == QColor(255, 255, 0);
            red += pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90;
        }
    EXPECT_GT(yellow, cell.width() * cell.height() / 2);
    EXPECT_GT(red, 10);
}

TEST_F(FormatToolbarTest, StyleButtonsGiveTheSelectionTheOppositeOfTheActiveCell)
{
    const struct {
        int index;
        bool CellStyle::*flag;
        void (GridRange::*set)(bool);
    } styles[] = {
        { 0, &CellStyle::bold, &GridRange::SetFontBold },
        { 1, &CellStyle::italic, &GridRange::SetFontItalic },
        { 2, &CellStyle::underline, &GridRange::SetFontUnderline },
    };
    for (const auto &s : styles)
        for (bool activeOn : { true, false }) {
            // The active cell (1, 1) one way, another selected cell the other way.
            (grid->Range(1, 1, 1, 1).*s.set)(activeOn);
            (grid->Range(2, 2, 2, 2).*s.set)(!activeOn);
            select(1, 1, 2, 2);
            focusTitle();
            SendMouse::click(bar->FontButton1, { s.index * 22 + 11, 10 });
            for (QPoint cell : { QPoint(1, 1), QPoint(2, 1), QPoint(2, 2) })
                EXPECT_EQ(style(cell.y(), cell.x()).*s.flag, !activeOn) << s.index << " " << activeOn;
            EXPECT_TRUE(grid->hasFocus());
        }
}

TEST_F(FormatToolbarTest, FontNameAndSizeFromTheBoxes)
{
    chooseItem(bar->cboFontSize, 5);
    EXPECT_EQ(bar->cboFontSize->text(), "14");
    EXPECT_EQ(style(2, 2).fontSize, 14.0);
    EXPECT_TRUE(grid->hasFocus());
    chooseItem(bar->cboFontName, 0);
    EXPECT_FALSE(style(2, 2).fontName.isEmpty());
    EXPECT_EQ(style(2, 2).fontName, bar->cboFontName->List1()->itemText(0));

    // The box takes no typing; a text it shows some other way reads by its leading number, and
    // one that reads as no size leaves the cells as they are.
    const struct {
        const char *text;
        double size;
    } sizes[] = { { "9", 9 }, { "10.5", 10.5 }, { "12pt", 12 }, { " 16", 16 }, { "", 16 }, { "大号", 16 },
        { "0", 16 }, { "-3", 16 } };
    for (const auto &c : sizes) {
        bar->cboFontSize->setText(QString::fromUtf8(c.text));
        focusTitle();
        bar->cboFontSize_Click();
        EXPECT_EQ(style(1, 1).fontSize, c.size) << c.text;
        EXPECT_TRUE(grid->hasFocus()) << c.text;
    }
    bar->cboFontName->setText("楷体");
    bar->cboFontName_Click();
    EXPECT_EQ(style(1, 1).fontName, "楷体") << "any name goes to the grid, installed or not";
}

TEST_F(FormatToolbarTest, EveryStripButtonRunsItsCommandAndGivesTheKeyboardBackButTheLastTwo)
{
    const QString file = QDir(app.path()).filePath("条.cel");
    const struct {
        int index;
        QStringList dialogs; // modal windows the command opened
        QString message; // what the command said
        int fileDialogs;
        bool focusBack;
        std::function<void(Grid &)> check;
    } cases[] = {
        { 0, {}, {}, 0, true, {} },
        { 1, {}, {}, 1, true, {} },
        { 2, {}, "数据保存成功。", 1, true, [&file](Grid &) { EXPECT_TRUE(QFileInfo::exists(file)); } },
        { 3, { "QPrintDialog" }, {}, 0, true, {} },
        { 4, { "PrintPreviewDialog" }, {}, 0, true, [](Grid &g) { EXPECT_TRUE(g.DisablePrintButton()); } },
        { 5, {}, {}, 0, true, {} },
        { 6, {}, {}, 0, true, {} },
        { 7, {}, {}, 0, true, {} },
        { 8, {}, {}, 0, true, [](Grid &g) { EXPECT_TRUE(g.Range(1, 1, 2, 2).MergeCells()); } },
        { 9, {}, {}, 0, true, [](Grid &g) { EXPECT_FALSE(g.data().isMerged(1, 1)); } },
        { 10, {}, {}, 0, true, [](Grid &g) { EXPECT_EQ(g.Rows(), 10); } },
        { 11, {}, {}, 0, true, [](Grid &g) { EXPECT_EQ(g.Cols(), 8); } },
        { 12, {}, {}, 0, true, [](Grid &g) { EXPECT_EQ(g.Rows(), 8); } },
        { 13, {}, {}, 0, true, [](Grid &g) { EXPECT_EQ(g.Cols(), 6); } },
        { 14, {}, {}, 0, true, {} },
        { 15, { "PrintPreviewDialog" }, {}, 0, false, {} },
        { 16, {}, "帮助文件不存在。", 0, false, {} },
    };
    for (const auto &c : cases) {
        select(1, 1, 2, 2);
        prompts.messages.clear();
        prompts.fileDialogs = 0;
        prompts.files << (c.index == 2 ? file : QString());
        grid->SetDisablePrintButton(false);
        focusTitle();
        DialogCloser closer;
        clickStrip(c.index);
        // A closed dialog hands the activation back to the main window, and with it the keyboard
        // to the widget the window last gave it.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(closer.seen, c.dialogs) << c.index;
        EXPECT_EQ(prompts.messageTexts(), c.message.isEmpty() ? QStringList() : QStringList { c.message }) << c.index;
        EXPECT_EQ(prompts.fileDialogs, c.fileDialogs) << c.index;
        if (c.check)
            c.check(*grid);
        EXPECT_EQ(grid->hasFocus(), c.focusBack) << c.index;
        EXPECT_EQ(document->Text1->hasFocus(), !c.focusBack) << c.index;
        prompts.files.clear();
    }

    // Copy and paste: the cell copied with 复制 comes back where 粘贴 puts it.
    select(1, 1, 1, 1);
    clickStrip(6);
    select(5, 4, 5, 4);
    clickStrip(7);
    EXPECT_EQ(grid->Cell(5, 4).text(), "R1C1");
    EXPECT_TRUE(grid->hasFocus());
}

// With no document, or with another child window in front, every control can be used without
// a message, a dialog, an effect or a move of the keyboard.
TEST_F(FormatToolbarTest, WithoutADocumentInFrontTheToolbarDoesNothing)
{
    const auto useEverything = [this] {
        DialogCloser closer;
        choose(bar->AlignButton1, alignCell(1, 1));
        choose(bar->BorderButton1, borderCell(3, 2));
        choose(bar->ColorButton1, colorCell(0, 2));
        choose(bar->ColorButton2, colorCell(2, 3));
        for (int index = 0; index < 3; ++index)
            SendMouse::click(bar->FontButton1, { index * 22 + 11, 10 });
        chooseItem(bar->cboFontSize, 5);
        chooseItem(bar->cboFontName, 0);
        for (int index = 0; index < 17; ++index)
            clickStrip(index);
        return closer.seen;
    };

    // Another kind of child window in front of the document.
    const GridData before = grid->data();
    auto *other = new QLineEdit;
    other->setObjectName("frmOther");
    QMdiSubWindow *window = this->window->MdiArea()->addSubWindow(other);
    window->show();
    this->window->MdiArea()->setActiveSubWindow(window);
    other->setFocus();
    ASSERT_EQ(this->window->ActiveForm(), nullptr);
    ASSERT_TRUE(other->hasFocus());
    EXPECT_TRUE(useEverything().isEmpty());
    EXPECT_TRUE(other->hasFocus());
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(grid->data().style(row, col), before.style(row, col)) << row << "," << col;
    EXPECT_EQ(grid->data().merges(), before.merges());
    EXPECT_EQ(grid->Rows(), 8);
    EXPECT_EQ(grid->Cols(), 6);

    // No child window at all.
    this->window->MdiArea()->closeAllSubWindows();
    ASSERT_EQ(this->window->MdiArea()->subWindowList().size(), 0);
    QWidget *focused = QApplication::focusWidget();
    EXPECT_TRUE(useEverything().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), focused);
    EXPECT_EQ(this->window->MdiArea()->subWindowList().size(), 0) << "打开 on the strip opens no window";
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.fileDialogs, 0);
}

// A block formatted with the toolbar as a teacher would (thick frame with inner lines, centred,
// bold, 14 points, red on yellow, two cells merged) comes back the same from its file, and the
// preview and the PDF show it so.
TEST_F(FormatToolbarTest, AFormattedBlockSurvivesItsFileAndPrintsAsShown)
{
    select(2, 2, 4, 4);
    choose(bar->BorderButton1, borderCell(3, 2));
    choose(bar->AlignButton1, alignCell(1, 1));
    SendMouse::click(bar->FontButton1, { 11, 10 });
    chooseItem(bar->cboFontSize, 5);
    choose(bar->ColorButton1, colorCell(0, 2));
    choose(bar->ColorButton2, colorCell(2, 3));
    select(2, 2, 2, 3);
    clickStrip(8);
    const GridData formatted = grid->data();
    ASSERT_TRUE(grid->data().isMerged(2, 2));
    EXPECT_EQ(style(3, 3), (CellStyle { {}, 14, true, false, false, 0x0000FF, 0x00FFFF, 10, false, { 1, 1, 1, 1, 0, 0 } }));

    const QString file = QDir(app.path()).filePath("格式.cel");
    prompts.files << file;
    clickStrip(2);
    ASSERT_EQ(prompts.messageTexts(), QStringList { "数据保存成功。" });
    window->MdiArea()->closeAllSubWindows();
    window->LoadNewDoc();
    grid = window->ActiveForm()->Grid1;
    prompts.files << file;
    clickStrip(1);
    ASSERT_EQ(grid->Rows(), 8);
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(grid->data().style(row, col), formatted.style(row, col)) << row << "," << col;
    EXPECT_EQ(grid->data().merges(), formatted.merges());

    // The preview.
    QImage preview;
    {
        DialogCloser closer([&preview](QDialog *dialog) {
            auto *pages = dialog->findChild<PreviewPages *>();
            pages->setZoomMode(PreviewPages::FitPage);
            preview = pages->grab().toImage();
        });
        clickStrip(4);
        ASSERT_EQ(closer.seen, QStringList { "PrintPreviewDialog" });
    }
    keepSnapshot(preview, "kaowu-toolbar-preview.png");
    const Inks previewInks = inksOf(preview);
    EXPECT_GT(previewInks.yellow, 100);
    EXPECT_GT(previewInks.red, 20);

    // The PDF, read back by a PDF renderer.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("格式.pdf");
    ASSERT_TRUE(PdfWriter::write(pdf, grid->data()));
    QProcess render;
    render.start("pdftoppm", { "-r", "96", "-png", "-f", "1", "-l", "1", pdf, dir.filePath("page") });
    ASSERT_TRUE(render.waitForFinished(60000)) << "pdftoppm (poppler-utils) must be installed";
    ASSERT_EQ(render.exitCode(), 0);
    const QStringList pages = QDir(dir.path()).entryList({ "page*.png" });
    ASSERT_EQ(pages.size(), 1);
    const QImage paper(dir.filePath(pages.first()));
    keepSnapshot(paper, "kaowu-toolbar-pdf.png");
    const Inks paperInks = inksOf(paper);
    EXPECT_GT(paperInks.yellow, 1000) << "the fill of eight cells";
    EXPECT_GT(paperInks.red, 50) << "the red letters";
}
