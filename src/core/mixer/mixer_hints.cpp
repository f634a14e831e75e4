#include "mixer/mixer_hints.h"

#include "project/play_marks.h"
#include "project/project_info.h"
#include "project/value_format.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {
const char LF = '\n';
const char DQ = '"';
}  // namespace

std::string TrackLabelHint() { return Txt(230) + LF + Txt(231) + " "; }

std::string StatusHint(TrackStatus status) {
    int text = status == TrackStatus::Record ? 213 : status == TrackStatus::Play ? 214 : 212;
    return std::string("Status (Record/Play/Mute): ") + LF + Txt(215) + " " + Txt(text);
}

std::string StereoBoxHint() { return Txt(232) + " " + LF + Txt(233) + " " + LF + Txt(234) + " "; }

std::string InvertBoxHint() { return Txt(235) + " "; }

std::string FileFieldHint(const std::string& projectName, int stripIndex, bool master, const std::string& text) {
    std::string trackName = master ? "Master-Track" : "Track Nr. " + std::to_string(stripIndex + 1);
    std::string hint = Txt(216) + projectName + DQ + ":" + LF + trackName + ":  " + DQ + text + DQ + LF + LF +
                       Txt(217) + LF + Txt(218) + LF + Txt(219) + " " + LF + Txt(220) + LF + LF + Txt(221) + " " +
                       LF + Txt(222) + "AUDIO" + Txt(223) + " " + LF + Txt(224) + LF + Txt(225) + LF + Txt(226) +
                       LF + Txt(227);
    return master ? "MASTER-" + hint : hint;
}

std::string SliderHint(const StripElement& element, int position) {
    return SliderValueHint(element, position) + LF + Txt(228) + " ";
}

std::string AllStripHint() {
    return Txt(236) + LF + "Optional:" + LF + Txt(237) + LF + Txt(238) + " ";
}

ProjectInfoTexts BuildProjectInfoTexts(const Bytes& document, const std::string& loadedFile,
                                       std::int32_t recordingEnd) {
    ProjectInfoTexts texts;
    texts.loadedFile = loadedFile;
    texts.infoLine = ProjectInfoLine(document, recordingEnd);
    texts.fileLabelHint = loadedFile + "    " + texts.infoLine + LF + LF + Txt(241) + " " + LF + Txt(242) + " " + LF +
                          Txt(243);
    texts.nameLabelHint = texts.fileLabelHint + MarkListing(document, recordingEnd);
    std::string quoted = loadedFile.empty() ? "" : DQ + loadedFile + DQ + " ";
    texts.quickSaveAsHint = Txt(244) + " " + quoted + Txt(245) + " " + "... ";
    // Without a file name (the template shown) the quick save asks for one, as "unter ..." does.
    texts.quickSaveHint = loadedFile.empty() ? texts.quickSaveAsHint : Txt(244) + " " + quoted + Txt(245) + " " + Txt(246) + " ";
    return texts;
}

}  // namespace spurwerk
