#include "QZ_GRADIENT.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

int MulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

namespace {

using Channels = std::array<int, 3>;

Channels Split(TColor c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }

TPixel Join(const Channels& c) { return ColorToPixel(MakeColor(c[0], c[1], c[2])); }

// One palette entry: `from` moved by numerator * (to - from) / denominator.
TPixel Blend(const Channels& from, const Channels& delta, int numerator, int denominator, int sign) {
    Channels out{};
    for (int ch = 0; ch < 3; ++ch)
        out[ch] = from[ch] + sign * (numerator * delta[ch] / denominator);
    return Join(out);
}

}  // namespace

TGradientPalette BuildPalette(TColor start, TColor end, int shift, int rotation) {
    shift = std::clamp(shift, -kGradientPercentLimit, kGradientPercentLimit);
    rotation = std::clamp(rotation, -kGradientPercentLimit, kGradientPercentLimit);
    Channels s = Split(start);
    Channels e = Split(end);
    for (int ch = 0; ch < 3; ++ch) {
        const int moved = MulDiv(e[ch] - s[ch], shift, 100);
        if (shift > 0)
            s[ch] += moved;
        else if (shift < 0)
            e[ch] += moved;
    }
    Channels d{};
    for (int ch = 0; ch < 3; ++ch)
        d[ch] = e[ch] - s[ch];

    TGradientPalette palette{};
    const int m = MulDiv(255, rotation, 100);
    if (m == 0) {
        for (int i = 0; i < 256; ++i)
            palette[i] = Blend(s, d, i, 255, +1);
    } else if (m > 0) {
        const int k = 255 - m;
        for (int i = 0; i < k; ++i)
            palette[i] = Blend(s, d, i, k, +1);
        for (int i = k; i < 256; ++i)
            palette[i] = Blend(s, d, 255 - i, m, +1);
    } else {
        const int n = -m;
        for (int i = 0; i <= n; ++i)
            palette[i] = Blend(e, d, i, n, -1);
        for (int i = n + 1; i < 256; ++i)
            palette[i] = Blend(e, d, 255 - i, 255 - n, -1);
    }
    return palette;
}

namespace {

int RoundedDistance(int dx, int dy) {
    return static_cast<int>(std::lround(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
}

struct TemplateShape {
    int width;
    int height;
    std::function<int(int x, int y)> index;
};

// The radial shapes mirror one 181-pixel quarter; written here as the index
// of every pixel of the whole template.
TemplateShape ShapeOf(TQZGradientType type) {
    switch (type) {
    case gtRadialC:
        return {362, 362,
                [](int x, int y) { return RoundedDistance(180 - std::min(x, 361 - x), 180 - std::min(y, 361 - y)); }};
    case gtRadialT: return {362, 181, [](int x, int y) { return RoundedDistance(x <= 180 ? 180 - x : x - 181, y); }};
    case gtRadialB:
        return {362, 181, [](int x, int y) { return RoundedDistance(x <= 180 ? 180 - x : x - 181, 180 - y); }};
    case gtRadialL: return {181, 362, [](int x, int y) { return RoundedDistance(x, 180 - std::min(y, 361 - y)); }};
    case gtRadialR:
        return {181, 362, [](int x, int y) { return RoundedDistance(180 - x, 180 - std::min(y, 361 - y)); }};
    case gtRadialTL: return {181, 181, [](int x, int y) { return RoundedDistance(x, y); }};
    case gtRadialTR: return {181, 181, [](int x, int y) { return RoundedDistance(180 - x, y); }};
    case gtRadialBL: return {181, 181, [](int x, int y) { return RoundedDistance(x, 180 - y); }};
    case gtRadialBR: return {181, 181, [](int x, int y) { return RoundedDistance(180 - x, 180 - y); }};
    case gtLinearH: return {256, 1, [](int x, int) { return x; }};
    case gtLinearV: return {1, 256, [](int, int y) { return y; }};
    case gtReflectedH: return {1, 512, [](int, int y) { return y <= 255 ? 255 - y : y - 256; }};
    case gtReflectedV: return {512, 1, [](int x, int) { return x <= 255 ? 255 - x : x - 256; }};
    case gtDiagonalLF: return {128, 129, [](int x, int y) { return x + y; }};
    case gtDiagonalLB: return {128, 129, [](int x, int y) { return y - x + 127; }};
    case gtDiagonalRF: return {256, 256, [](int x, int y) { return std::abs(x + y - 255); }};
    case gtDiagonalRB: return {256, 256, [](int x, int y) { return std::abs(x - y); }};
    case gtArrowL: return {129, 256, [](int x, int y) { return y <= 127 ? 255 - x - y : y - x; }};
    case gtArrowR: return {129, 256, [](int x, int y) { return y <= 127 ? x - y + 127 : x + y - 128; }};
    case gtArrowU: return {256, 129, [](int x, int y) { return x <= 127 ? 255 - x - y : x - y; }};
    case gtArrowD: return {256, 129, [](int x, int y) { return x <= 127 ? y - x + 127 : x + y - 128; }};
    case gtDiamond:
        return {256, 256, [](int x, int y) {
                    if (y <= 127)
                        return x <= 127 ? 255 - x - y : x - y;
                    return x <= 127 ? y - x : x + y - 255;
                }};
    case gtButterfly:
        return {256, 256, [](int x, int y) {
                    if (y <= 127)
                        return x <= 127 ? x - y + 128 : 383 - x - y;
                    return x <= 127 ? x + y - 128 : y - x + 128;
                }};
    case gtLight:
        return {1, 256, [](int, int y) {
                    if (y <= 127)
                        return y;
                    return y == 128 ? 255 : 255 - (y - 127) / 2;
                }};
    }
    return {0, 0, nullptr};
}

}  // namespace

TGradientTemplate RenderTemplate(TQZGradientType type, const TGradientPalette& palette) {
    const TemplateShape shape = ShapeOf(type);
    TGradientTemplate image;
    image.Width = shape.width;
    image.Height = shape.height;
    image.Pixels.reserve(static_cast<std::size_t>(shape.width) * shape.height);
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            image.Pixels.push_back(palette[std::clamp(shape.index(x, y), 0, 255)]);
    return image;
}

int NearestSource(int target, int targetSize, int sourceSize) {
    if (targetSize <= 1 || sourceSize <= 1)
        return 0;
    const std::int64_t span = static_cast<std::int64_t>(target) * (sourceSize - 1);
    return static_cast<int>((2 * span + (targetSize - 1)) / (2 * (targetSize - 1)));
}
