#pragma once
// Every event handler runs its work through Guarded: Qt never sees an
// exception. A silent abort ends the command quietly; any other error is
// shown in a message box.

#include <exception>
#include <utility>

#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk::gui {

template <class Work>
void Guarded(Dialogs& dialogs, Work&& work) {
    try {
        std::forward<Work>(work)();
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        try {
            dialogs.Message(e.what(), MessageButtons::Ok);
        } catch (...) {
        }
    } catch (...) {
    }
}

}  // namespace spurwerk::gui
