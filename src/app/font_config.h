// The fontconfig snippet of the program (fonts.conf beside this file, compiled in): it maps
// the layout's faces to fonts a Linux desktop has, whatever the user's own configuration.
#pragma once

#include <string>

namespace dw {

const std::string& FontConfigSnippet();

}  // namespace dw
