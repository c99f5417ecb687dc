#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("kaowu");
    QMainWindow window;
    window.setWindowTitle("考务");
    window.show();
    return app.exec();
}
