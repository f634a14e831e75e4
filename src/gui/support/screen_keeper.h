#pragma once
// Keeps every window of the program, its frame included, on the screen it
// shows on: the stored positions and the windows' own sizes know only the
// inner rectangle, and a small screen would cut the title bar or the buttons.

#include <QObject>

class QWidget;

namespace spurwerk::gui {

class ScreenKeeper : public QObject {
public:
    explicit ScreenKeeper(QObject* parent = nullptr);

    // Shrinks and then moves `window` so that its frame lies in the available area.
    static void KeepOnScreen(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace spurwerk::gui
