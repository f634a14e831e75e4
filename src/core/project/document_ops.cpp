#include "project/document_ops.h"

#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "settings/text_table.h"
#include "text/ascii.h"
#include "text/text_encoding.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace {

struct FlagGuard {
    bool& flag;
    explicit FlagGuard(bool& f) : flag(f) { flag = true; }
    ~FlagGuard() { flag = false; }
};

}  // namespace

std::string ResolveInfoFileName(const std::string& fileName) {
    std::string upper = UpperAscii(fileName);
    if (upper.find("_NAME.TXT") == std::string::npos) return fileName;
    std::size_t marker = upper.find("___");
    if (marker == std::string::npos) return fileName;
    std::string projectFile = fileName.substr(0, marker) + ".ZDT";
    return PathIgnoringCase(ExtractFilePath(projectFile), ExtractFileName(projectFile));
}

std::string EffectsFileNameFor(const std::string& projectFile) {
    std::string dir = ExtractFilePath(projectFile);
    std::string name = ExtractFileName(projectFile);
    std::string rest = name.size() > 11 ? name.substr(11) : "";
    return PathIgnoringCase(dir, rest + "EFXDATA.ZDT");
}

std::string InfoFileNameFor(const std::string& projectFile, const std::string& projectName) {
    return ChangeFileExt(projectFile, "___" + projectName + "_NAME.TXT");
}

std::string WithZDTExtension(const std::string& fileName) {
    return ExtractFileExt(fileName).empty() ? fileName + ".ZDT" : fileName;
}

std::string AskZDTFileName(const DocumentContext& context, int captionText, int promptText,
                           const std::string& initialFile) {
    HistInputRequest request;
    request.isFileInput = true;
    request.histFile = context.zdtHistoryFile;
    request.caption = Txt(captionText);
    request.prompt = Txt(promptText);
    request.filter = Txt(129);
    request.initialText = initialFile;
    request.showNonExistent = true;
    return context.dialogs.InputHist(request).text;
}

bool SaveChangesFirst(DocumentContext& context, int questionText, int closingText) {
    ZDTDocument& doc = context.doc;
    if (!doc.DataChanged()) return true;
    int answer = context.dialogs.Message(Txt(questionText) + doc.LoadedZDTFileName + Txt(closingText),
                                         MessageButtons::YesNoCancel);
    if (answer == ResultCancel) return false;
    if (answer == ResultYes) {
        QuickSaveLoadedZDTFile(context, doc.LoadedZDTFileName, 3000);
        // A save that did not happen keeps the changes and stops the command.
        if (doc.DataChanged()) return false;
    }
    return true;
}

bool LoadZDTFile(DocumentContext& context, bool askForName) {
    ZDTDocument& doc = context.doc;
    // Saving first sets ZDTFileToLoad to the saved file; the file asked for must
    // still be the one that is loaded.
    const std::string wanted = doc.ZDTFileToLoad;
    if (!SaveChangesFirst(context, 125, 126)) return false;
    doc.ZDTFileToLoad = wanted;

    std::string name = doc.ZDTFileToLoad;
    if (askForName) name = AskZDTFileName(context, 127, 128, doc.ZDTFileToLoad);
    if (name.empty()) return false;

    FlagGuard loading(doc.IsLoadingZDT);
    name = ResolveInfoFileName(name);
    Bytes data = ReadWholeFile(PathFromText(name));  // throws; the document stays as it was
    // Reading back what was just saved (a project save reloads it) keeps the history.
    bool sameBytes = data == doc.ZDTData() && !doc.DataChanged();
    doc.ReplaceZDTData(std::move(data));
    doc.LoadedZDTFileName = name;
    if (doc.CompareZDTFileName.empty()) doc.ReplaceCompareData(doc.ZDTData());

    std::string projectName = ReadProjectName(doc.ZDTData());
    context.host.DocumentLoaded(projectName, EffectsFileNameFor(name));
    if (sameBytes) doc.MarkSaved();
    else doc.MarkLoaded();
    return true;
}

bool ConfirmClose(DocumentContext& context) { return SaveChangesFirst(context, 181, 182); }

void OpenFiles(DocumentContext& context, const std::vector<std::string>& files, int questionText, bool askForEach) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        // One file that cannot be read does not keep the others from being offered.
        try {
            if (i == 0) {
                context.doc.ZDTFileToLoad = files[i];
                LoadZDTFile(context, false);
            } else if (!askForEach || context.dialogs.Message("\"" + files[i] + Txt(questionText),
                                                              MessageButtons::YesNo) == ResultYes) {
                context.dialogs.StartFurtherInstance(files[i]);
            }
        } catch (const SilentAbort&) {
        } catch (const std::exception& e) {
            context.dialogs.Message(e.what(), MessageButtons::Ok);
        }
    }
}

