// The X11 backend of the shell: Xlib windows, XShape, cairo and pango.
#pragma once

#include <memory>
#include <string>

#include "platform/shell.h"

namespace dw::platform {

// Opens the display named by $DISPLAY and loads the fontconfig snippet (XML text) that maps
// the layout's font faces. Null, with a one-line reason in `error`, when the display cannot
// be opened.
std::unique_ptr<Shell> OpenX11Shell(const std::string& fontConfig, std::string& error);

}  // namespace dw::platform
