# Build-time step of zephyx_embed_resources: writes OUTPUT, a C++ source holding INPUT's bytes
# after the 14-byte BMP file header and registering them as resource NAME.
cmake_minimum_required(VERSION 3.25)

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
if(length LESS 28)
    message(FATAL_ERROR "${INPUT} is too short to be a bitmap file")
endif()
string(SUBSTRING "${hex}" 0 4 signature)
if(NOT signature STREQUAL "424d")
    message(FATAL_ERROR "${INPUT} is not a bitmap file (no BM signature)")
endif()
string(SUBSTRING "${hex}" 28 -1 hex)
# Sixteen bytes to a line, then each byte as 0xNN.
string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
       "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")

file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
#include \"${HEADER}\"

namespace {
alignas(4) const uint8_t kBytes[] = {
${bytes}};
PlatformResource gResource = {\"${NAME}\", kBytes, sizeof(kBytes), false, nullptr};
[[maybe_unused]] const bool gRegistered = PlatformRegisterResource(&gResource);
}  // namespace
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
