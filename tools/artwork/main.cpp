// deskwatch-artwork OUTDIR: draws the widget's three pictures into OUTDIR (background.png,
// shape.png, astronaut.gif). The same program always writes the same bytes.
#include <cstdio>
#include <fstream>
#include <string>

#include "artwork.h"

namespace {

bool Write(const std::string& path, const artwork::Bytes& bytes) {
  if (bytes.empty()) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: deskwatch-artwork OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = Write(dir + "/shape.png", artwork::EncodePng(artwork::DrawShape()));
  ok = Write(dir + "/background.png", artwork::EncodePng(artwork::DrawBackground())) && ok;
  ok = Write(dir + "/astronaut.gif", artwork::EncodeGif(artwork::DrawAstronaut())) && ok;
  if (!ok) std::fprintf(stderr, "deskwatch-artwork: could not write the pictures to %s\n", argv[1]);
  return ok ? 0 : 1;
}
