#include "wave_image.h"

#include <cstdlib>

namespace talvik {

void WaveImage::lineTo(int x, int y) {
    // Bresenham from the pen, stopping one pixel short of the end point.
    int x0 = penX_;
    int y0 = penY_;
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        plot(x0, y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    penX_ = x;
    penY_ = y;
}

}  // namespace talvik
