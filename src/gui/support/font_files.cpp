#include "support/font_files.h"

#include <set>

#include "support/qt_text.h"

#ifdef SPURWERK_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace spurwerk::gui {

std::vector<std::string> Type1FilesWithTwins(const std::vector<FontFace>& faces) {
    std::set<std::string> otherFormats;
    for (const FontFace& f : faces)
        if (f.format != "Type 1" && !f.postScriptName.empty()) otherFormats.insert(f.postScriptName);
    std::vector<std::string> files;
    for (const FontFace& f : faces)
        if (f.format == "Type 1" && otherFormats.count(f.postScriptName) &&
            f.file.find_first_of("*?") == std::string::npos)
            files.push_back(f.file);
    return files;
}

#ifdef SPURWERK_FONTCONFIG

namespace {

std::vector<FontFace> FacesOf(FcConfig* config) {
    std::vector<FontFace> faces;
    FcPattern* all = FcPatternCreate();
    FcObjectSet* fields = FcObjectSetBuild(FC_FILE, FC_POSTSCRIPT_NAME, FC_FONTFORMAT, nullptr);
    FcFontSet* set = all && fields ? FcFontList(config, all, fields) : nullptr;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8 *file = nullptr, *name = nullptr, *format = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetString(set->fonts[i], FC_POSTSCRIPT_NAME, 0, &name) != FcResultMatch ||
            FcPatternGetString(set->fonts[i], FC_FONTFORMAT, 0, &format) != FcResultMatch)
            continue;
        faces.push_back({reinterpret_cast<const char*>(file), reinterpret_cast<const char*>(name),
                         reinterpret_cast<const char*>(format)});
    }
    if (set) FcFontSetDestroy(set);
    if (fields) FcObjectSetDestroy(fields);
    if (all) FcPatternDestroy(all);
    return faces;
}

}  // namespace

std::vector<FontFace> InstalledFontFaces() { return FacesOf(nullptr); }

void SkipType1FontsWithTwins() {
    // A configuration of our own, made current only when complete: nothing
    // else sees it half built.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return;
    const std::vector<std::string> files = Type1FilesWithTwins(FacesOf(config));
    if (files.empty()) return FcConfigDestroy(config);
    std::string rules = "<fontconfig><selectfont><rejectfont>";
    for (const std::string& file : files) rules += "<glob>" + S(Q(file).toHtmlEscaped()) + "</glob>";
    rules += "</rejectfont></selectfont></fontconfig>";
    if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.c_str()), FcFalse) ||
        !FcConfigBuildFonts(config))
        return FcConfigDestroy(config);
    // Our reference stays: the configuration serves the whole run.
    FcConfigSetCurrent(config);
}

#else

std::vector<FontFace> InstalledFontFaces() { return {}; }
void SkipType1FontsWithTwins() {}

#endif

}  // namespace spurwerk::gui
