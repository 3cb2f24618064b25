// --help and --version: short English texts on standard output.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>

#ifndef DESKWATCH_VERSION
#define DESKWATCH_VERSION "unknown"
#endif

namespace dw {

namespace {

constexpr const char kHelp[] =
    "Usage: deskwatch [--help | --version]\n"
    "A round watch-face widget for the X11 desktop: LCD clock, Chinese lunar date,\n"
    "weather from a web search page. Drag the face to move it, Esc closes it, Enter\n"
    "lengthens the weather refresh period. One widget runs per display: starting it\n"
    "again brings the running one to the front.\n"
    "\n"
    "Environment:\n"
    "  DISPLAY                 the X display to open\n"
    "  DESKWATCH_SEARCH_HOST   host[:port] of the search page the weather is read from\n"
    "                          (default www.baidu.com)\n"
    "  DESKWATCH_CA_FILE       a PEM file of certificates to trust besides the system's\n"
    "  DESKWATCH_INSECURE_TLS  1: do not verify server certificates (unsafe)\n"
    "  XDG_STATE_HOME          the cookie file is $XDG_STATE_HOME/deskwatch/cookies.txt\n"
    "                          (default ~/.local/state)\n"
    "\n"
    "See deskwatch(1).\n";

constexpr const char kVersion[] = "deskwatch " DESKWATCH_VERSION "\n";

// 0 when the whole text reached standard output, 1 when it did not (a full disk, a closed
// pipe): a failed print is no success.
int Print(const char* text) {
  const std::size_t length = std::strlen(text);
  const bool written = std::fwrite(text, 1, length, stdout) == length;
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) return Print(kHelp);
    if (std::strcmp(argv[i], "--version") == 0) return Print(kVersion);
  }
  return std::nullopt;
}

}  // namespace dw
