#pragma once
// Which font files the program's text comes from. Many Linux systems carry
// the same faces twice: as Type 1 files and as OpenType (or TrueType) files.
// FreeType decodes a whole Type 1 font when it opens one (about a millisecond
// each here, twenty times an OpenType file), and the start opens four faces
// on the way to the first paint; the twin shows the same glyphs.

#include <string>
#include <vector>

namespace spurwerk::gui {

struct FontFace {
    std::string file;
    std::string postScriptName;  // one face, whatever the file's format
    std::string format;          // as fontconfig names it: "Type 1", "CFF", "TrueType"
};

// The Type 1 files among `faces` whose face (the same PostScript name) is also
// there in another format. The formats may describe one face differently (the
// Type 1 files of URW's Nimbus Sans Narrow say normal width, their OpenType
// twins semi-condensed), so family and style do not tell twins. Files whose
// names a fontconfig glob could read as a pattern are left alone.
std::vector<std::string> Type1FilesWithTwins(const std::vector<FontFace>& faces);

// The faces fontconfig lists now; none where the fonts do not come from it.
std::vector<FontFace> InstalledFontFaces();

// Makes those files unknown to fontconfig, so Qt's font database takes the
// twins. Runs before the database's first use and returns when done; does
// nothing where the fonts do not come from fontconfig.
void SkipType1FontsWithTwins();

}  // namespace spurwerk::gui
