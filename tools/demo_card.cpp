#include "demo_card.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "effects_file.h"
#include "io/file_io.h"
#include "io/path_text.h"
#include "new_project.h"
#include "project/track_layout.h"
#include "track_mix.h"
#include "ui/errors.h"
#include "wav_writer.h"

namespace spurwerk::gen {

namespace fs = std::filesystem;

const char* const DemoCardReadmeTitle = "Spurwerk demo card";

namespace {

struct DemoProject {
    fs::path folder;  // relative to the card
    std::string name;
    int bitsPerSample = 16;
    std::uint8_t insertPosition = 0;
    bool insertRecordingWet = false;
    std::vector<std::pair<int, TrackMix>> tracks;  // track number and mix; unlisted tracks are off
    std::vector<int> stereoPairs;                  // odd track number of each linked pair
    std::string masterWav;
    std::vector<std::int32_t> marks;               // ascending
    std::optional<EffectsSetup> effects;
    std::vector<std::pair<std::string, SilentWav>> audio;  // files in AUDIO
};

using TS = TrackStatus;

SilentWav Mono16(std::uint32_t ms) { return {.channels = 1, .bitsPerSample = 16, .durationMs = ms}; }
SilentWav Stereo16(std::uint32_t ms) { return {.channels = 2, .bitsPerSample = 16, .durationMs = ms}; }

std::vector<DemoProject> DemoProjects() {
    std::vector<DemoProject> projects;

    // Marks end exactly at the longest recording (TRACK02.WAV, 4500 ms).
    projects.push_back({
        .folder = "PROJ001",
        .name = "SONG1",
        .insertPosition = 8,  // insert effect on track 1
        .tracks = {
            {1, {.fader = 100, .pan = 40, .reverb = 30, .reverbOn = true,
                 .high = {true, 12, 3}, .wavName = "TRACK01.WAV"}},
            {2, {.fader = 90, .pan = 64, .chorus = 20, .chorusOn = true, .reverb = 25, .reverbOn = true,
                 .mid = {true, 17, -4}, .midQuality = 2, .wavName = "TRACK02.WAV"}},
            {3, {.fader = 105, .pan = 0, .wavName = "TRACK03.WAV"}},
            {4, {.fader = 105, .pan = 100, .invert = true, .wavName = "TRACK04.WAV"}},
            {5, {.status = TS::Record, .fader = 80}},
        },
        .stereoPairs = {3},
        .masterWav = "MASTR001.WAV",
        .marks = {1000, 2500, 4500},
        .effects = EffectsSetup{.insertNumber = 3, .insertName = "Comp", .chorusNumber = 2,
                                .chorusName = "Chorus", .reverbNumber = 1, .reverbName = "Hall1",
                                .insertOff = false},
        .audio = {
            {"TRACK01.WAV", Mono16(3000)},
            {"TRACK02.WAV", Mono16(4500)},
            {"TRACK03.WAV", Mono16(2000)},
            {"TRACK04.WAV", Mono16(2000)},
            {"MASTR001.WAV", Stereo16(1500)},
        },
    });

    // 24-bit project; BASS.WAV is assigned but missing; two marks lie after
    // the longest recording (GESANG.WAV, 5000 ms).
    projects.push_back({
        .folder = "PROJ002",
        .name = "BALLADE",
        .bitsPerSample = 24,
        .insertPosition = 2,  // insert effect on input 3
        .tracks = {
            {1, {.fader = 110, .reverb = 45, .reverbOn = true,
                 .high = {true, 14, -2}, .mid = {true, 12, 5}, .midQuality = 6, .low = {true, 3, 4},
                 .wavName = "GESANG.WAV"}},
            {2, {.fader = 95, .pan = 30, .chorus = 35, .chorusOn = true, .wavName = "GITARRE.WAV"}},
            {3, {.fader = 100, .pan = 0, .reverb = 20, .reverbOn = true, .wavName = "PIANO.WAV"}},
            {4, {.fader = 100, .pan = 100}},
            {5, {.status = TS::Off, .fader = 70, .wavName = "BASS.WAV"}},
            {7, {.status = TS::Off, .fader = 0}},
            {8, {.status = TS::Off, .fader = 0}},
        },
        .stereoPairs = {3, 7},
        .marks = {2000, 4000, 6500, 8000},
        .effects = EffectsSetup{.insertNumber = 10, .insertName = "Vocal", .chorusNumber = 4,
                                .chorusName = "Ensemble", .reverbNumber = 3, .reverbName = "Plate",
                                .insertOff = false, .chorusOff = true},
        .audio = {
            {"GESANG.WAV", {.channels = 1, .bitsPerSample = 24, .durationMs = 5000}},
            {"GITARRE.WAV", {.channels = 1, .bitsPerSample = 16, .durationMs = 3500, .listChunk = true}},
            {"PIANO.WAV", {.channels = 2, .bitsPerSample = 24, .durationMs = 2500}},
        },
    });

    // No effects file; marks before the end of the longest recording (2000 ms).
    projects.push_back({
        .folder = "PROJ003",
        .name = "LIVE 03",
        .insertRecordingWet = true,
        .tracks = {
            {1, {.fader = 127, .wavName = "DRUMS.WAV"}},
            {2, {.status = TS::Record, .fader = 95, .pan = 44, .wavName = "BASS.WAV"}},
            {3, {.fader = 88, .pan = 56, .chorus = 15, .chorusOn = true, .reverb = 60, .reverbOn = true,
                 .low = {true, 5, -6}, .wavName = "VOX.WAV"}},
            {11, {.status = TS::Record, .fader = 100}},
            {15, {.status = TS::Off, .fader = 64, .pan = 20}},
            {16, {.status = TS::Off, .fader = 64, .pan = 80}},
        },
        .stereoPairs = {15},
        .marks = {500, 1250},
        .audio = {
            {"DRUMS.WAV", Stereo16(2000)},
            {"BASS.WAV", Mono16(2000)},
            {"VOX.WAV", Mono16(1800)},
            {"TAKE2.WAV", Mono16(500)},
        },
    });

    // An old project in a nested backup folder, without marks.
    projects.push_back({
        .folder = fs::path("BACKUP") / "2024" / "PROJ010",
        .name = "ALT2024",
        .tracks = {{1, {.wavName = "SPUR01.WAV"}}},
        .audio = {{"SPUR01.WAV", Mono16(1000)}},
    });

    // A deleted project in a hidden folder; searches must not find it.
    projects.push_back({
        .folder = fs::path(".Trash") / "PROJ004",
        .name = "GELOESCH",
        .tracks = {{1, {}}},
    });

    return projects;
}

void WritePlayMarks(ZDTDocument& doc, const std::vector<std::int32_t>& marks) {
    for (std::size_t i = 0; i < marks.size(); ++i)
        doc.WriteZDTLong(layout::MarkTableOffset + layout::MarkSlotSize * i, static_cast<std::uint32_t>(marks[i]));
    doc.WriteZDTByte(layout::MarkCountOffset, static_cast<std::uint8_t>(marks.size()));
}

void WriteProject(const fs::path& cardDir, const DemoProject& project) {
    const fs::path folder = cardDir / project.folder;
    fs::create_directories(folder);

    ZDTDocument doc = NewProjectDocument(project.name, project.bitsPerSample);
    for (int strip = 0; strip < layout::TrackCount; ++strip)
        WriteTrackMix(doc, strip, TrackMix{.status = TrackStatus::Off});
    for (const auto& [track, mix] : project.tracks) WriteTrackMix(doc, track - 1, mix);
    for (int track : project.stereoPairs) WriteStereoLink(doc, track - 1, true);
    WriteWavName(doc, layout::MasterWavNameOffset, project.masterWav);
    doc.WriteZDTByte(layout::InsertPositionOffset, project.insertPosition);
    doc.WriteZDTByte(layout::InsertRecordingFlagOffset, project.insertRecordingWet ? 1 : 0);
    WritePlayMarks(doc, project.marks);
    WriteFileAtomically(folder / "PRJDATA.ZDT", doc.ZDTData());

    if (project.effects) WriteFileAtomically(folder / "EFXDATA.ZDT", BuildEffectsFile(*project.effects));

    if (project.audio.empty()) return;
    fs::create_directories(folder / "AUDIO");
    for (const auto& [fileName, format] : project.audio) WriteSilentWav(folder / "AUDIO" / fileName, format);
}

std::string ReadmeText() {
    return std::string(DemoCardReadmeTitle) +
           "\r\n\r\nGenerated at build time; every build replaces this folder.\r\n"
           "The projects hold silent recordings only.\r\n";
}

bool IsReplaceableCard(const fs::path& cardDir) {
    if (!fs::exists(cardDir)) return true;
    if (!fs::is_directory(cardDir)) return false;
    if (fs::is_empty(cardDir)) return true;
    const fs::path readme = cardDir / "README.TXT";
    if (!IsRegularFile(readme)) return false;
    const Bytes head = ReadFileHead(readme, std::string(DemoCardReadmeTitle).size());
    return std::string(head.begin(), head.end()) == DemoCardReadmeTitle;
}

}  // namespace

void WriteDemoCard(const fs::path& cardDir) {
    if (!IsReplaceableCard(cardDir))
        throw FileError("Will not replace \"" + PathText(cardDir) + "\": it is not an empty folder or a demo card");
    fs::remove_all(cardDir);
    fs::create_directories(cardDir);
    for (const DemoProject& project : DemoProjects()) WriteProject(cardDir, project);
    WriteFileAtomically(cardDir / "README.TXT", ReadmeText());
}

}  // namespace spurwerk::gen
