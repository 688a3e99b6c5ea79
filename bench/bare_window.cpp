// The floor of a Qt Widgets program's start-up: one empty window, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    return application.exec();
}
