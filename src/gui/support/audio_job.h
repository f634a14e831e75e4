#pragma once
// A long audio conversion run on a worker thread while a progress dialog with
// Cancel stays responsive. The job gets a progress callback that returns false
// once the user cancelled; the core then throws SilentAbort and cleans up.

#include <functional>

#include <QString>

#include "audio/audio_convert.h"

class QWidget;

namespace spurwerk::gui {

// Runs `job` and waits for it; rethrows what it threw (SilentAbort after Cancel).
void RunAudioJob(QWidget* parent, const QString& title, const std::function<void(const ConversionProgress&)>& job);

}  // namespace spurwerk::gui
