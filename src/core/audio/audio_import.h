#pragma once
// A file from another program made into one the recorder plays: converted to
// 44.1 kHz at the project's depth, named by the picker's rule and written
// into the project's AUDIO folder.

#include <string>
#include <vector>

#include "audio/audio_convert.h"

namespace spurwerk {

// The name an imported file gets: the picker's eight name characters of
// `wish` (a source path or the user's name) in upper case, ".WAV" added. When
// the name is in `existing` (any letter case) and `mustBeFree` is false, its end
// is replaced by "_2", "_3", ... until it is free; empty when nothing is left.
std::string ImportFileName(const std::string& wish, const std::vector<std::string>& existing, bool mustBeFree);

struct ImportRequest {
    std::string source;
    std::string audioFolder;
    std::string name;           // the user's name; empty: from the source's name
    int bits = 16;              // the project's recording depth
    ChannelMode channels = ChannelMode::Keep;
};

struct ImportResult {
    std::string fileName;       // in the AUDIO folder, e.g. "BACKING.WAV"
    ConversionResult conversion;
};

// Throws AudioSourceError (also for a user's name that is taken or empty),
// FileError or SilentAbort; nothing is left in the folder then.
ImportResult ImportAudioFile(const ImportRequest& request, const ConversionProgress& progress = {});

}  // namespace spurwerk
