# Writes a C++ source defining FontConfigSnippet() with the bytes of INPUT.
file(READ ${INPUT} content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${content}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT_NAME}.\n#include \"app/font_config.h\"\n"
     "namespace dw {\nnamespace { const char kBytes[] = {${bytes} 0}; }\n"
     "const std::string& FontConfigSnippet() {\n"
     "  static const std::string text(kBytes, sizeof kBytes - 1);\n  return text;\n}\n}\n")
