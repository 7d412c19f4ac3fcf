#include <cstdarg>
#include <cstdio>

#include <windows.h>

namespace {
// wsprintfA never writes more than this many characters, terminator excluded.
constexpr size_t kWsprintfLimit = 1024;
}  // namespace

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    int written = vsnprintf(buffer, kWsprintfLimit + 1, format, args);
    va_end(args);
    if (written < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return written > static_cast<int>(kWsprintfLimit) ? static_cast<int>(kWsprintfLimit) : written;
}
