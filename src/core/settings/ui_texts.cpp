#include "settings/ui_texts.h"

#include "text/placeholders.h"

#include <array>

#include "text/ascii.h"

namespace spurwerk {

namespace {

constexpr std::size_t Count = static_cast<std::size_t>(UiText::Count);

struct Entry {
    const char* key;
    const char* german;
};

constexpr std::array<Entry, Count> Entries{{
    {"MessageOk", "OK"},
    {"MessageCancel", "Abbrechen"},
    {"MessageYes", "&Ja"},
    {"MessageNo", "&Nein"},
    {"MessageYesToAll", "Ja, &alle"},
    {"MessageNoToAll", "N&ein, keine"},
    {"MenuOpen", "Öffnen"},
    {"MenuShowInFileManager", "Im Dateimanager zeigen"},
    {"MenuCopyPath", "Pfad kopieren"},
    {"MenuWavInfo", "WAV-Info ..."},
    {"HistCaption", "History-Eingabe"},
    {"HistPrompt", "Eingabe:"},
    {"HistOk", "&OK"},
    {"HistCancel", "&Abbrechen"},
    {"HistBrowse", "&Suchen ..."},
    {"HistDeleteMissing", "&löschen"},
    {"HistMissingEntries", "nicht-existente Einträge:"},
    {"HistFindFile", "Datei suchen"},
    {"HistAllFiles", "alle Dateien"},
    {"HistFileNotFound", "Die Datei \"%1\" wurde nicht gefunden!"},
    {"TimedCaption", "Eingabe:"},
    {"TimedMessageCaption", "Meldung"},
    {"TimedOk", "&Ok"},
    {"TimedNo", "&Nein"},
    {"TimedCancel", "&Abbruch"},
    {"TimedRemaining", "verbleibende Zeit [sec]:"},
    {"TimedInvalidInput", "Ungültige Eingabe für die Eingabemaske."},
    {"TitleMain", "Zoom-Projekt:  Hexadezimale Ansicht"},
    {"TitleMixer", "Projekt - Einstellungen"},
    {"TitleFileList", "Datei-Liste ZDT"},
    {"TitleSeries", "Projekt-Serie"},
    {"SeriesFolderHint",
     "Für das ZoomRxx-Gerät müssen die Projekte als \"PROJnnn.ZDT\"-Dateien im Root der SD-Karte angelegt werden!"},
    {"SearchPrompt", "Suche nach Datei-/Projekt-Name:"},
    {"SearchWavFilter", "Filter: Audio-Dat. (.WAV)"},
    {"SearchZdtFilter", "Filter: .&ZDT-Projekt-Dateien"},
    {"R24Fallback",
     "!!! Achtung:  Die Einstellungen für das Zoom-R24-Gerät \r\n"
     "              sind noch nicht implementiert, da mir noch unbekannt! \r\n"
     "Es werden stattdessen die Positionen der Projekt-Parameter aus der Datei \r\n"
     "\"PRJDATA.ZDT\" für das Zoom-R16-Gerät genommen !!  (Maximal 16 Tracks!) \r\n"
     "(Setzen Sie die Geräte-Einstellung (Datei \"Spurwerk.INI\", Option \"DevIsZoomR24\"\r\n"
     " vorläufig auf 0, Sie erhalten dann diese Meldung nicht mehr.)"},
    {"MarkTableFull", "Die Marken-Tabelle ist voll (%1 Marken): Es kann keine Marke am Projekt-Ende gesetzt werden."},
    {"TitleTrackView", "Spuransicht"},
    {"MenuTrackView", "Spuransicht ... (Strg+T)"},
    {"MenuPlay", "Abspielen"},
    {"TrackViewStop", "Stopp"},
    {"TrackViewFit", "Einpassen"},
    {"TrackViewSetMark", "Marke setzen"},
    {"TrackViewDeleteMark", "Marke löschen"},
    {"TrackViewMoveMark", "Marke verschieben"},
    {"TrackViewPreviewNote", "Vorhören: Fader und Pan, ohne EQ und Effekte"},
    {"TrackViewNoOutput", "Keine Audio-Ausgabe vorhanden"},
    {"TrackViewNoFile", "keine WAV-Datei"},
    {"TrackViewReading", "Lese Wellenformen ..."},
    {"ArchiveExists", "Archiv \"%1\" existiert schon! Überschreiben?"},
    {"RestoreExists", "Projekt-Ordner \"%1\" existiert schon! Überschreiben?\r\n(Der ganze Ordner wird durch das Archiv ersetzt!)"},
    {"ArchiveTargetPrompt", "Ordner für die Archive wählen (nicht auf der Karte):"},
    {"ArchiveRemoveQuestion", "Projekt-Ordner nach dem Archivieren von der Karte löschen?\r\n(Nur wenn das Archiv geschrieben und vollständig geprüft ist.)"},
    {"ArchiveProgress", "Archivieren und prüfen ..."},
    {"ArchiveDone", "Archive geschrieben und geprüft:\r\n%1"},
    {"ArchiveNoProject", "Bitte Zeilen mit Projekt-Dateien wählen!"},
    {"RestoreOpenCaption", "Archiv zurückholen"},
    {"RestoreCardPrompt", "Karte (Hauptordner) wählen, auf die das Projekt zurückkommt:"},
    {"RestoreNumberPrompt", "Projektnummer (PROJnnn), unter der das Archiv zurückkommt:"},
    {"RestoreProgress", "Zurückholen und prüfen ..."},
    {"RestoreDone", "Projekt zurückgeholt nach \"%1\" (jede Datei geprüft)."},
    {"ExternalChangeQuestion",
     "Die Datei \"%1\" wurde von einem anderen Programm geändert, seit Spurwerk sie geladen oder gespeichert hat.\r\n\r\n"
     "Neu laden: die Datei wird neu geladen, Ihre Änderungen hier gehen verloren.\r\n"
     "Überschreiben: Ihre Fassung ersetzt die Datei, die andere Änderung geht verloren.\r\n"
     "Abbrechen: nichts wird gespeichert."},
    {"ExternalChangeReload", "Neu laden"},
    {"ExternalChangeOverwrite", "Überschreiben"},
    {"QtLanguage", "de"},
    {"NotAnInteger", "'%1' ist kein gültiger ganzzahliger Wert."},
    {"MoreLines", "… und %1 weitere"},
    {"SliderReset", "Auf Standardwert setzen"},
    {"HistMissingEntry", ""},
    {"SearchFound", ""},
    {"SearchFoundOne", ""},
    {"SearchFolderPrompt", ""},
    {"SeriesQuestion", ""},
    {"WavListHeader", ""},
    {"WavListHeaderOne", ""},
    {"StepStatus", "Status"},
    {"StepFile", "Datei"},
    {"StepPan", "Pan"},
    {"StepStereo", "Stereo"},
    {"StepEqHigh", "EQ Höhen"},
    {"StepEqMid", "EQ Mitte"},
    {"StepEqLow", "EQ Tiefen"},
    {"StepReverb", "Reverb"},
    {"StepChorus", "Chorus"},
    {"StepFader", "Fader"},
    {"StepInvert", "Invert"},
    {"StepEqHighHz", "EQ Höhen Frequenz"},
    {"StepEqMidHz", "EQ Mitte Frequenz"},
    {"StepEqLowHz", "EQ Tiefen Frequenz"},
    {"StepEqMidQuality", "EQ Mitte Güte"},
    {"StepRecord", "Aufnahme"},
    {"StepPlay", "Wiedergabe"},
    {"StepMute", "stumm"},
    {"StepOn", "an"},
    {"StepOff", "aus"},
    {"StepEmpty", "(leer)"},
    {"StepTrack", "Track %1"},
    {"StepTracks", "Tracks %1"},
    {"StepMaster", "Master"},
    {"StepProjectName", "Projekt-Name"},
    {"StepTrackCount", "Trackzahl"},
    {"StepCopied", "%1 kopiert"},
    {"StepMarkAtEnd", "Marke am Projekt-Ende gesetzt"},
    {"StepMarksAfterEnd", "Marken nach dem Aufnahme-Ende gelöscht"},
    {"StepAllMarks", "Alle Marken gelöscht"},
    {"RuleUnreadable", "kein lesbarer WAV-Kopf"},
    {"RuleNotPcm", "kein PCM"},
    {"RuleSampleRate", "nicht 44,1 kHz"},
    {"RuleBitDepth", "nicht 16 oder 24 Bit"},
    {"RuleChannels", "mehr als zwei Kanäle"},
    {"RuleNameLength", "Name länger als 8 Zeichen"},
    {"RuleNameCharacters", "Name mit anderen Zeichen als A-Z, a-z, 0-9, -, _ und Leerzeichen"},
    {"ImportCannotDecode", "\"%1\" kann nicht als Audio gelesen werden"},
    {"ImportNoFile", "keine Datei"},
    {"ImportEmpty", "\"%1\" enthält keine Audio-Daten"},
    {"ImportTooManyChannels", "\"%1\" hat %2 Kanäle; der Recorder nimmt nur Mono und Stereo"},
    {"ImportNameTaken", "Der Name \"%1\" ist vergeben oder leer; nichts wurde geschrieben"},
    {"ConversionUnavailable", "Audio-Umwandlung gibt es in diesem Build nicht (ohne libsndfile/libsoxr gebaut)"},
    {"StepImported", "Audio importiert"},
    {"MenuImportAudio", "Audio importieren …"},
    {"MenuExportTracks", "Spuren exportieren …"},
    {"ImportStereoQuestion", "\"%1\" ist stereo.\r\n\r\nJa: auf die Spuren %2+%3, die dafür verbunden werden\r\nNein: zu Mono gemischt auf Spur %4\r\nAbbrechen: nichts importieren"},
    {"AudioJobRunning", "Audio wird umgewandelt …"},
    {"ExportOverwrite", "%1 Dateien gibt es schon in diesem Ordner. Ersetzen?"},
    {"ExportFormatPrompt", "Format der exportierten Dateien"},
    {"TrackViewOutputFormat", "die Ausgabe nimmt kein 16-Bit-Stereo mit %1 Hz"},
    {"TrackViewOutputFailed", "die Audio-Ausgabe konnte nicht geöffnet werden"},
    {"TrackViewNoMultimedia", "ohne Qt Multimedia gebaut"},
    {"TrackViewNoPlaybackModule", "die Wiedergabe-Bibliothek lässt sich nicht laden: %1"},
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

void InitUiTexts() {
    for (std::size_t i = 0; i < Count; ++i) Table()[i] = Entries[i].german;
}

const std::string& UiTxt(UiText text) { return Table()[static_cast<std::size_t>(text)]; }

void SetUiTxt(UiText text, const std::string& value) { Table()[static_cast<std::size_t>(text)] = value; }

std::string UiTxt(UiText text, const std::string& argument) {
    std::string result = UiTxt(text);
    if (auto at = result.find("%1"); at != std::string::npos) result.replace(at, 2, argument);
    return result;
}

std::string UiSentence(UiText text, const std::vector<std::string>& arguments, const std::string& joined) {
    const std::string& sentence = UiTxt(text);
    return sentence.empty() ? joined : FillPlaceholders(sentence, arguments);
}

const char* UiTextKey(UiText text) { return Entries[static_cast<std::size_t>(text)].key; }

std::string QtLanguageCodeFor(const std::string& languageName) {
    static const std::array<std::pair<const char*, const char*>, 14> names{{
        {"Deutsch", "de"}, {"German", "de"}, {"English", "en"}, {"Englisch", "en"}, {"Francais", "fr"},
        {"Français", "fr"}, {"French", "fr"}, {"Espanol", "es"}, {"Español", "es"}, {"Spanish", "es"},
        {"Italiano", "it"}, {"Italian", "it"}, {"Nederlands", "nl"}, {"Dutch", "nl"},
    }};
    for (const auto& [name, code] : names)
        if (EqualsIgnoreCase(languageName, name)) return code;
    return "";
}

}  // namespace spurwerk
