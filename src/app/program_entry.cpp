// The program's life: platform, window and controls, the created handler, showing the
// window, the event loop.
#include <cstdio>

#include "app/app.h"
#include "app/data_paths.h"
#include "assets/assets.h"
#include "clock/calendar_texts.h"
#include "platform/clock.h"
#include "platform/inet/curl_inet.h"
#include "platform/x11/x11_shell.h"
#include "ui/main_layout.h"

namespace dw {

namespace {

// Routes the shell's events to the wired handlers and keeps the automation surface's state
// line current after each.
class Dispatcher : public platform::ShellEvents {
 public:
  Dispatcher(Widget& widget, platform::Shell& shell) : widget_(widget), shell_(shell) {}
  void OnControlEvent(int control, platform::ControlEvent event) override {
    if (RouteEvent(widget_, control, event)) Publish();
  }
  void Publish() { shell_.PublishState(StateSummary(widget_, shell_.AppliedAlpha())); }

 private:
  Widget& widget_;
  platform::Shell& shell_;
};

// The only global state of the program: the two values every handler shares.
GlobalState g_state;

}  // namespace

int ProgramEntry() {
  // The controls outlive the shell, which observes them.
  ui::ControlModel controls(ui::MainLayout());
  // The calendar control's date is today as it is created.
  const platform::LocalTime today = platform::ReadLocalTime();
  controls.SetCalendar(ui::name::kCalendar, CalendarTextsFor(today.year, today.month, today.day));
  std::string error;
  std::unique_ptr<platform::Shell> shell =
      platform::OpenX11Shell(LoadFontConfig(ThisProgram()), error);
  if (!shell) {
    std::fprintf(stderr, "deskwatch: %s\n", error.c_str());
    return 255;
  }
  std::unique_ptr<platform::Inet> inet = platform::MakeCurlInet();

  const auto background = assets::BackgroundPicture();
  if (!shell->CreateMainWindow(controls, ui::MainWindowLayout(),
                               ByteSet(background.begin(), background.end()))) {
    std::fprintf(stderr, "deskwatch: cannot create the main window\n");
    return 255;
  }

  Widget widget{controls, *shell, *inet, g_state};
  Dispatcher dispatcher(widget, *shell);
  OnMainWindowCreated(widget);
  dispatcher.Publish();
  shell->ShowCentred();
  shell->Run(dispatcher);
  return 0;
}

}  // namespace dw
