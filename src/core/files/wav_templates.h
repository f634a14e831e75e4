#pragma once
// New projects get their effects file and their missing WAV files as copies of
// ready-made template files.

#include <string>
#include <vector>

#include "files/project_files_context.h"

namespace spurwerk {

// The template for the track on `stripIndex`: mono unless the strip is the
// all-strip (the master track) or its track pair is stereo-linked; 24-bit when
// the project records 24 bits.
const std::string& WavTemplateFor(const TemplateFiles& templates, const Bytes& document, int stripIndex,
                                  int trackCount);

// The names assigned to the strips 0 to trackCount (the last one the all-strip
// with the master file name), trimmed; empty where none is assigned or the
// name holds a path separator.
std::vector<std::string> AssignedWavNames(const Bytes& document, int trackCount);

// Copies the device's effects template to dir + "EFXDATA.ZDT" unless that file
// exists; a failed copy is not reported. `dir` ends with a separator.
void EnsureEFXFile(ProjectFilesContext& context, const std::string& dir);

// Creates every assigned but missing WAV file of the project in `audioDir`
// (with trailing separator) from its template, asking per file; with
// `reportFirst` a list of the assignments is shown first. Returns the number
// of files created.
int CreateMissingWavFiles(ProjectFilesContext& context, const std::string& audioDir, bool reportFirst);

}  // namespace spurwerk
