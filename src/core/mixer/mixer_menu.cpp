#include "mixer/mixer_menu.h"

#include <algorithm>

#include "mixer/edit_steps.h"
#include "mixer/file_assignment.h"
#include "mixer/mixer_controls.h"
#include "mixer/mixer_interfaces.h"
#include "mixer/track_operations.h"
#include "project/document_ops.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "project/zdt_document.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "ui/dialogs.h"

namespace spurwerk {

bool MixerMenu::KeyDown(MixerKey key, KeyState keys) {
    if (key == MixerKey::F1) {
        (*mixer_.actions).ShowInformation();
        return true;
    }
    if ((keys.ctrl && keys.shift && key == MixerKey::S) || (keys.ctrl && !keys.shift && key == MixerKey::L)) {
        LoadedFileLabelClick(keys);
        return true;
    }
    return false;
}

void MixerMenu::LoadedFileLabelClick(KeyState keys) {
    if (keys.ctrl && keys.shift) (*mixer_.actions).QuickSave(mixer_.session.LoadedZDTFileName, 3000);
    else if (keys.ctrl) (*mixer_.actions).OpenProjectFile();
}

void MixerMenu::LoadedFileLabelDoubleClick() { (*mixer_.actions).SearchInSubDirs(); }

std::vector<PopupEntry> MixerMenu::Entries() const {
    std::vector<PopupEntry> entries = BuildPopupMenu(mixer_.doc.ZDTData(), mixer_.session.LoadedZDTFileName, (*mixer_.files).RecordingEnd());
    std::string undo = UndoCaption(mixer_.doc), redo = RedoCaption(mixer_.doc);
    entries.insert(entries.begin(), {PopupEntry{"PMUndo", undo.empty() ? Txt(296) : undo, !undo.empty()},
                                     PopupEntry{"PMRedo", redo.empty() ? Txt(297) : redo, !redo.empty()}, PopupEntry{}});
    // Mark operations need a project; they would otherwise grow a short file.
    if (!mixer_.doc.IsProject())
        for (PopupEntry& e : entries)
            if (e.name == "PMSetMarkAtProjEnd" || e.name == "PMDeleteProjMarksGTRecEnd" || e.name == "PMDeleteAllProjMarks")
                e.enabled = false;
    entries.push_back(PopupEntry{});
    entries.push_back(PopupEntry{"PMTrackView", UiTxt(UiText::MenuTrackView), true});
    return entries;
}

void MixerMenu::Click(const std::string& entry) {
    std::vector<PopupEntry> entries = Entries();
    auto it = std::find_if(entries.begin(), entries.end(), [&](const PopupEntry& e) { return e.name == entry; });
    if (it == entries.end() || !it->enabled) return;
    if (entry == "PMUndo") mixer_.doc.Undo();
    else if (entry == "PMRedo") mixer_.doc.Redo();
    else if (entry == "PMLoadZDTFile") (*mixer_.actions).OpenProjectFile();
    else if (entry == "PMSearchZDTFile") (*mixer_.actions).SearchInSubDirs();
    else if (entry == "PMQuickSaveZDTFile") (*mixer_.actions).QuickSave(mixer_.session.LoadedZDTFileName, 3000);
    else if (entry == "PMQuickSaveZDTFileAs") (*mixer_.actions).QuickSave("", 3000);
    else if (entry == "PMSaveProject") (*mixer_.actions).SaveAsProject(3000);
    else if (entry == "PMCopyAProjectFromTo") (*mixer_.actions).CopyProject();
    else if (entry == "PMSaveZDTFileSerie") (*mixer_.actions).CreateSeries();
    else if (entry == "PMSetInSubDirsMarkAtProjEnd") (*mixer_.actions).SetEndMarksInSubDirs();
    else if (entry == "PMTrackView") (*mixer_.actions).ShowTrackView();
    else if (entry == "PMSetMarkAtProjEnd") {
        if (mixer_.dialogs.Message(Txt(287), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(mixer_.doc, CommandStepName(287));
        if (SetEndMark(mixer_.doc, (*mixer_.files).RecordingEnd(), mixer_.dialogs) == SetEndMarkResult::TableFull)
            mixer_.dialogs.Message(MarkTableFullMessage(), MessageButtons::Ok);
        RebuildInfoLine();
    } else if (entry == "PMDeleteProjMarksGTRecEnd") {
        if (mixer_.dialogs.Message(Txt(288), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(mixer_.doc, CommandStepName(288));
        DeleteMarksAfter(mixer_.doc, (*mixer_.files).RecordingEnd());
        RebuildInfoLine();
    } else if (entry == "PMDeleteAllProjMarks") {
        if (mixer_.dialogs.Message(Txt(289), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(mixer_.doc, CommandStepName(289));
        DeleteAllMarks(mixer_.doc);
        RebuildInfoLine();
    }
}

void MixerMenu::RebuildInfoLine() {
    infoTexts_ = BuildProjectInfoTexts(mixer_.doc.ZDTData(), mixer_.session.LoadedZDTFileName, (*mixer_.files).RecordingEnd());
    if (MixerObserver* observer = mixer_.observer) observer->InfoChanged();
}

void MixerMenu::SetLabelEFXs(const std::string& efxPath) {
    effectsFile_ = efxPath;
    effects_ = ReadEffectLabels(efxPath, mixer_.doc.ReadByte(layout::InsertPositionOffset));
    if (MixerObserver* observer = mixer_.observer) observer->InfoChanged();
}

Colour MixerMenu::EffectLabelColour(const std::string& text) {
    return !text.empty() && text[0] == '(' ? colours::Window : colours::Red;
}

}  // namespace spurwerk
