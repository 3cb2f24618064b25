// The data file lookup: beside the program first, so a relocated installation uses its own
// files; the compiled-in copy last, so the widget always has its font mapping.
#include "app/data_paths.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "app/font_config.h"

#ifndef DESKWATCH_DATADIR
#define DESKWATCH_DATADIR ""
#endif
#ifndef DESKWATCH_BUILD_DIR
#define DESKWATCH_BUILD_DIR ""
#endif
#ifndef DESKWATCH_SOURCE_DIR
#define DESKWATCH_SOURCE_DIR ""
#endif

namespace dw {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxConfigBytes = 1 << 20;  // a font mapping is a few hundred bytes

bool IsInside(const fs::path& path, const fs::path& dir) {
  if (dir.empty() || path.empty()) return false;
  const fs::path relative = path.lexically_normal().lexically_relative(dir.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

DataPathContext ThisProgram() {
  DataPathContext context;
  std::error_code error;
  // Linux names the running program's file here, whatever argv[0] says.
  context.executable = fs::read_symlink("/proc/self/exe", error);
  if (error) context.executable.clear();
  context.installDataDir = DESKWATCH_DATADIR;
  context.buildDir = DESKWATCH_BUILD_DIR;
  context.sourceDir = DESKWATCH_SOURCE_DIR;
  return context;
}

std::vector<fs::path> FontConfigCandidates(const DataPathContext& context) {
  std::vector<fs::path> candidates;
  if (context.executable.is_absolute()) {
    candidates.push_back(context.executable.parent_path().parent_path() / "share" / "deskwatch" /
                         "fonts.conf");
  }
  if (IsInside(context.executable, context.buildDir)) {
    if (!context.sourceDir.empty())
      candidates.push_back(context.sourceDir / "src" / "app" / "fonts.conf");
  } else if (!context.installDataDir.empty()) {
    const fs::path configured = context.installDataDir / "fonts.conf";
    if (candidates.empty() || candidates.front() != configured) candidates.push_back(configured);
  }
  return candidates;
}

std::string LoadFontConfig(const DataPathContext& context) {
  for (const fs::path& candidate : FontConfigCandidates(context)) {
    std::error_code error;
    if (!fs::is_regular_file(candidate, error)) continue;
    const auto size = fs::file_size(candidate, error);
    if (error || size == 0 || size > kMaxConfigBytes) continue;
    std::ifstream in(candidate, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || text.empty()) continue;
    return text;
  }
  return FontConfigSnippet();
}

}  // namespace dw
