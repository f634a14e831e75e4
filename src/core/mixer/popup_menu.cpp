#include "mixer/popup_menu.h"

#include "project/play_marks.h"
#include "settings/text_table.h"

namespace spurwerk {

std::vector<PopupEntry> BuildPopupMenu(const Bytes& document, const std::string& loadedFile,
                                       std::int32_t recordingEnd) {
    int marks = MarkCount(document);
    bool setEnd = recordingEnd > 0 && !HasEndMark(document, recordingEnd);
    bool deleteAfterEnd = marks != 0 && recordingEnd >= 1 && MarksAfter(document, recordingEnd) > 0;
    std::string quickSave = Txt(290) + loadedFile + "\")";
    return {
        {"PMLoadZDTFile", "ZDT-Proj.-Datei öffnen ...", true},
        {"PMSearchZDTFile", "Suchen und öffnen ...", true},
        {"", "-", true},
        {"PMQuickSaveZDTFile", quickSave, true},
        {"PMQuickSaveZDTFileAs", quickSave + " " + Txt(291) + " ...", true},
        {"PMSaveProject", "Als Projekt &speichern unter ...", true},
        {"", "-", true},
        {"PMCopyAProjectFromTo", "Alle Dateien des Projektes (incl. Audio-Files) kopieren nach ...", true},
        {"PMSaveZDTFileSerie", "Projekt-Serie erstellen ...", true},
        {"", "-", true},
        {"PMSetMarkAtProjEnd", "Play-Marke am Ende des Projektes setzen", setEnd},
        {"PMDeleteProjMarksGTRecEnd", "Play-Marken nach Aufnahme-Ende löschen", deleteAfterEnd},
        {"PMDeleteAllProjMarks", "Alle Play-Marken des Projektes löschen", marks >= 1},
        {"PMSetInSubDirsMarkAtProjEnd", "In Unterverzeichnissen:  Play-Marke am Ende aller Projekte setzen", true},
    };
}

}  // namespace spurwerk
