#include "trackview/playback.h"

#include <QIODevice>
#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/preview_mixer.h"
#include "settings/ui_texts.h"
#include "trackview/audio_output_module.h"

namespace spurwerk::gui {

namespace {

// The mixer as a sequential device the sink reads from.
class MixerDevice : public QIODevice {
public:
    explicit MixerDevice(std::unique_ptr<PreviewMixer> mixer) : mixer_(std::move(mixer)) {}
    PreviewMixer& Mixer() { return *mixer_; }
    std::uint64_t FramesPulled() const { return pulled_; }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        return static_cast<qint64>((mixer_->FrameCount() - mixer_->Position()) * 4) + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const auto frames = static_cast<std::size_t>(maxSize / 4);
        buffer_.resize(2 * frames);
        const std::size_t got = mixer_->Mix(buffer_.data(), frames);
        auto* out = reinterpret_cast<std::int16_t*>(data);
        for (std::size_t i = 0; i < 2 * got; ++i)
            out[i] = static_cast<std::int16_t>(std::lround(std::clamp(buffer_[i], -1.0f, 1.0f) * 32767.0f));
        pulled_ += got;
        return static_cast<qint64>(got * 4);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<PreviewMixer> mixer_;
    std::vector<float> buffer_;
    std::uint64_t pulled_ = 0;
};

}  // namespace

struct Playback::Engine {
    std::unique_ptr<AudioOutput> output;
    std::unique_ptr<MixerDevice> device;
    bool playing = false;
    std::uint64_t startFrame = 0;
    std::uint32_t rate = 44100;
    int idleTicks = 0;
    QTimer timer;
};

Playback::Playback() : Playback(AudioOutputModuleFolders()) {}

Playback::Playback(const QStringList& moduleFolders) : engine_(std::make_unique<Engine>()) {
    engine_->output = NewAudioOutput(moduleFolders, problem_);
    if (engine_->output && !engine_->output->HasDevice())
        problem_ = QString::fromStdString(UiTxt(UiText::TrackViewNoOutput));
    engine_->timer.setInterval(30);
    connect(&engine_->timer, &QTimer::timeout, this, [this] {
        emit positionChanged(PositionMs());
        if (!engine_->playing || !engine_->output->Idle() ||
            engine_->device->Mixer().Position() < engine_->device->Mixer().FrameCount())
            return;
        // Idle comes when the mixer is drained, before the output has played
        // what it holds: stop once it has (or after two seconds regardless).
        const auto played = static_cast<std::uint64_t>(engine_->output->PlayedUSecs()) * engine_->rate / 1000000;
        if (played + engine_->rate / 100 >= engine_->device->FramesPulled() || ++engine_->idleTicks > 66) Stop();
    });
}

Playback::~Playback() { Stop(); }

bool Playback::Available() const { return engine_->output && engine_->output->HasDevice(); }

bool Playback::Playing() const { return engine_->playing; }

bool Playback::Start(std::unique_ptr<PreviewMixer> mixer, std::uint64_t frame) {
    Stop();
    if (!engine_->output) {
        emit stateChanged();  // Problem() says why since the start
        return false;
    }
    if (!engine_->output->HasDevice()) {
        problem_ = QString::fromStdString(UiTxt(UiText::TrackViewNoOutput));
        emit stateChanged();
        return false;
    }
    const int rate = static_cast<int>(mixer->SampleRate());
    if (!engine_->output->TakesStereo16(rate)) {
        problem_ = QString::fromStdString(UiTxt(UiText::TrackViewOutputFormat, std::to_string(mixer->SampleRate())));
        emit stateChanged();
        return false;
    }
    problem_.clear();
    engine_->rate = mixer->SampleRate();
    engine_->idleTicks = 0;
    engine_->startFrame = std::min(frame, mixer->FrameCount());
    mixer->Seek(engine_->startFrame);
    mixer->SetListening(mute_, solo_);
    engine_->device = std::make_unique<MixerDevice>(std::move(mixer));
    engine_->device->open(QIODevice::ReadOnly);
    if (!engine_->output->Start(engine_->device.get(), rate)) {
        problem_ = QString::fromStdString(UiTxt(UiText::TrackViewOutputFailed));
        engine_->device.reset();
        emit stateChanged();
        return false;
    }
    engine_->playing = true;
    engine_->timer.start();
    emit stateChanged();
    return true;
}

void Playback::Stop() {
    if (!engine_->playing) return;
    engine_->timer.stop();
    emit positionChanged(PositionMs());
    engine_->output->Stop();
    engine_->playing = false;
    emit stateChanged();
}

std::uint64_t Playback::FramesPulled() const { return engine_->device ? engine_->device->FramesPulled() : 0; }

void Playback::SetListening(std::vector<bool> muteByStrip, std::vector<bool> soloByStrip) {
    mute_ = std::move(muteByStrip);
    solo_ = std::move(soloByStrip);
    // The mixer reads the flags atomically while the output pulls.
    if (engine_->device) engine_->device->Mixer().SetListening(mute_, solo_);
}

std::int64_t Playback::PositionMs() const {
    const std::int64_t start = static_cast<std::int64_t>(engine_->startFrame * 1000 / engine_->rate);
    if (!engine_->playing) return start;
    return start + engine_->output->PlayedUSecs() / 1000;
}


bool PlaySingleFile(const std::string& path, QString& problem) {
    static Playback* player = new Playback;  // lives as long as the program
    static std::string playing;
    if (player->Playing() && playing == path) {
        player->Stop();
        return true;
    }
    PreviewTrack track;
    track.path = path;
    auto mixer = std::make_unique<PreviewMixer>(std::vector<PreviewTrack>{track});
    if (!mixer->Problem(0).empty()) {
        problem = QString::fromStdString(mixer->Problem(0));
        return false;
    }
    if (!player->Start(std::move(mixer), 0)) {
        problem = player->Problem();
        return false;
    }
    playing = path;
    return true;
}

}  // namespace spurwerk::gui
