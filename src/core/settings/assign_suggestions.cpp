#include "settings/assign_suggestions.h"

#include "io/file_io.h"
#include "io/path_text.h"
#include "io/text_file.h"
#include "settings/text_table.h"
#include "text/ascii.h"

namespace spurwerk {

const std::vector<std::string>& BuiltInAssignSuggestions() {
    static const std::vector<std::string> suggestions = {"MAND_R.WAV", "GIT_C.WAV", "BOUZ_L.WAV",
                                                         "Baglama",    "VOC1_C",    "VOC2_C"};
    return suggestions;
}

std::vector<std::string> LoadAssignSuggestions(const std::string& fileName) {
    // Most users never write the file: no exception for that (the first one
    // thrown costs the start a quarter of a millisecond).
    if (!PathExists(fileName)) return BuiltInAssignSuggestions();
    try {
        std::vector<std::string> suggestions;
        // Blank lines and blanks around a name are editing leftovers, not suggestions.
        for (const std::string& line : SplitTextLines(ReadTextFile(PathFromText(fileName))))
            if (std::string name = TrimWhitespace(line); !name.empty()) suggestions.push_back(name);
        return suggestions;
    } catch (const std::exception&) {
        return BuiltInAssignSuggestions();
    }
}

std::string AssignSuggestionsHint(const std::string& fileName) { return Txt(248) + fileName + "\"!)"; }

}  // namespace spurwerk
