#pragma once
// A small generated memory card: projects with mixes, marks, effects files and
// silent recordings, plus the odd things a real card holds (a nested backup, a
// hidden folder, a text file).

#include <filesystem>

namespace spurwerk::gen {

// First line of the card's README.TXT; marks a folder as a demo card that may
// be replaced.
extern const char* const DemoCardReadmeTitle;

// Removes a previous demo card at `cardDir` and writes a fresh one. Refuses to
// remove a non-empty folder that is not a demo card.
void WriteDemoCard(const std::filesystem::path& cardDir);

}  // namespace spurwerk::gen
