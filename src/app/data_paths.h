// Where the program finds the data files it installs beside itself (the font mapping), so
// an installed copy, a relocated one and one run straight from the build tree all find
// theirs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dw {

// The facts the lookup goes by: the running program's path and the paths the build knew.
struct DataPathContext {
  std::filesystem::path executable;      // absolute; empty when unknown
  std::filesystem::path installDataDir;  // e.g. /usr/local/share/deskwatch
  std::filesystem::path buildDir;        // the build tree the program was built in
  std::filesystem::path sourceDir;       // the source tree it was built from
};

// The running program as the build configured it.
DataPathContext ThisProgram();

// Candidate paths of the font mapping, best first: beside the program (PREFIX/bin/.. →
// PREFIX/share/deskwatch/fonts.conf); then, for a program in its build tree, the source
// tree's copy, else the configured install prefix's.
std::vector<std::filesystem::path> FontConfigCandidates(const DataPathContext& context);

// The text of the first candidate that can be read, else the copy compiled into the
// program.
std::string LoadFontConfig(const DataPathContext& context);

}  // namespace dw
