// Xlib for the backend's files. The widget's own headers come first: Xlib defines None,
// Bool and Status as macros, which would break names of ours declared after it.
#pragma once

#include "ui/interaction/interaction.h"
#include "ui/picture/animation.h"
#include "ui/picture/picture.h"

#include <X11/Xlib.h>
