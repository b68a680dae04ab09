# Writes the bytes of INPUT as a C++ array named NAME into OUTPUT (run with cmake -P).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#include \"resources/images.h\"\n\nnamespace resources {\nconst std::uint8_t ${NAME}Bytes[${size}] = {\n${bytes}};\nconst platform::Bytes ${NAME}{${NAME}Bytes, ${size}};\n}  // namespace resources\n")
