#pragma once
// The sound output playback pulls from. Its Qt Multimedia implementation lives
// in a module loaded on first playback, so a start never loads Qt Multimedia
// and the libraries it pulls in (network, proxy, sound server clients).

#include <QtGlobal>

class QIODevice;

namespace spurwerk::gui {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // A default output device exists.
    virtual bool HasDevice() const = 0;
    // The default output takes 16-bit stereo at `sampleRate`.
    virtual bool TakesStereo16(int sampleRate) const = 0;
    // Starts pulling 16-bit stereo at `sampleRate` from `source`; false when
    // the output cannot be opened.
    virtual bool Start(QIODevice* source, int sampleRate) = 0;
    virtual void Stop() = 0;
    // Started, and waiting for data the source no longer gives.
    virtual bool Idle() const = 0;
    // Microseconds of sound the output has played since Start.
    virtual qint64 PlayedUSecs() const = 0;
};

}  // namespace spurwerk::gui

// The module's one entry point: a new output the caller owns.
#define SPURWERK_AUDIO_OUTPUT_ENTRY "SpurwerkNewAudioOutput"
using SpurwerkNewAudioOutputFunction = spurwerk::gui::AudioOutput* (*)();
