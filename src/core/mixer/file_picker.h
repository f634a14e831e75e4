#pragma once
// The file picker that a double click in a file field opens: the WAV files of
// the AUDIO folder, a name edit with its character rule, the colour and caption
// that say what accepting will do, renaming a file together with its
// assignment, and creating all missing files from the template.

#include <string>
#include <vector>

#include "mixer/mixer_control.h"

namespace spurwerk {

class MixerViewModel;

class FilePicker {
public:
    explicit FilePicker(MixerViewModel& mixer);

    // The options' suggestion list, or the built-in one when it is empty.
    const std::vector<std::string>& Suggestions() const { return suggestions_; }
    std::string SuggestionHint() const;   // hint of the template box
    static std::string NameEditHint();    // hint of the name edit

    // EDFileAssDblClick: opens for a file field (closing an open picker cancelled).
    void Open(const std::string& fieldName);
    bool IsOpen() const { return open_; }
    const std::string& FieldName() const { return field_; }
    const std::vector<std::string>& Files() const { return files_; }
    std::string CountLine() const;

    // MaskEditEdFileAssFileChange: the user's text in the name edit (its eight
    // name characters, ".WAV" optional). Returns the corrected characters.
    std::string EditName(const std::string& text);
    void ClickFile(const std::string& fileName) { EditName(fileName); }
    void ChooseSuggestion(const std::string& suggestion) { EditName(suggestion); }

    const std::string& NameCharacters() const { return nameChars_; }
    const std::string& OldName() const { return oldName_; }
    const std::string& NewName() const { return newName_; }
    Colour NameColour() const { return colour_; }
    const std::string& ButtonCaption() const { return caption_; }

    void AcceptDoubleClick();   // double click in the file list
    void DoChange();            // ButtonFLBDoChange: rename the file when possible, then accept
    void Cancel();              // ButtonFLBCancel
    void AutoAssign();          // ButtonAutoEDFileAssign

private:
    void Decide();
    void Close(bool accepted);

    MixerViewModel& mixer_;
    std::vector<std::string> suggestions_;
    bool open_ = false;
    bool edited_ = false;
    std::string field_;
    std::string audioFolder_;
    std::vector<std::string> files_;
    std::string nameChars_, oldName_, newName_, caption_;
    Colour colour_ = colours::Silver;
};

}  // namespace spurwerk
