#pragma once
// Finds and loads the sound-output module, once per folder list: beside the
// program or in its "playback" folder (installed), then in the configured
// installed library folder, then in the build folder (the tests' programs
// live elsewhere).

#include <QString>
#include <QStringList>

#include <memory>

#include "trackview/audio_output.h"

namespace spurwerk::gui {

// The module's file name; empty in a build without Qt Multimedia.
QString AudioOutputModuleName();
QStringList AudioOutputModuleFolders();

// A new output from the module in the first of `folders` that holds it, or
// nullptr with `problem` saying why, in the user's language. A module loaded
// stays loaded for the rest of the run.
std::unique_ptr<AudioOutput> NewAudioOutput(const QStringList& folders, QString& problem);

}  // namespace spurwerk::gui
