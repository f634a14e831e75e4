#pragma once
// A long audio conversion run on a worker thread while a progress dialog with
// Cancel stays responsive. The job gets a progress callback that returns false
// once the user cancelled; the core then throws SilentAbort and cleans up.

#include <functional>

#include <QString>

#include "audio/audio_convert.h"
#include "text/bytes.h"
#include "ui/dialogs.h"

class QWidget;

namespace spurwerk::gui {

// Runs `job` and waits for it; rethrows what it threw (SilentAbort after Cancel).
void RunAudioJob(QWidget* parent, const QString& title, const std::function<void(const ConversionProgress&)>& job);

// Exports every assigned track of the project (its bytes as the window holds
// them) into `folder`; asks before replacing files and reports what it wrote.
// Errors and a Cancel are thrown, as Guarded expects.
void ExportProjectTracks(QWidget* parent, Dialogs& dialogs, const Bytes& project, const std::string& projectFile,
                         const std::string& folder, const std::string& format);
// Asks for the folder and the format (16- or 24-bit as `bits` suggests), then exports.
void ChooseAndExportProjectTracks(QWidget* parent, Dialogs& dialogs, const Bytes& project,
                                  const std::string& projectFile, int bits);

}  // namespace spurwerk::gui
