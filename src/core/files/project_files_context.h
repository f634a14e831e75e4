#pragma once
// What saving, copying and the series need around the project document: the
// option values they use, the template files, and the few things only the
// mixer window knows (its project name field, the track count it shows).

#include <string>
#include <vector>

#include "project/document_ops.h"

namespace spurwerk {

// The eight ready-made files a new project is made from.
struct TemplateFiles {
    std::string prjR16, prjR24;
    std::string efxR16, efxR24;
    std::string wavMono16, wavStereo16, wavMono24, wavStereo24;
};

// The default template names resolved in the program's folder (with trailing
// separator).
TemplateFiles TemplateFilesIn(const std::string& programDir);

struct ProjectFilesOptions {
    bool devIsZoomR24 = false;   // DevIsZoomR24
    bool useInfoFiles = false;   // CBUseInfoFiles
    TemplateFiles templates;
    std::string copyToDirHistory;  // history file of the copy command's target
};

// The mixer's side of a project save. The defaults work on the document alone,
// which is what a front end without a mixer (the command line) needs.
class ProjectFieldsHost {
public:
    explicit ProjectFieldsHost(ZDTDocument& doc) : doc_(doc) {}
    virtual ~ProjectFieldsHost() = default;

    // The project name field's text (EditProjName).
    virtual std::string ProjectNameText();
    // Shows the name in the field; the field writes it into the document.
    virtual void SetProjectNameText(const std::string& name);
    // ActMaxTrackIdx: the tracks shown; the strip with this index is the all-strip.
    virtual int TrackCount() { return 16; }
    // The WAV files of the AUDIO folder changed: re-read their information.
    virtual void WavFilesChanged() {}
    // LabelInfoFile of the main window shows the info file worked on.
    virtual void ShowInfoFileName(const std::string& name) { (void)name; }

protected:
    ZDTDocument& doc_;
};

// A front end without a mixer: the document is the only place the values
// live. Before a save it cleans the WAV names in the document as the mixer's
// file fields would be cleaned.
class DocumentOnlyHost : public DocumentHost, public ProjectFieldsHost {
public:
    DocumentOnlyHost(ZDTDocument& doc, Dialogs& dialogs, int trackCount = 16)
        : ProjectFieldsHost(doc), dialogs_(dialogs), trackCount_(trackCount) {}
    void PrepareSave() override;
    int TrackCount() override { return trackCount_; }

private:
    Dialogs& dialogs_;
    int trackCount_;
};

struct ProjectFilesContext {
    DocumentContext& document;
    ProjectFieldsHost& fields;
    ProjectFilesOptions options;
    // The last answer to the "Weiter?" question of a project copy; while it is
    // Yes to all the question is not asked again.
    int CopyContinueAnswer = 6;
    // Files that could not be made while the operation went on (a WAV file
    // from its template), each with the system's reason, for the caller to
    // report as a failure.
    std::vector<std::string> fileErrors{};

    ProjectSession& session() { return document.session; }
    ZDTDocument& doc() { return document.session.doc; }
    Dialogs& dialogs() { return document.dialogs; }
};

}  // namespace spurwerk
