#include "app/spurwerk_app.h"

#include "app/app_state.h"
#include "app/language_window.h"
#include "app/main_window.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "lists/project_commands.h"
#include "mixer/form_ctrls.h"
#include "mixer/main_window_actions.h"
#include "mixer/mixer_view_model.h"
#include "support/general_info_window.h"
#include "settings/ui_texts.h"
#include "support/qt_text.h"
#include "support/screen_keeper.h"
#include "trackview/track_view_window.h"

#include <QShortcut>

namespace spurwerk::gui {

SpurwerkApp::SpurwerkApp(const std::string& programFile, const QStringList& parameters)
    : screenKeeper_(std::make_unique<ScreenKeeper>()), state_(std::make_unique<AppState>(programFile)) {
    state_->dialogs.SetProgramFile(QString::fromStdString(programFile));
    main_ = std::make_unique<MainWindow>(*state_, parameters);
    ctrls_ = std::make_unique<FormCtrls>(*state_);
    main_->Attach(ctrls_.get(), this);
    ConnectMixerToMainWindow(*ctrls_, *state_, *main_);
    ctrls_->built = [this] {
        main_->LanguageToLateWindow(ctrls_.get());
        ctrls_->setWindowTitle(QModifiableTitle(UiTxt(UiText::TitleMixer)));
        ctrls_->UpdateAllHints();
    };
    commands_ = std::make_unique<ProjectCommands>(*state_, *main_, *ctrls_, [this]() -> FormFileList& { return FileList(); });
    TrackViewOpener() = [this] { ShowTrackView(); };
    for (QWidget* window : {static_cast<QWidget*>(main_.get()), static_cast<QWidget*>(ctrls_.get())}) {
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), window);
        key->setContext(Qt::WindowShortcut);
        QObject::connect(key, &QShortcut::activated, window, [this] { ShowTrackView(); });
    }
    // The developer's export writes every window's texts as it is built.
    if (state_->DoSaveAllGUIs) {
        FileList();
        ProjSerie();
        GeneralInfo();
        Language();
    }
}

FormFileList& SpurwerkApp::FileList() {
    if (!fileList_) {
        fileList_ = std::make_unique<FormFileList>(*state_);
        commands_->Wire(*fileList_);
        main_->LateWindowBuilt(*fileList_);
    }
    return *fileList_;
}

FormProjSerie& SpurwerkApp::ProjSerie() {
    if (!projSerie_) {
        projSerie_ = std::make_unique<FormProjSerie>(*state_);
        commands_->Wire(*projSerie_);
        main_->LateWindowBuilt(*projSerie_);
    }
    return *projSerie_;
}

GeneralInfoWindow& SpurwerkApp::GeneralInfo() {
    if (!generalInfo_) {
        generalInfo_ = std::make_unique<GeneralInfoWindow>(*state_);
        main_->LateWindowBuilt(*generalInfo_);
    }
    return *generalInfo_;
}

LanguageWindow& SpurwerkApp::Language() {
    if (!language_) language_ = std::make_unique<LanguageWindow>();
    return *language_;
}

void SpurwerkApp::ShowTrackView() {
    if (!trackView_) {
        trackView_ = std::make_unique<TrackViewWindow>(state_->session, state_->dialogs);
        trackView_->recordingEnd = [this] { return ctrls_->Model().Files().RecordingEnd(); };
        trackView_->trackCount = [this] { return ctrls_->Model().Controls().TrackCount(); };
    }
    trackView_->show();
    trackView_->raise();
    trackView_->activateWindow();
    trackView_->Reload();
}

SpurwerkApp::~SpurwerkApp() {
    // Windows go before the state they refer to.
    TrackViewOpener() = nullptr;
    trackView_.reset();
    commands_.reset();
    language_.reset();
    generalInfo_.reset();
    projSerie_.reset();
    fileList_.reset();
    ctrls_.reset();
    main_.reset();
}

void SpurwerkApp::Show() { main_->show(); }

FormCtrls& SpurwerkApp::Ctrls() {
    ctrls_->EnsureBuilt();
    return *ctrls_;
}

}  // namespace spurwerk::gui
