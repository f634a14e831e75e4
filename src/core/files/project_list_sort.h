#pragma once
// Sorting the project list's lines by path, file date, project name or the
// longest audio time, each optionally reversed.

#include <string>
#include <vector>

namespace spurwerk {

enum class ListSortType : int {
    DirFile = 0,     // "Verz./Datei"
    FileDate = 1,    // "Datei-Datum": newest first
    ProjectName = 2, // "Projekt-Name"
    AudioTime = 3,   // "Max. Audio-Zeit": longest first
};

// Negative when a sorts before b. Lines that tie on the key are ordered by the
// whole line; `reverse` turns the whole order round.
int CompareListLines(const std::string& a, const std::string& b, ListSortType type, bool reverse,
                     int referenceYear);

void SortListLines(std::vector<std::string>& lines, ListSortType type, bool reverse);

}  // namespace spurwerk
