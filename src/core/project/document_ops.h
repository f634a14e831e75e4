#pragma once
// Loading a project and quick-saving it in the window, with the questions these
// steps ask; the session reads and writes. Window work (labels, hex repaint,
// mixer fill) is done by the session's DocumentHost.

#include <string>
#include <vector>

#include "project/project_session.h"

namespace spurwerk {

class Dialogs;

// The project-name info file that belongs to a project file and name.
std::string InfoFileNameFor(const std::string& projectFile, const std::string& projectName);
// Appends ".ZDT" when the file name has no extension.
std::string WithZDTExtension(const std::string& fileName);

struct DocumentContext {
    ProjectSession& session;
    Dialogs& dialogs;
    std::string zdtHistoryFile;
};

// Asks for a project file name with the ZDT history (caption and prompt are
// text numbers); empty when cancelled.
std::string AskZDTFileName(const DocumentContext& context, int captionText, int promptText,
                           const std::string& initialFile);

// Returns true when a file was loaded.
bool LoadZDTFile(DocumentContext& context, bool askForName);
// With unsaved changes, asks (texts questionText + file + closingText) whether
// to save them: Cancel, or a save that did not happen, gives false; Yes saves
// under the loaded name; No goes on without saving.
bool SaveChangesFirst(DocumentContext& context, int questionText, int closingText);
// Closing the program: true when it may close.
bool ConfirmClose(DocumentContext& context);
// Files from the command line or a drop: the first is loaded, each further one
// opened in a new instance, each after a question (text `questionText`) when
// askForEach (Ctrl held at the drop). An error is shown and the next file is
// offered all the same.
void OpenFiles(DocumentContext& context, const std::vector<std::string>& files, int questionText,
               bool askForEach = false);
// At start, when no project was loaded: the device's template is shown, with
// no file name, so that a quick save asks where to write.
void ShowTemplateUnlessProject(DocumentContext& context, const std::string& templateFile);
// Asks for the comparison file and reads it into CompareData; false when
// cancelled. The first call fixes the comparison name to the loaded file even
// when cancelled.
bool ChooseCompareFile(DocumentContext& context);
// What became of another program's change to the loaded file.
enum class ExternalChange {
    None,       // the file is as it was loaded or last saved
    Reloaded,   // the user took the file's new bytes; the window's changes are gone
    Overwrite,  // the user lets the window's bytes replace the file
    Cancelled,  // nothing done; a later save asks again
};
// When the loaded file differs on disk (size or content) from what was loaded
// or last saved, asks whether to reload it, overwrite it or cancel.
// `onActivation`: a change the user cancelled before is not asked about again.
ExternalChange AskAboutExternalChange(DocumentContext& context, bool onActivation);
// When a window becomes active: asks as above; Overwrite saves at once.
ExternalChange CheckLoadedFileOnDisk(DocumentContext& context);

// Returns true when the file was written. A file changed by another program
// since it was loaded or saved is never written over without asking.
bool QuickSaveLoadedZDTFile(DocumentContext& context, const std::string& fileName, int messageTimeMs);

// "Rückgängig: <step>" and "Wiederholen: <step>" in the language in use; the
// bare word for a step without a name, empty when there is nothing to do.
std::string UndoCaption(const ZDTDocument& doc);
std::string RedoCaption(const ZDTDocument& doc);

// Cleans WAV names as before every save: trim, upper-case, in the name part
// (all before a final ".WAV") every character other than A-Z 0-9, blank, - and
// _ becomes "_" (a full stop too), ".WAV" set as extension; a name longer than 8
// characters without ".WAV" is offered for shortening (track number = index + 1).
// Returns the cleaned names; stops at a cancelled prompt, leaving later names
// as they were.
std::vector<std::string> NormalizeTrackWavNames(const std::vector<std::string>& names, Dialogs& dialogs);
// One name cleaned by the character rule only (no prompt, no extension added):
// "../x.wav" becomes "___X.WAV", "A.B.WAV" becomes "A_B.WAV".
std::string CleanWavNameCharacters(const std::string& name);

}  // namespace spurwerk
