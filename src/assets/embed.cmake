# Turns one file into a C++ source holding its bytes: cmake -DINPUT=… -DOUTPUT=… -DSYMBOL=…
# -P embed.cmake. Run at build time, so the program always carries the committed pictures.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR count "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the one long line every 32 bytes so compilers and editors stay comfortable.
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT_NAME} at build time; do not edit.\n"
  "#include <cstddef>\n#include <cstdint>\n"
  "namespace dw::assets::data {\n"
  "extern const std::uint8_t ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}Size;\n"
  "alignas(16) const std::uint8_t ${SYMBOL}[] = {\n${bytes}\n};\n"
  "const std::size_t ${SYMBOL}Size = ${count};\n}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
