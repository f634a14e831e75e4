// The yardstick of the start-up benchmark: a Qt Widgets program that shows one
// empty window and reports it once its first paint is done, as Spurwerk's
// start-up probe does: at the first event after the paint that is no paint.
// With --label the window holds one line of text: what showing text costs.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class PaintProbe : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painting_ = true;
        } else if (painting_) {
            std::printf("shown\n");
            std::fflush(stdout);
            QApplication::exit(0);
            painting_ = false;
        }
        return false;
    }

private:
    bool painting_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PaintProbe probe;
    app.installEventFilter(&probe);
    QWidget window;
    window.resize(355, 610);
    if (app.arguments().contains("--label")) (new QLabel("Sprache / Language: Deutsch", &window))->move(8, 8);
    window.show();
    // Something to come after the paint even when nothing else is queued.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [] {});
    tick.start(1);
    return app.exec();
}
