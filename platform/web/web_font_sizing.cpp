#include "web_font_sizing.h"

#include <cstring>

namespace {

// From the faces' OS/2 tables: usWinAscent and usWinDescent in units of the em.
struct WindowsMetrics {
    const char* family;
    double unitsPerEm;
    double winAscent;
    double winDescent;
};

constexpr WindowsMetrics kKnownFaces[] = {
    {"IPAMincho", 2048, 1802, 455},
    {"IPAPMincho", 2048, 1802, 455},
};

}  // namespace

bool ScaleBrowserFace(const char* family, double browserAscent, double browserDescent, long height,
                      FontScale* scale) {
    for (const WindowsMetrics& face : kKnownFaces) {
        if (std::strcmp(face.family, family) == 0) {
            return ScaleFontToHeight(height, face.winAscent, face.winDescent, face.unitsPerEm,
                                     scale);
        }
    }
    return ScaleFontToHeight(height, browserAscent, browserDescent, 1.0, scale);
}
