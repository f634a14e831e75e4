#pragma once
// The hint texts of the mixer's controls and of its top panel, built from the
// text table so that a language change rebuilds them.

#include <cstdint>
#include <string>

#include "project/track_layout.h"
#include "project/zdt_document.h"

namespace spurwerk {

std::string TrackLabelHint();
std::string StatusHint(TrackStatus status);
std::string StereoBoxHint();
std::string InvertBoxHint();
// The file field's hint; the all-strip's (master) field is prefixed "MASTER-".
std::string FileFieldHint(const std::string& projectName, int stripIndex, bool master, const std::string& text);
// A slider's hint for its position, including the Alt reset line.
std::string SliderHint(const StripElement& element, int position);
// The common hint of the all-strip's panels (four lines).
std::string AllStripHint();

// The texts of the mixer's top panel and the main window's quick-save buttons.
struct ProjectInfoTexts {
    std::string loadedFile;       // LabelLoadedZDTFile
    std::string infoLine;         // LabelLoadedZDTFile2
    std::string fileLabelHint;    // LabelLoadedZDTFile and LabelLoadedZDTFile2
    std::string nameLabelHint;    // LabelForEditProjName and LabelForLoadedZDTFile (with the marks)
    std::string quickSaveHint;    // ButtonQuickSaveLoadedZDTFile
    std::string quickSaveAsHint;  // ButtonQuickSaveLoadedZDTFileAs
};
ProjectInfoTexts BuildProjectInfoTexts(const Bytes& document, const std::string& loadedFile,
                                       std::int32_t recordingEnd);

}  // namespace spurwerk
