#pragma once
// Every window and dialog of the program shown in turn, for checks that must
// hold for all of them: captions in the language in use, captions that fit,
// windows that fit the screen.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

#include "app/spurwerk_app.h"
#include "dialog_driver.h"

namespace spurwerk::testing {

using WindowCheck = std::function<void(QWidget* window)>;

// Shows the main window (expert panel open), the mixer, the project list, the
// series window, the information window, the language window, the history
// dialog, the timed dialog with all its buttons and a message box, and calls
// `check` on each while it shows. The driver must have no steps left.
void VisitEveryWindow(gui::SpurwerkApp& app, DialogDriver& driver, const WindowCheck& check);

// Every caption of a label, button or check box against the room its widget
// gives it: each line fits the width, and a wrapped caption fits the height.
QStringList CaptionsThatDoNotFit(QWidget* window);

// Every text a user reads in the window: its title, captions, hints, list
// entries of boxes and the message of a message box.
QStringList VisibleTexts(QWidget* window);

}  // namespace spurwerk::testing
