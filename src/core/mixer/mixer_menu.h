#pragma once
// The mixer's commands that belong to the loaded file as a whole: the popup
// menu, the keys and clicks of the top panel that start other windows'
// actions, the project information line and the effect labels.

#include <string>
#include <vector>

#include "mixer/mixer_control.h"
#include "mixer/mixer_hints.h"
#include "mixer/popup_menu.h"
#include "project/value_texts.h"

namespace spurwerk {

class MixerViewModel;

enum class MixerKey { F1, L, S, Other };

class MixerMenu {
public:
    explicit MixerMenu(MixerViewModel& mixer) : mixer_(mixer) {}

    std::vector<PopupEntry> Entries() const;            // PopupMenu1Popup
    void Click(const std::string& entry);               // PMAnyClick
    bool KeyDown(MixerKey key);                         // true: consumed
    void LoadedFileLabelClick();
    void LoadedFileLabelDoubleClick();

    void RebuildInfoLine();
    const ProjectInfoTexts& InfoTexts() const { return infoTexts_; }
    void SetLabelEFXs(const std::string& efxPath);
    const std::string& EffectsFile() const { return effectsFile_; }
    const EffectLabels& Effects() const { return effects_; }
    static Colour EffectLabelColour(const std::string& text);

private:
    MixerViewModel& mixer_;
    ProjectInfoTexts infoTexts_;
    EffectLabels effects_;
    std::string effectsFile_;
};

}  // namespace spurwerk
