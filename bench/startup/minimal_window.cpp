// The yardstick of the start-up benchmark: a Qt Widgets program that shows one
// empty window and reports it once the event loop has taken it up, as
// Spurwerk's start-up probe does.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(355, 610);
    window.show();
    QTimer::singleShot(0, &app, [] {
        std::printf("shown\n");
        std::fflush(stdout);
        QApplication::exit(0);
    });
    return app.exec();
}
