#include "trackview/audio_output_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>

#include "io/shared_library.h"
#include "settings/ui_texts.h"
#include "support/qt_text.h"
#include "ui/errors.h"

namespace spurwerk::gui {

QString AudioOutputModuleName() {
#ifdef SPURWERK_AUDIO_OUTPUT_MODULE
    return QStringLiteral(SPURWERK_AUDIO_OUTPUT_MODULE);
#else
    return {};
#endif
}

QStringList AudioOutputModuleFolders() {
    QStringList folders;
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        folders << programDir << programDir + "/playback";  // the installed program's own folder
    }
#ifdef SPURWERK_AUDIO_OUTPUT_MODULE
    folders << QStringLiteral(SPURWERK_AUDIO_OUTPUT_INSTALL_DIR) << QStringLiteral(SPURWERK_AUDIO_OUTPUT_BUILD_DIR);
#endif
    return folders;
}

std::unique_ptr<AudioOutput> NewAudioOutput(const QStringList& folders, QString& problem) {
    const QString name = AudioOutputModuleName();
    if (name.isEmpty()) {
        problem = QString::fromStdString(UiTxt(UiText::TrackViewNoMultimedia));
        return nullptr;
    }
    // Each folder list is searched once; a later call reuses what it found.
    struct Found {
        SpurwerkNewAudioOutputFunction entry = nullptr;
        QString why;
    };
    static std::map<QStringList, Found> searched;
    auto it = searched.find(folders);
    if (it == searched.end()) {
        Found found;
        // The first file that is there and loads with its entry; the reason
        // given is that of the first file that is there.
        for (const QString& folder : folders) {
            const QString file = QDir(folder).filePath(name);
            if (!QFileInfo(file).isFile()) continue;
            try {
                const SharedLibrary library = SharedLibrary::Open({S(file)});
                found.entry =
                    reinterpret_cast<SpurwerkNewAudioOutputFunction>(library.Symbol(SPURWERK_AUDIO_OUTPUT_ENTRY));
                break;
            } catch (const FileError& e) {
                if (found.why.isEmpty()) found.why = QString::fromStdString(e.what());
            }
        }
        if (!found.entry && found.why.isEmpty()) found.why = QDir::toNativeSeparators(name);
        it = searched.emplace(folders, found).first;
    }
    if (!it->second.entry) {
        problem = QString::fromStdString(UiTxt(UiText::TrackViewNoPlaybackModule, it->second.why.toStdString()));
        return nullptr;
    }
    return std::unique_ptr<AudioOutput>(it->second.entry());
}

}  // namespace spurwerk::gui
