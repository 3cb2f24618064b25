// The X atoms the backend uses, interned in one round trip.
#pragma once

#include "platform/x11/xlib.h"

namespace dw::x11 {

struct Atoms {
  Atom utf8String, netWmName, wmProtocols, wmDeleteWindow, motifWmHints;
  Atom netWmState, netWmStateSkipTaskbar, netWmStateSkipPager;
  Atom netWmWindowType, netWmWindowTypeUtility;
  Atom netWmPid, netWmDesktop, netCurrentDesktop, netWmWindowOpacity;
  Atom netSupported, netWmMoveresize, netActiveWindow;
  Atom deskwatchText, deskwatchTip, deskwatchState, deskwatchFocus;
};

Atoms InternAtoms(Display* display);

}  // namespace dw::x11
