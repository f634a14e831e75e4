#include "mixer/mixer_view_model.h"

#include <algorithm>

#include "mixer/strip_layout.h"
#include "settings/ui_texts.h"
#include "ui/dialogs.h"

namespace spurwerk {

MixerViewModel::MixerViewModel(ZDTDocument& doc, Dialogs& dialogs, MixerOptions options, MixerActions* actions)
    : doc_(doc), dialogs_(dialogs), options_(std::move(options)), actions_(actions ? actions : &defaultActions_) {
    // Both devices use the R16 layout, so at most 16 tracks from the start:
    // a larger count would be laid out once and never again.
    controls_.Build(options_.devIsZoomR24 ? layout::MaxStripIndexR24 : layout::MaxStripIndexR16,
                    std::clamp(options_.trackCount, 1, layout::TrackCount));
    if (options_.devIsZoomR24) {
        dialogs_.Message(UiTxt(UiText::R24Fallback), MessageButtons::Ok);
        controls_.LimitMaxStripIndex(layout::MaxStripIndexR16);
    }
    doc_.MarkLoaded();
    menu_.RebuildInfoLine();
    // An undo or redo puts other bytes under every control.
    documentToken_ = doc_.Subscribe([this](const DocumentChange& change) {
        if (change.event == DocumentEvent::Replaced && change.fromHistory) ShowRestoredDocument();
    });
}

MixerViewModel::~MixerViewModel() { doc_.Unsubscribe(documentToken_); }

void MixerViewModel::ShowRestoredDocument() {
    controls_.ReadAllWithoutWriting();
    menu_.RebuildInfoLine();
}

void MixerViewModel::TextsChanged() {
    files_.BuildWavList();
    menu_.RebuildInfoLine();
    menu_.SetLabelEFXs(menu_.EffectsFile());
}

void MixerViewModel::SetActions(MixerActions* actions) { actions_ = actions ? actions : &defaultActions_; }

void MixerViewModel::DocumentLoaded(const std::string&, const std::string& effectsFile) {
    if (doc_.IsProject()) controls_.ReadAll();
    else files_.BuildWavList();
    menu_.RebuildInfoLine();
    menu_.SetLabelEFXs(effectsFile);
}

void MixerViewModel::PrepareSave() {
    // The controls hold a project only when one was read into them; a shorter
    // file is saved as it is.
    if (!doc_.IsProject()) return;
    files_.NormalizeTrackWavNames();
    controls_.WriteAll();
}

}  // namespace spurwerk
