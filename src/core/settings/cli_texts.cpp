#include "settings/cli_texts.h"

#include "text/placeholders.h"

#include <array>
#include <cstddef>

namespace spurwerk {

namespace {

constexpr std::size_t Count = static_cast<std::size_t>(CliText::Count);

struct Entry {
    const char* key;
    const char* german;
};

const std::array<Entry, Count> Entries{{
    {"ProjectLabel", "Projekt:"},
    {"TableTrack", "Spur"},
    {"Cancelled", "abgebrochen"},
    {"StdoutClosed", "die Standardausgabe ist geschlossen; es wurde nichts getan"},
    {"CannotWriteOutput", "die Ausgabe kann nicht geschrieben werden: %1"},
    {"NotAProject", "\"%1\" ist keine Projekt-Datei (%2 Bytes; eine Projekt-Datei hat mindestens %3)"},
    {"NotAProjectShort", "\"%1\" ist keine Projekt-Datei (%2 Bytes)"},
    {"TracksMustDiffer", "die beiden Spuren müssen verschieden sein"},
    {"DropRefused", "das Mixer-Fenster lehnt dieses Ziehen ab"},
    {"StereoSecondTrack",
     "Spur %1 ist die zweite Spur eines Stereo-Paares (Spuren %2+%1); das Mixer-Fenster hält ihre Werte gesperrt"},
    {"UnknownGroupList", "unbekannte Gruppe \"%1\"; die Gruppen sind: %2"},
    {"UnknownGroup", "unbekannte Gruppe \"%1\""},
    {"NotGroupValue", "\"%1\" hat nicht die Form GRUPPE=WERT"},
    {"AllStripDoesNotSet", "der Alle-Streifen setzt %1 nicht; geben Sie --track an"},
    {"NoRecordingEnd",
     "das Projekt hat kein Aufnahme-Ende (keine WAV-Datei mit einer Dauer in \"%1\"); nichts wurde geändert"},
    {"NothingSaved", "nichts gespeichert"},
    {"SameFolder", "\"%1\" und \"%2\" sind derselbe Ordner: %3"},
    {"NoFolder", "\"%1\" ist kein Ordner"},
    {"EntriesFailed", "%1 Einträge fehlgeschlagen:"},
    {"FilesNotMade", "%1 Dateien konnten nicht angelegt werden:"},
    {"NeedsAnswer", "hier ist eine Antwort nötig (geben Sie --yes oder --no an): %1"},
    {"NeedsOtherAnswer", "hier ist eine Antwort nötig, die die Kommandozeile nicht geben kann: %1"},
    {"NeedsInput", "hier ist eine Eingabe nötig, die die Kommandozeile nicht geben kann: %1"},
    {"NeedsFolder", "hier ist ein Ordner zu wählen, den die Kommandozeile nicht wählen kann: %1"},
    {"NeedsYesOrNo", "geben Sie --yes oder --no an: der Lauf stellt unterwegs Fragen"},
    {"UnknownLanguage", "unbekannte Sprache \"%1\"; möglich sind: %2"},
    {"ImportStereoChoice", "\"%1\" ist stereo: --stereo pair legt die Datei auf die Spuren %2+%3 und verbindet sie, --stereo mono mischt sie für Spur %4; nichts wurde geschrieben"},
    {"Imported", "%1 auf Spur %2 gelegt (%3 Bit, %4 Kanäle, %5)"},
    {"Exported", "%1 geschrieben"},
    {"ExportNothing", "keine der Spuren hat eine Datei; nichts wurde geschrieben"},
    {"ExportMissing", "Spur %1: die Datei \"%2\" fehlt in %3; nichts wurde geschrieben"},
    {"ExportExists", "%1 gibt es schon (--overwrite ersetzt es); nichts wurde geschrieben"},
    {"BadTrackList", "\"%1\" ist keine Spurliste wie 1,3-5"},
}};

std::array<std::string, Count>& Table() {
    static std::array<std::string, Count> table = [] {
        std::array<std::string, Count> t;
        for (std::size_t i = 0; i < Count; ++i) t[i] = Entries[i].german;
        return t;
    }();
    return table;
}

}  // namespace

void InitCliTexts() {
    for (std::size_t i = 0; i < Count; ++i) Table()[i] = Entries[i].german;
}

const std::string& CliTxt(CliText text) { return Table()[static_cast<std::size_t>(text)]; }

std::string CliTxt(CliText text, const std::vector<std::string>& arguments) {
    return FillPlaceholders(CliTxt(text), arguments);
}

void SetCliTxt(CliText text, const std::string& value) { Table()[static_cast<std::size_t>(text)] = value; }

const char* CliTextKey(CliText text) { return Entries[static_cast<std::size_t>(text)].key; }

}  // namespace spurwerk
