// The drop-down panels redraw in full on every mouse move over them, as the user sweeps the
// pointer across the cells: the time of one move and repaint must stay far below a frame.
#include "toolbar/AlignButton.h"
#include "toolbar/ColorButton.h"
#include "toolbar/DropDownPanel.h"
#include "toolbar/ToolbarDraw.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// Sends moves across the open panel, painting it after each, as the user's sweep does.
void sweep(benchmark::State &state, DropDownPanel *panel)
{
    QImage image(panel->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        const QPointF at(5 + step % 140, 29 + step % 90);
        QMouseEvent move(QEvent::MouseMove, at, panel->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
        panel->render(&image);
        ++step;
    }
    panel->close();
}

void HoverAlignPanel(benchmark::State &state)
{
    QWidget window;
    auto *button = new AlignButton(&window);
    window.show();
    button->ShowAlignList();
    sweep(state, button->findChild<DropDownPanel *>());
}

void HoverColourPanel(benchmark::State &state)
{
    QWidget window;
    auto *button = new ColorButton(&window);
    window.show();
    button->ShowColorList();
    sweep(state, button->findChild<DropDownPanel *>());
}

void DrawCheckeredCell(benchmark::State &state)
{
    QImage image(88, 85, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state)
        DrawCheckered(painter, 33, 32, 22, 21);
}

} // namespace

BENCHMARK(HoverAlignPanel);
BENCHMARK(HoverColourPanel);
BENCHMARK(DrawCheckeredCell);
