#pragma once
// Playback of the preview mixer: the sound output (Qt Multimedia, in a module
// loaded with the first player) pulls 16-bit stereo from the mixer at its
// rate. Without the module, or without an output device, Available() is
// false and Problem() says why.

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace spurwerk {
class PreviewMixer;
}

namespace spurwerk::gui {

class Playback : public QObject {
    Q_OBJECT
public:
    Playback();
    // With the output module looked for in `moduleFolders` only.
    explicit Playback(const QStringList& moduleFolders);
    ~Playback() override;

    bool Available() const;
    QString Problem() const { return problem_; }
    bool Playing() const;

    // Plays from `frame` until the end of the longest track or Stop.
    bool Start(std::unique_ptr<PreviewMixer> mixer, std::uint64_t frame);
    void Stop();
    // Mute and solo by track, for listening only; kept for the next Start.
    void SetListening(std::vector<bool> muteByStrip, std::vector<bool> soloByStrip);
    // Frames the output has taken from the mixer since Start.
    std::uint64_t FramesPulled() const;
    // The position the output has played, in milliseconds of the project.
    std::int64_t PositionMs() const;

signals:
    void positionChanged(qint64 ms);
    void stateChanged();

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
    QString problem_;
    std::vector<bool> mute_, solo_;
};

// One WAV file played on its own (the WAV menus' "Play"): starts it, or stops
// it when it is the file playing. False when it cannot play; `problem` says why.
bool PlaySingleFile(const std::string& path, QString& problem);

}  // namespace spurwerk::gui
