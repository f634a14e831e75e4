#include "project/document_ops.h"

#include "io/file_copy.h"
#include "io/file_io.h"
#include "io/file_lock.h"
#include "io/file_stamp.h"
#include "io/name_lookup.h"
#include "io/path_text.h"
#include "project/track_layout.h"
#include "settings/text_table.h"
#include "settings/ui_texts.h"
#include "text/ascii.h"
#include "text/text_encoding.h"
#include "ui/dialogs.h"
#include "ui/errors.h"

namespace spurwerk {

namespace {

bool SameStamp(const FileStamp& a, const FileStamp& b) {
    return a.known == b.known && a.exists == b.exists && a.size == b.size && a.contentHash == b.contentHash;
}

}  // namespace

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
    ProjectSession& session = context.session;
    ZDTDocument& doc = session.doc;
    if (!doc.DataChanged()) return true;
    int answer = context.dialogs.Message(Txt(questionText) + session.LoadedZDTFileName + Txt(closingText),
                                         MessageButtons::YesNoCancel);
    if (answer == ResultCancel) return false;
    if (answer == ResultYes) {
        QuickSaveLoadedZDTFile(context, session.LoadedZDTFileName, 3000);
        // A save that did not happen keeps the changes and stops the command.
        if (doc.DataChanged()) return false;
    }
    return true;
}

bool LoadZDTFile(DocumentContext& context, bool askForName) {
    ProjectSession& session = context.session;
    // Saving first sets ZDTFileToLoad to the saved file; the file asked for must
    // still be the one that is loaded.
    const std::string wanted = session.ZDTFileToLoad;
    if (!SaveChangesFirst(context, 125, 126)) return false;
    session.ZDTFileToLoad = wanted;

    std::string name = session.ZDTFileToLoad;
    if (askForName) name = AskZDTFileName(context, 127, 128, session.ZDTFileToLoad);
    if (name.empty()) return false;

    session.Load(name, {.keepHistoryIfSame = true, .check = {}});
    return true;
}

ExternalChange AskAboutExternalChange(DocumentContext& context, bool onActivation) {
    ProjectSession& session = context.session;
    if (session.LoadedZDTFileName.empty() || session.IsLoadingZDT() || session.IsSavingZDT())
        return ExternalChange::None;
    FileStamp now = session.StampOnDisk();
    if (!ChangedOnDisk(session.LoadedFileStamp, now)) return ExternalChange::None;
    if (onActivation && SameStamp(now, session.DeclinedFileStamp)) return ExternalChange::None;
    int answer = context.dialogs.Message(UiTxt(UiText::ExternalChangeQuestion, session.LoadedZDTFileName),
                                         MessageButtons::ReloadOverwriteCancel);
    if (answer == ResultYes) {
        session.Load(session.LoadedZDTFileName);
        return ExternalChange::Reloaded;
    }
    if (answer == ResultNo) return ExternalChange::Overwrite;
    session.DeclinedFileStamp = now;
    return ExternalChange::Cancelled;
}

ExternalChange CheckLoadedFileOnDisk(DocumentContext& context) {
    ExternalChange answer = AskAboutExternalChange(context, true);
    if (answer == ExternalChange::Overwrite) {
        ProjectSession& session = context.session;
        session.LoadedFileStamp = session.StampOnDisk();  // asked already
        QuickSaveLoadedZDTFile(context, session.LoadedZDTFileName, 3000);
    }
    return answer;
}

bool ConfirmClose(DocumentContext& context) { return SaveChangesFirst(context, 181, 182); }

void OpenFiles(DocumentContext& context, const std::vector<std::string>& files, int questionText, bool askForEach) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        // One file that cannot be read does not keep the others from being offered.
        try {
            if (i == 0) {
                context.session.ZDTFileToLoad = files[i];
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
    ProjectSession& session = context.session;
    if (session.doc.IsProject()) return;
    session.ZDTFileToLoad = templateFile;
    try {
        LoadZDTFile(context, false);
    } catch (const std::exception& e) {
        context.dialogs.Message(e.what(), MessageButtons::Ok);
    }
    // Shown, but a quick save must ask for a name instead of overwriting the template.
    session.LoadedZDTFileName.clear();
}

bool ChooseCompareFile(DocumentContext& context) {
    ProjectSession& session = context.session;
    if (session.CompareZDTFileName.empty()) session.CompareZDTFileName = session.LoadedZDTFileName;
    std::string name = AskZDTFileName(context, 127, 128, session.CompareZDTFileName);
    if (name.empty()) return false;
    session.doc.ReplaceCompareData(ReadWholeFile(PathFromText(name)));  // throws; the comparison stays as it was
    session.CompareZDTFileName = name;
    return true;
}

bool QuickSaveLoadedZDTFile(DocumentContext& context, const std::string& fileName, int messageTimeMs) {
    ProjectSession& session = context.session;
    std::string name = fileName;
    if (name.empty()) {
        name = AskZDTFileName(context, 138, 139, session.LoadedZDTFileName);
        if (name.empty()) return false;
    }
    name = WithZDTExtension(name);
    if (name != session.LoadedZDTFileName && PathExists(name)) {
        if (context.dialogs.Message("\"" + name + Txt(140), MessageButtons::YesNo) != ResultYes) return false;
    }

    // Another program's change between the check and the write must wait:
    // the command line holds the same lock for its whole read-change-write.
    FileLock lock = FileLock::Acquire(PathFromText(name), session.lockTimeout);
    if (name == session.LoadedZDTFileName) {
        ExternalChange change = AskAboutExternalChange(context, false);
        if (change == ExternalChange::Reloaded || change == ExternalChange::Cancelled) return false;
    }
    session.Save(name);
    context.dialogs.TimedMessage(std::to_string(session.doc.ZDTData().size()) + " " + Txt(141) + name + Txt(142),
                                 messageTimeMs);
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
    // The name part takes the picker's characters; a full stop in it (as in
    // "../X") would make the name a path or a second extension.
    std::string extension;
    if (text.size() >= 4 && text.compare(text.size() - 4, 4, ".WAV") == 0) {
        extension = ".WAV";
        text.resize(text.size() - 4);
    }
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        // One "_" per character, also for a multi-byte UTF-8 character.
        std::size_t length = Utf8SequenceLength(c);
        bool allowed = c == ' ' || c == '-' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out += allowed ? static_cast<char>(c) : '_';
        i += length;
    }
    // As the picker: the name without blanks at its end.
    return extension.empty() ? out : TrimBlanks(out) + extension;
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
