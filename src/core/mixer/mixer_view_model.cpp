#include "mixer/mixer_view_model.h"

#include <algorithm>

#include "mixer/strip_layout.h"
#include "settings/ui_texts.h"
#include "ui/dialogs.h"

namespace spurwerk {

MixerViewModel::MixerViewModel(ProjectSession& session, Dialogs& dialogs, MixerOptions options, MixerActions* actions)
    : context_{session, session.doc, dialogs, std::move(options), actions ? actions : &defaultActions_} {
    context_.controls = &controls_;
    context_.tracks = &tracks_;
    context_.files = &files_;
    context_.menu = &menu_;
    // Both devices use the R16 layout, so at most 16 tracks from the start:
    // a larger count would be laid out once and never again.
    controls_.Build(context_.options.devIsZoomR24 ? layout::MaxStripIndexR24 : layout::MaxStripIndexR16,
                    std::clamp(context_.options.trackCount, 1, layout::TrackCount));
    if (context_.options.devIsZoomR24) {
        dialogs.Message(UiTxt(UiText::R24Fallback), MessageButtons::Ok);
        controls_.LimitMaxStripIndex(layout::MaxStripIndexR16);
    }
    ZDTDocument& doc = session.doc;
    doc.MarkLoaded();
    menu_.RebuildInfoLine();
    // An undo or redo puts other bytes under every control.
    documentToken_ = doc.Subscribe([this](const DocumentChange& change) {
        if (change.event == DocumentEvent::Replaced && change.fromHistory) ShowRestoredDocument();
    });
}

MixerViewModel::~MixerViewModel() {
    context_.doc.Unsubscribe(documentToken_);
    if (&context_.session.Host() == this) context_.session.SetHost(nullptr);
}

void MixerViewModel::ShowRestoredDocument() {
    controls_.ReadAllWithoutWriting();
    menu_.RebuildInfoLine();
}

void MixerViewModel::TextsChanged() {
    files_.BuildWavList();
    menu_.RebuildInfoLine();
    menu_.SetLabelEFXs(menu_.EffectsFile());
}

void MixerViewModel::SetActions(MixerActions* actions) { context_.actions = actions ? actions : &defaultActions_; }

void MixerViewModel::DocumentLoaded(const std::string&, const std::string& effectsFile) {
    if (context_.doc.IsProject()) controls_.ReadAll();
    else files_.BuildWavList();
    menu_.RebuildInfoLine();
    menu_.SetLabelEFXs(effectsFile);
}

void MixerViewModel::PrepareSave() {
    // The controls hold a project only when one was read into them; a shorter
    // file is saved as it is.
    if (!context_.doc.IsProject()) return;
    files_.NormalizeTrackWavNames();
    controls_.WriteAll();
}

}  // namespace spurwerk
