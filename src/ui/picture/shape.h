// The window's shape from a picture: every pixel whose colour is not exactly the key colour
// stays, every key-colour pixel is cut away.
#pragma once

#include <optional>
#include <vector>

#include "platform/desktop.h"
#include "text/values.h"
#include "ui/layout.h"

namespace dw::ui {

inline constexpr Colour kShapeKey = 0xFFFFFF;

// For each pixel row, each maximal run of pixels that differ from the key in at least one of
// red, green and blue, as a rectangle one pixel high, at the picture's natural size with its
// top-left at (0, 0). Icons and cursors are drawn on white first; PNG transparency is mixed
// with the key colour. No value when the bytes are empty or do not decode.
std::optional<std::vector<platform::ShapeRect>> ShapeFromPicture(const ByteSet& picture,
                                                                 Colour key = kShapeKey);

// Cuts the main window to the shape of the picture. False, with the window left as it was,
// when the picture is empty or does not decode.
bool SetWindowShape(platform::Desktop& desktop, const ByteSet& picture, Colour key = kShapeKey);

}  // namespace dw::ui
