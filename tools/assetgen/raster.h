// Drawing into one rectangular cell of a sheet. Everything drawn through a Cell is clipped to
// it, so a sprite can never spill into its neighbour's frame. Coordinates are the cell's own.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "indexed_image.h"
#include "palette.h"

struct Point {
    double x, y;
};

class Cell {
public:
    Cell(IndexedImage& image, int left, int top, int width, int height)
        : image_(image), left_(left), top_(top), width_(width), height_(height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Put(int x, int y, uint8_t c) {
        if (Inside(x, y)) {
            image_.Set(left_ + x, top_ + y, c);
        }
    }
    uint8_t Get(int x, int y) const {
        return Inside(x, y) ? image_.At(left_ + x, top_ + y) : kClear;
    }
    bool Painted(int x, int y) const { return Get(x, y) != kClear; }

    void FillRect(int x0, int y0, int x1, int y1, uint8_t c);  // inclusive corners
    void Line(double x0, double y0, double x1, double y1, uint8_t c);
    // Calls shade(nx, ny) for every pixel whose centre lies inside the ellipse, with the
    // pixel's offset from the centre scaled to -1..1; a return of kClear leaves it alone.
    void Ellipse(double cx, double cy, double rx, double ry,
                 const std::function<uint8_t(double nx, double ny)>& shade);
    void Polygon(const std::vector<Point>& points, uint8_t c);
    // Draws `c` on every clear pixel that touches a painted one (4-neighbours).
    void Outline(uint8_t c);
    // Rows of characters; each character is looked up in `legend` ("x=..." pairs), '.' and
    // ' ' are left alone.
    void Stamp(int x, int y, const std::vector<const char*>& rows,
               const std::function<uint8_t(char)>& legend);

private:
    IndexedImage& image_;
    int left_, top_, width_, height_;
};

// Level of a ramp for a lit sphere at normalised offset (nx, ny), light from the upper left.
int SphereLevel(double nx, double ny, int darkest, int brightest);
