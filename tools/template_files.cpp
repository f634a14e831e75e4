#include "template_files.h"

#include "effects_file.h"
#include "io/file_io.h"
#include "new_project.h"
#include "wav_writer.h"

namespace spurwerk::gen {

void WriteTemplateFiles(const std::filesystem::path& binDir) {
    std::filesystem::create_directories(binDir);
    // The R24 has no layout of its own, so both devices get the same new project.
    const Bytes project = NewProjectDocument("NEWPROJ").ZDTData();
    WriteFileAtomically(binDir / "PRJDATA_VorlageR16.ZDT", project);
    WriteFileAtomically(binDir / "PRJDATA_VorlageR24.ZDT", project);

    const Bytes effects = BuildEffectsFile(EffectsSetup{});
    WriteFileAtomically(binDir / "EFXDATA_VorlageR16.ZDT", effects);
    WriteFileAtomically(binDir / "EFXDATA_VorlageR24.ZDT", effects);

    WriteSilentWav(binDir / "WAV_Vorlage_1sec44kMONO16b.WAV", {.channels = 1, .bitsPerSample = 16});
    WriteSilentWav(binDir / "WAV_Vorlage_1sec44kSTEREO16b.WAV", {.channels = 2, .bitsPerSample = 16});
    WriteSilentWav(binDir / "WAV_Vorlage_1sec44kMONO24b.WAV", {.channels = 1, .bitsPerSample = 24});
    WriteSilentWav(binDir / "WAV_Vorlage_1sec44kSTEREO24b.WAV", {.channels = 2, .bitsPerSample = 24});
}

}  // namespace spurwerk::gen
