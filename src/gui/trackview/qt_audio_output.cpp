// The sound output through Qt Multimedia, built as the module the program
// loads on first playback.
#include "trackview/audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <memory>

namespace spurwerk::gui {
namespace {

QAudioFormat Stereo16(int sampleRate) {
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

class QtAudioOutput : public AudioOutput {
public:
    bool HasDevice() const override { return !QMediaDevices::defaultAudioOutput().isNull(); }

    bool TakesStereo16(int sampleRate) const override {
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        return !output.isNull() && output.isFormatSupported(Stereo16(sampleRate));
    }

    bool Start(QIODevice* source, int sampleRate) override {
        Stop();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull()) return false;
        sink_ = std::make_unique<QAudioSink>(output, Stereo16(sampleRate));
        sink_->start(source);
        if (sink_->error() == QAudio::NoError) return true;
        sink_.reset();
        return false;
    }

    void Stop() override {
        if (!sink_) return;
        sink_->stop();
        sink_.reset();
    }

    bool Idle() const override { return sink_ && sink_->state() == QAudio::IdleState; }
    qint64 PlayedUSecs() const override { return sink_ ? sink_->processedUSecs() : 0; }

private:
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace
}  // namespace spurwerk::gui

extern "C" Q_DECL_EXPORT spurwerk::gui::AudioOutput* SpurwerkNewAudioOutput() {
    return new spurwerk::gui::QtAudioOutput;
}
