#include "mixer/file_picker.h"

#include <algorithm>
#include <filesystem>

#include "audio/recorder_rules.h"
#include "io/path_text.h"
#include "mixer/mixer_view_model.h"
#include "mixer/wav_list.h"
#include "settings/assign_suggestions.h"
#include "settings/text_table.h"
#include "ui/errors.h"

#include "text/ascii.h"
#include "text/text_encoding.h"

namespace spurwerk {

namespace {

bool SameName(const std::string& a, const std::string& b) { return EqualsIgnoreCase(a, b); }

std::string ActualName(const std::vector<std::string>& files, const std::string& name) {
    // Where several spellings exist, the exact one is the file meant.
    if (std::find(files.begin(), files.end(), name) != files.end()) return name;
    for (const std::string& f : files)
        if (SameName(f, name)) return f;
    return "";
}

}  // namespace

FilePicker::FilePicker(MixerViewModel& mixer) : mixer_(mixer) {
    suggestions_ = mixer.Options().suggestions.empty() ? BuiltInAssignSuggestions() : mixer.Options().suggestions;
}

std::string FilePicker::SuggestionHint() const { return AssignSuggestionsHint(mixer_.Options().suggestionFile); }

std::string FilePicker::NameEditHint() {
    return Txt(249) + "  A-Z, a-z, 0-9, \"-\", \"_\" " + "\n" + Txt(250) + "\n" + Txt(251) + "\n" + Txt(252) + "\n" +
           Txt(253) + "\n" + Txt(254);
}

void FilePicker::Open(const std::string& fieldName) {
    const MixerControl& field = mixer_.Controls().Control(fieldName);
    if (field.kind != ControlKind::FileField || field.isProjectName) return;
    if (open_) Close(false);
    audioFolder_ = mixer_.Files().AudioFolder();
    files_ = audioFolder_.empty() ? std::vector<std::string>{} : WavFilesIn(audioFolder_);
    field_ = fieldName;
    open_ = true;
    oldName_ = field.text;
    EditName(field.text);
    edited_ = false;
}

std::string FilePicker::CountLine() const { return std::to_string(files_.size()) + " " + Txt(255); }

std::string FilePicker::EditName(const std::string& text) {
    nameChars_ = RecorderNameCharacters(text);
    std::string trimmed = TrimBlanks(nameChars_);
    // Without name characters there is nothing to assign (not a bare ".WAV").
    newName_ = trimmed.empty() ? "" : trimmed + ".WAV";
    edited_ = true;
    Decide();
    return nameChars_;
}

void FilePicker::Decide() {
    if (SameName(newName_, oldName_)) {
        colour_ = colours::Silver;
        caption_ = Txt(292) + " " + newName_;
    } else if (!newName_.empty() && ContainsFileName(files_, newName_)) {
        std::vector<std::string> assigned = mixer_.Files().Assignments();
        bool taken = false;
        for (const std::string& a : assigned) taken = taken || SameName(a, newName_);
        colour_ = taken ? colours::Yellow : colours::Green;
        caption_ = Txt(293) + " " + newName_;
    } else {
        colour_ = colours::Red;
        if (!oldName_.empty() && ContainsFileName(files_, oldName_))
            caption_ = Txt(295) + "\r\n" + "( " + oldName_ + " --> " + newName_ + " )";
        else
            caption_ = Txt(294) + " " + newName_;
    }
}

void FilePicker::AcceptDoubleClick() {
    if (open_) Close(true);
}

void FilePicker::DoChange() {
    if (!open_) return;
    std::string oldFile = oldName_.empty() ? "" : ActualName(files_, oldName_);
    if (!oldFile.empty() && !newName_.empty() && !ContainsFileName(files_, newName_)) {
        std::filesystem::path folder = PathFromText(audioFolder_);
        std::error_code ec;
        std::filesystem::rename(folder / PathFromText(oldFile), folder / PathFromText(newName_), ec);
        if (ec) throw FileError::For(FileStep::Rename, folder / PathFromText(oldFile), ec);
    }
    Close(true);
}

void FilePicker::Cancel() {
    if (open_) Close(false);
}

void FilePicker::AutoAssign() {
    if (!open_) return;
    mixer_.Files().NormalizeTrackWavNames();
    if (!audioFolder_.empty()) mixer_.Actions().CreateMissingWavFiles(audioFolder_, true);
    // The field keeps what the cleaning gave it unless the name was edited.
    if (!edited_) newName_.clear();
    Close(true);
}

void FilePicker::Close(bool accepted) {
    open_ = false;
    if (accepted && !newName_.empty()) mixer_.Controls().SetText(field_, newName_);
    else mixer_.Files().BuildWavList();
}

}  // namespace spurwerk
