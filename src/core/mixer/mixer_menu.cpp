#include "mixer/mixer_menu.h"

#include <algorithm>

#include "mixer/edit_steps.h"
#include "mixer/mixer_view_model.h"
#include "project/play_marks.h"
#include "project/project_info.h"
#include "settings/text_table.h"
#include "ui/dialogs.h"

namespace spurwerk {

bool MixerMenu::KeyDown(MixerKey key) {
    KeyState keys = mixer_.DialogsUsed().Keys();
    if (key == MixerKey::F1) {
        mixer_.Actions().ShowInformation();
        return true;
    }
    if ((keys.ctrl && keys.shift && key == MixerKey::S) || (keys.ctrl && !keys.shift && key == MixerKey::L)) {
        LoadedFileLabelClick();
        return true;
    }
    return false;
}

void MixerMenu::LoadedFileLabelClick() {
    KeyState keys = mixer_.DialogsUsed().Keys();
    if (keys.ctrl && keys.shift) mixer_.Actions().QuickSave(mixer_.Document().LoadedZDTFileName, 3000);
    else if (keys.ctrl) mixer_.Actions().OpenProjectFile();
}

void MixerMenu::LoadedFileLabelDoubleClick() { mixer_.Actions().SearchInSubDirs(); }

std::vector<PopupEntry> MixerMenu::Entries() const {
    std::vector<PopupEntry> entries = BuildPopupMenu(mixer_.Document().ZDTData(), mixer_.Document().LoadedZDTFileName, mixer_.Files().RecordingEnd());
    std::string undo = UndoCaption(mixer_.Document()), redo = RedoCaption(mixer_.Document());
    entries.insert(entries.begin(), {PopupEntry{"PMUndo", undo.empty() ? Txt(296) : undo, !undo.empty()},
                                     PopupEntry{"PMRedo", redo.empty() ? Txt(297) : redo, !redo.empty()}, PopupEntry{}});
    // Mark operations need a project; they would otherwise grow a short file.
    if (!mixer_.Document().IsProject())
        for (PopupEntry& e : entries)
            if (e.name == "PMSetMarkAtProjEnd" || e.name == "PMDeleteProjMarksGTRecEnd" || e.name == "PMDeleteAllProjMarks")
                e.enabled = false;
    return entries;
}

void MixerMenu::Click(const std::string& entry) {
    std::vector<PopupEntry> entries = Entries();
    auto it = std::find_if(entries.begin(), entries.end(), [&](const PopupEntry& e) { return e.name == entry; });
    if (it == entries.end() || !it->enabled) return;
    if (entry == "PMUndo") mixer_.Document().Undo();
    else if (entry == "PMRedo") mixer_.Document().Redo();
    else if (entry == "PMLoadZDTFile") mixer_.Actions().OpenProjectFile();
    else if (entry == "PMSearchZDTFile") mixer_.Actions().SearchInSubDirs();
    else if (entry == "PMQuickSaveZDTFile") mixer_.Actions().QuickSave(mixer_.Document().LoadedZDTFileName, 3000);
    else if (entry == "PMQuickSaveZDTFileAs") mixer_.Actions().QuickSave("", 3000);
    else if (entry == "PMSaveProject") mixer_.Actions().SaveAsProject(3000);
    else if (entry == "PMCopyAProjectFromTo") mixer_.Actions().CopyProject();
    else if (entry == "PMSaveZDTFileSerie") mixer_.Actions().CreateSeries();
    else if (entry == "PMSetInSubDirsMarkAtProjEnd") mixer_.Actions().SetEndMarksInSubDirs();
    else if (entry == "PMSetMarkAtProjEnd") {
        if (mixer_.DialogsUsed().Message(Txt(287), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(mixer_.Document(), CommandStepName(287));
        if (SetEndMark(mixer_.Document(), mixer_.Files().RecordingEnd(), mixer_.DialogsUsed()) == SetEndMarkResult::TableFull)
            mixer_.DialogsUsed().Message(MarkTableFullMessage(), MessageButtons::Ok);
        RebuildInfoLine();
    } else if (entry == "PMDeleteProjMarksGTRecEnd") {
        if (mixer_.DialogsUsed().Message(Txt(288), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(mixer_.Document(), CommandStepName(288));
        DeleteMarksAfter(mixer_.Document(), mixer_.Files().RecordingEnd());
        RebuildInfoLine();
    } else if (entry == "PMDeleteAllProjMarks") {
        if (mixer_.DialogsUsed().Message(Txt(289), MessageButtons::OkCancel) != ResultOk) return;
        DocumentStep step(mixer_.Document(), CommandStepName(289));
        DeleteAllMarks(mixer_.Document());
        RebuildInfoLine();
    }
}

void MixerMenu::RebuildInfoLine() {
    infoTexts_ = BuildProjectInfoTexts(mixer_.Document().ZDTData(), mixer_.Document().LoadedZDTFileName, mixer_.Files().RecordingEnd());
    if (MixerObserver* observer = mixer_.Observer()) observer->InfoChanged();
}

void MixerMenu::SetLabelEFXs(const std::string& efxPath) {
    effectsFile_ = efxPath;
    effects_ = ReadEffectLabels(efxPath, mixer_.Document().ReadByte(layout::InsertPositionOffset));
    if (MixerObserver* observer = mixer_.Observer()) observer->InfoChanged();
}

Colour MixerMenu::EffectLabelColour(const std::string& text) {
    return !text.empty() && text[0] == '(' ? colours::Window : colours::Red;
}

}  // namespace spurwerk
