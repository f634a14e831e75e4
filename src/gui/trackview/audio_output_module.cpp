#include "trackview/audio_output_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <map>

#include "settings/ui_texts.h"

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
        QString tried;
        for (const QString& folder : folders) {
            const QString file = QDir(folder).filePath(name);
            if (!QFileInfo(file).isFile()) continue;
            auto* library = new QLibrary(file);  // never unloaded: outputs live on
            if (library->load()) {
                found.entry = reinterpret_cast<SpurwerkNewAudioOutputFunction>(library->resolve(SPURWERK_AUDIO_OUTPUT_ENTRY));
                if (found.entry) break;
            }
            if (tried.isEmpty()) tried = library->errorString();
            delete library;
        }
        if (!found.entry) found.why = tried.isEmpty() ? QDir::toNativeSeparators(name) : tried;
        it = searched.emplace(folders, found).first;
    }
    if (!it->second.entry) {
        problem = QString::fromStdString(UiTxt(UiText::TrackViewNoPlaybackModule, it->second.why.toStdString()));
        return nullptr;
    }
    return std::unique_ptr<AudioOutput>(it->second.entry());
}

}  // namespace spurwerk::gui
