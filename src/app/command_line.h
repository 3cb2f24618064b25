// The two arguments the program answers, --help and --version; everything else on the
// command line is ignored.
#pragma once

#include <optional>

namespace dw {

// Prints the help or the version to standard output when the arguments ask for it and gives
// the exit code; nothing, and prints nothing, when the widget should start.
std::optional<int> HandleCommandLine(int argc, char** argv);

}  // namespace dw
