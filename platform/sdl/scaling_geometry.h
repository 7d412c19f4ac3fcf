// Where the 640x480 picture goes in the window's output pixels, for each scaling mode.
//
// The SDL backend asks once per window size (PlanScaling) and once when a window opens
// (WindowedSize). Pure arithmetic: no SDL, no state, so the unit tests call it directly.
#pragma once

enum class ScaleMode {
    kInteger,  // the largest whole factor that fits, sharp, with black bars
    kFit,      // as large as fits at the picture's own aspect ratio, sharp edges
    kStretch,  // the whole output, whatever its aspect ratio
};

// Where the CPU scales, never less than twice the picture: that much every machine manages.
constexpr int kCpuMinFactor = 2;

struct ScaleRect {
    int x;
    int y;
    int width;
    int height;
    bool operator==(const ScaleRect&) const = default;
};

// How to draw the picture: blown up by the whole `nearestFactor` with nearest-neighbour
// sampling, then, when `smooth`, scaled linearly from that size into `target`. Without
// `smooth` the nearest-neighbour picture is exactly `target`'s size.
struct ScalePlan {
    ScaleRect target;
    int nearestFactor;
    bool smooth;
    bool operator==(const ScalePlan&) const = default;
};

// The plan for a picture of pictureWidth x pictureHeight shown on outputWidth x outputHeight
// pixels. `maxFactor` caps the size where scaling runs on the CPU (0: no cap): the whole
// factor, and the target of fit and stretch, which shrinks about the middle to at most
// maxFactor times the picture (fit then becomes sharp). A screen smaller than the picture
// always gets the whole picture scaled down smoothly, never a cropped one.
ScalePlan PlanScaling(ScaleMode mode, int outputWidth, int outputHeight, int pictureWidth,
                      int pictureHeight, int maxFactor);

// The largest whole factor (from kCpuMinFactor to 8) whose output, at `nanosecondsPerPixel`
// each, takes at most `budgetNanoseconds`: a factor f writes f*f times the picture's pixels.
int FactorWithinBudget(double nanosecondsPerPixel, double budgetNanoseconds, int pictureWidth,
                       int pictureHeight);

struct ScaleSize {
    int width;
    int height;
    bool operator==(const ScaleSize&) const = default;
};

// The size a window opens at: the largest whole multiple of the picture that fits nine tenths
// of the display's usable area, or on a display too small for even one, the picture's aspect
// ratio at the largest size that fits there.
ScaleSize WindowedSize(int usableWidth, int usableHeight, int pictureWidth, int pictureHeight);
