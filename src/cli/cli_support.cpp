#include "cli_support.h"

#include <iostream>

#include "cli_dialogs.h"
#include "io/path_text.h"
#include "json_output.h"
#include "project/document_ops.h"
#include "project/project_info.h"
#include "settings/text_table.h"

namespace spurwerk::cli {

FileLock LockProjectFile(const std::string& file) {
    return FileLock::Acquire(PathFromText(ResolveInfoFileName(file)));
}

ZDTDocument LoadDocument(const std::string& file, bool requireProject) {
    ZDTDocument doc;
    doc.LoadedZDTFileName = ResolveInfoFileName(file);
    doc.ReplaceZDTData(ReadWholeFile(PathFromText(doc.LoadedZDTFileName)));
    if (requireProject && !doc.IsProject())
        throw CommandError("\"" + doc.LoadedZDTFileName + "\" is not a project file (" +
                           std::to_string(doc.ZDTData().size()) + " bytes; a project file has at least " +
                           std::to_string(MinProjectDataSize) + ")");
    doc.ReplaceCompareData(doc.ZDTData());
    doc.MarkLoaded();
    return doc;
}

void SaveDocument(const ZDTDocument& doc, const std::string& file) {
    WriteFileAtomically(PathFromText(file), doc.ZDTData());
    if (JsonOutput()) {
        ReportWritten(file);
        return;
    }
    std::cout << TerminalText(std::to_string(doc.ZDTData().size()) + " " + Txt(141) + file + Txt(142)) << "\n";
}

std::int32_t RecordingEndOf(const std::string& projectFile) {
    return LongestWavDuration(AudioFolderOf(projectFile));
}

}  // namespace spurwerk::cli
