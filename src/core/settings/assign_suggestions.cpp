#include "settings/assign_suggestions.h"

#include "io/path_text.h"
#include "io/text_file.h"
#include "settings/text_table.h"

namespace spurwerk {

const std::vector<std::string>& BuiltInAssignSuggestions() {
    static const std::vector<std::string> suggestions = {"MAND_R.WAV", "GIT_C.WAV", "BOUZ_L.WAV",
                                                         "Baglama",    "VOC1_C",    "VOC2_C"};
    return suggestions;
}

std::vector<std::string> LoadAssignSuggestions(const std::string& fileName) {
    try {
        return SplitTextLines(ReadTextFile(PathFromText(fileName)));
    } catch (const std::exception&) {
        return BuiltInAssignSuggestions();
    }
}

std::string AssignSuggestionsHint(const std::string& fileName) { return Txt(248) + fileName + "\"!)"; }

}  // namespace spurwerk
