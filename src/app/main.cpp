#include "app/app.h"
#include "app/command_line.h"
#include "platform/x11/single_instance.h"

int main(int argc, char** argv) {
  if (auto code = dw::HandleCommandLine(argc, argv)) return *code;
  // One widget per display: a second start brings the running one to the front.
  dw::platform::SingleInstance instance;
  if (instance.outcome() == dw::platform::SingleInstance::Outcome::AlreadyRunning) return 0;
  return dw::ProgramEntry();
}
