#include "platform/x11/atoms.h"

#include <iterator>

namespace dw::x11 {

Atoms InternAtoms(Display* display) {
  const char* names[] = {
      "UTF8_STRING",
      "_NET_WM_NAME",
      "WM_PROTOCOLS",
      "WM_DELETE_WINDOW",
      "_MOTIF_WM_HINTS",
      "_NET_WM_STATE",
      "_NET_WM_STATE_SKIP_TASKBAR",
      "_NET_WM_STATE_SKIP_PAGER",
      "_NET_WM_WINDOW_TYPE",
      "_NET_WM_WINDOW_TYPE_UTILITY",
      "_NET_WM_PID",
      "_NET_WM_DESKTOP",
      "_NET_CURRENT_DESKTOP",
      "_NET_WM_WINDOW_OPACITY",
      "_NET_SUPPORTED",
      "_NET_WM_MOVERESIZE",
      "_NET_ACTIVE_WINDOW",
      "_DESKWATCH_TEXT",
      "_DESKWATCH_TIP",
      "_DESKWATCH_STATE",
      "_DESKWATCH_FOCUS",
  };
  Atom a[std::size(names)];
  XInternAtoms(display, const_cast<char**>(names), static_cast<int>(std::size(names)), False, a);
  int i = 0;
  Atoms r;
  for (Atom* field : {&r.utf8String,
                      &r.netWmName,
                      &r.wmProtocols,
                      &r.wmDeleteWindow,
                      &r.motifWmHints,
                      &r.netWmState,
                      &r.netWmStateSkipTaskbar,
                      &r.netWmStateSkipPager,
                      &r.netWmWindowType,
                      &r.netWmWindowTypeUtility,
                      &r.netWmPid,
                      &r.netWmDesktop,
                      &r.netCurrentDesktop,
                      &r.netWmWindowOpacity,
                      &r.netSupported,
                      &r.netWmMoveresize,
                      &r.netActiveWindow,
                      &r.deskwatchText,
                      &r.deskwatchTip,
                      &r.deskwatchState,
                      &r.deskwatchFocus})
    *field = a[i++];
  return r;
}

}  // namespace dw::x11
