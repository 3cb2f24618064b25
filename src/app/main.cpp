#include "app/app.h"

int main() {
  return dw::ProgramEntry();
}