void ShowTemplateUnlessProject(DocumentContext& context, const std::string& templateFile) {
    ZDTDocument& doc = context.doc;
    if (doc.IsProject()) return;
    doc.ZDTFileToLoad = templateFile;
    try {
        LoadZDTFile(context, false);
    } catch (const std::exception& e) {
        context.dialogs.Message(e.what(), MessageButtons::Ok);
    }
    // Shown, but a quick save must ask for a name instead of overwriting the template.
    doc.LoadedZDTFileName.clear();
}

bool ChooseCompareFile(DocumentContext& context) {
    ZDTDocument& doc = context.doc;
    if (doc.CompareZDTFileName.empty()) doc.CompareZDTFileName = doc.LoadedZDTFileName;
    std::string name = AskZDTFileName(context, 127, 128, doc.CompareZDTFileName);
    if (name.empty()) return false;
    doc.ReplaceCompareData(ReadWholeFile(PathFromText(name)));  // throws; the comparison stays as it was
    doc.CompareZDTFileName = name;
    return true;
}

bool QuickSaveLoadedZDTFile(DocumentContext& context, const std::string& fileName, int messageTimeMs) {
    ZDTDocument& doc = context.doc;
    std::string name = fileName;
    if (name.empty()) {
        name = AskZDTFileName(context, 138, 139, doc.LoadedZDTFileName);
        if (name.empty()) return false;
    }
    name = WithZDTExtension(name);
    if (name != doc.LoadedZDTFileName && PathExists(name)) {
        if (context.dialogs.Message("\"" + name + Txt(140), MessageButtons::YesNo) != ResultYes) return false;
    }

    {
        FlagGuard saving(doc.IsSavingZDT);
        context.host.PrepareSave();
        WriteFileAtomically(PathFromText(name), doc.ZDTData());
        doc.MarkSaved();
        doc.LastSavedZDTFileName = name;
        context.dialogs.TimedMessage(
            std::to_string(doc.ZDTData().size()) + " " + Txt(141) + name + Txt(142), messageTimeMs);
        doc.ZDTFileToLoad = name;
        doc.LoadedZDTFileName = name;
    }
    return true;
}

namespace {
std::string HistoryCaption(bool possible, int text, const std::string& step) {
    if (!possible) return "";
    return step.empty() ? Txt(text) : Txt(text) + ": " + step;
}
}  // namespace

std::string UndoCaption(const ZDTDocument& doc) { return HistoryCaption(doc.CanUndo(), 296, doc.UndoText()); }

std::string RedoCaption(const ZDTDocument& doc) { return HistoryCaption(doc.CanRedo(), 297, doc.RedoText()); }

std::string CleanWavNameCharacters(const std::string& name) {
    std::string text = UpperAscii(TrimBlanks(name));
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        // One "_" per character, also for a multi-byte UTF-8 character.
        std::size_t length = Utf8SequenceLength(c);
        bool allowed = c == '.' || c == '-' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out += allowed ? static_cast<char>(c) : '_';
        i += length;
    }
    return out;
}

std::vector<std::string> NormalizeTrackWavNames(const std::vector<std::string>& names, Dialogs& dialogs) {
    std::vector<std::string> result = names;
    for (std::size_t index = 0; index < result.size(); ++index) {
        std::string text = CleanWavNameCharacters(result[index]);
        // An unassigned track stays unassigned.
        if (text.empty()) {
            result[index] = text;
            continue;
        }
        if (text.find(".WAV") == std::string::npos) {
            if (text.size() > 8) {
                TimedInputRequest request;
                request.buttons = TimedOk | TimedCancel;
                request.caption = Txt(134);
                request.message = Txt(135) + "\r\n\r\n\"" + text + "\" in Track " + std::to_string(index + 1) + " " +
                                  Txt(136) + "\r\n" + Txt(137);
                request.showInput = true;
                request.input = text;
                request.defaultResult = ResultOk;
                if (dialogs.TimedInput(request) != ResultOk) break;
                // The entered name obeys the same character rule as the rest.
                std::string entered = CleanWavNameCharacters(request.input);
                text = ChangeFileExt(entered, "").substr(0, 8);
                if (text.empty()) {
                    result[index] = text;
                    continue;
                }
            }
            text = ChangeFileExt(text, ".WAV");
        }
        result[index] = text;
    }
    return result;
}

}  // namespace spurwerk
