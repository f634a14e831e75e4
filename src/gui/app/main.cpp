#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Spurwerk");
    QMainWindow window;
    window.setObjectName("FormMain");
    window.setWindowTitle("Zoom-Projekt:  Hexadezimale Ansicht");
    window.setCentralWidget(new QLabel("Spurwerk"));
    window.resize(355, 610);
    window.show();
    return app.exec();
}
