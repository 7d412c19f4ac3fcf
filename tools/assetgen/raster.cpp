#include "raster.h"

#include <algorithm>
#include <cmath>

void Cell::FillRect(int x0, int y0, int x1, int y1, uint8_t c) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            Put(x, y, c);
        }
    }
}

void Cell::Line(double x0, double y0, double x1, double y1, uint8_t c) {
    const double dx = x1 - x0, dy = y1 - y0;
    const int steps = std::max(1, int(std::ceil(std::max(std::fabs(dx), std::fabs(dy)))));
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        Put(int(std::floor(x0 + dx * t)), int(std::floor(y0 + dy * t)), c);
    }
}

void Cell::Ellipse(double cx, double cy, double rx, double ry,
                   const std::function<uint8_t(double, double)>& shade) {
    const int x0 = int(std::floor(cx - rx)), x1 = int(std::ceil(cx + rx));
    const int y0 = int(std::floor(cy - ry)), y1 = int(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny <= 1.0) {
                const uint8_t c = shade(nx, ny);
                if (c != kClear) {
                    Put(x, y, c);
                }
            }
        }
    }
}

void Cell::Polygon(const std::vector<Point>& points, uint8_t c) {
    double minY = 1e9, maxY = -1e9;
    for (const Point& p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    for (int y = int(std::floor(minY)); y <= int(std::ceil(maxY)); ++y) {
        const double sy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < points.size(); ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            for (int x = int(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; ++x) {
                Put(x, y, c);
            }
        }
    }
}

void Cell::Outline(uint8_t c) {
    std::vector<std::pair<int, int>> edge;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!Painted(x, y) && (Painted(x - 1, y) || Painted(x + 1, y) || Painted(x, y - 1) ||
                                   Painted(x, y + 1))) {
                edge.emplace_back(x, y);
            }
        }
    }
    for (auto [x, y] : edge) {
        Put(x, y, c);
    }
}

void Cell::Stamp(int x, int y, const std::vector<const char*>& rows,
                 const std::function<uint8_t(char)>& legend) {
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int col = 0; rows[r][col]; ++col) {
            const char ch = rows[r][col];
            if (ch != '.' && ch != ' ') {
                Put(x + col, y + int(r), legend(ch));
            }
        }
    }
}

int SphereLevel(double nx, double ny, int darkest, int brightest) {
    const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    // Light from the upper left and towards the viewer.
    const double lx = -0.45, ly = -0.55, lz = 0.70;
    double lit = nx * lx + ny * ly + nz * lz;
    lit = std::clamp(lit, 0.0, 1.0);
    return darkest + int(std::lround((brightest - darkest) * lit));
}
