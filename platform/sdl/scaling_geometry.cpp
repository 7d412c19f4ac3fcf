#include "scaling_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

int CeilDiv(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

int CapFactor(int factor, int maxFactor) {
    return std::max(1, maxFactor > 0 ? std::min(factor, maxFactor) : factor);
}

ScaleRect Centred(int width, int height, int outputWidth, int outputHeight) {
    return {(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

// The largest rectangle at the picture's aspect ratio that fits the output, centred.
ScaleRect FitRect(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight) {
    // Compared by cross-multiplying, so 4:3 outputs give exact sizes.
    if (static_cast<long long>(outputWidth) * pictureHeight <=
        static_cast<long long>(outputHeight) * pictureWidth) {
        int height =
            static_cast<int>(static_cast<long long>(outputWidth) * pictureHeight / pictureWidth);
        return Centred(outputWidth, height, outputWidth, outputHeight);
    }
    int width =
        static_cast<int>(static_cast<long long>(outputHeight) * pictureWidth / pictureHeight);
    return Centred(width, outputHeight, outputWidth, outputHeight);
}

// Where scaling runs on the CPU every output pixel of a smooth scale costs: the target is
// kept within maxFactor times the picture, shrunk about its centre at its own aspect ratio.
ScaleRect CapTarget(ScaleRect target, int pictureWidth, int pictureHeight, int maxFactor) {
    int maxWidth = pictureWidth * maxFactor;
    int maxHeight = pictureHeight * maxFactor;
    if (maxFactor <= 0 || (target.width <= maxWidth && target.height <= maxHeight)) {
        return target;
    }
    double shrink = std::min(double(maxWidth) / target.width, double(maxHeight) / target.height);
    int width = std::max(1, int(target.width * shrink + 0.5));
    int height = std::max(1, int(target.height * shrink + 0.5));
    return {target.x + (target.width - width) / 2, target.y + (target.height - height) / 2, width,
            height};
}

// Nearest-neighbour up to the first whole factor that covers `target`, then linear down to it;
// a target that is itself a whole multiple needs no linear step.
ScalePlan SharpThenSmooth(ScaleRect target, int pictureWidth, int pictureHeight, int maxFactor) {
    target = CapTarget(target, pictureWidth, pictureHeight, maxFactor);
    int covering =
        std::max(CeilDiv(target.width, pictureWidth), CeilDiv(target.height, pictureHeight));
    int factor = CapFactor(covering, maxFactor);
    bool exact = target.width == pictureWidth * factor && target.height == pictureHeight * factor;
    return {target, factor, !exact};
}

}  // namespace

ScalePlan PlanScaling(ScaleMode mode, int outputWidth, int outputHeight, int pictureWidth,
                      int pictureHeight, int maxFactor) {
    if (outputWidth <= 0 || outputHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return {{0, 0, 0, 0}, 1, false};
    }
    ScaleRect fit = FitRect(outputWidth, outputHeight, pictureWidth, pictureHeight);
    switch (mode) {
        case ScaleMode::kStretch:
            return SharpThenSmooth({0, 0, outputWidth, outputHeight}, pictureWidth, pictureHeight,
                                   maxFactor);
        case ScaleMode::kFit:
            return SharpThenSmooth(fit, pictureWidth, pictureHeight, maxFactor);
        case ScaleMode::kInteger:
            break;
    }
    int whole = std::min(outputWidth / pictureWidth, outputHeight / pictureHeight);
    if (whole == 0) {
        return {fit, 1, true};
    }
    int factor = CapFactor(whole, maxFactor);
    return {Centred(pictureWidth * factor, pictureHeight * factor, outputWidth, outputHeight),
            factor, false};
}

int FactorWithinBudget(double nanosecondsPerPixel, double budgetNanoseconds, int pictureWidth,
                       int pictureHeight) {
    const int kLargestFactor = 8;  // no display is larger
    if (!(nanosecondsPerPixel > 0) || pictureWidth <= 0 || pictureHeight <= 0) {
        return kCpuMinFactor;
    }
    const double pixels = budgetNanoseconds / nanosecondsPerPixel;
    const double factor = std::sqrt(pixels / (double(pictureWidth) * pictureHeight));
    return std::clamp(int(factor), kCpuMinFactor, kLargestFactor);
}

ScaleSize WindowedSize(int usableWidth, int usableHeight, int pictureWidth, int pictureHeight) {
    int roomWidth = usableWidth * 9 / 10;
    int roomHeight = usableHeight * 9 / 10;
    int factor = std::min(roomWidth / pictureWidth, roomHeight / pictureHeight);
    if (factor >= 1) {
        return {pictureWidth * factor, pictureHeight * factor};
    }
    ScaleRect fit =
        FitRect(std::max(1, roomWidth), std::max(1, roomHeight), pictureWidth, pictureHeight);
    return {std::max(1, fit.width), std::max(1, fit.height)};
}
