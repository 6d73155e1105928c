// The scaled blits walking every target pixel with two clamps and six table
// lookups.
#include "support/baseline/baseline.h"

#include "fx/blit_geometry.h"
#include "fx/float_to_int.h"

#include <algorithm>

namespace baseline {
namespace {

inline std::int32_t redOf(Pixel p) { return static_cast<std::int32_t>((p >> 16) & 0xFF); }
inline std::int32_t greenOf(Pixel p) { return static_cast<std::int32_t>((p >> 8) & 0xFF); }
inline std::int32_t blueOf(Pixel p) { return static_cast<std::int32_t>(p & 0xFF); }

template <typename Combine>
void walkRectangle(const BlitGeometry& g, const Image& source, Image& target, Combine combine)
{
    const std::int32_t sourceWidth = source.width();
    const std::int64_t lastColumn = sourceWidth - 1;
    const std::int64_t lastRow = source.height() - 1;
    const Pixel* sourcePixels = source.pixels();
    Pixel* targetPixels = target.pixels();
    const std::int32_t targetWidth = target.width();

    std::int64_t v = g.startV;
    for (std::int32_t y = g.top; y < g.bottom; ++y) {
        const Pixel* sourceRow = sourcePixels + std::min(v >> 16, lastRow) * sourceWidth;
        Pixel* targetRow = targetPixels + static_cast<std::int64_t>(y) * targetWidth;
        std::int64_t u = g.startU;
        for (std::int32_t x = g.left; x < g.right; ++x) {
            targetRow[x] = combine(sourceRow[std::min(u >> 16, lastColumn)], targetRow[x]);
            u += g.stepX;
        }
        v += g.stepY;
    }
}

bool hasPixels(const Image& image)
{
    return image.pixels() != nullptr && image.width() > 0 && image.height() > 0;
}

} // namespace

void blitAdditive(const ClampTables& tables, float cx, float cy, float width, float height,
                  const Image& source, Image& target)
{
    if (!hasPixels(source) || !hasPixels(target))
        return;
    BlitGeometry geometry;
    if (!planBlit(cx, cy, width, height, source.width(), source.height(), target.width(),
                  target.height(), geometry))
        return;

    const std::int32_t* r = tables.redTable() + kChannelTableOffset;
    const std::int32_t* g = tables.greenTable() + kChannelTableOffset;
    const std::int32_t* b = tables.blueTable() + kChannelTableOffset;
    walkRectangle(geometry, source, target, [r, g, b](Pixel s, Pixel d) {
        return static_cast<Pixel>(r[redOf(d) + redOf(s)] + g[greenOf(d) + greenOf(s)] +
                                  b[blueOf(d) + blueOf(s)]);
    });
}

void blitFaded(const ClampTables& tables, float cx, float cy, float width, float height,
               float level, const Image& source, Image& target)
{
    if (!(level >= 0.0f))
        level = 0.0f;
    const std::int32_t fade = truncToInt(255.0 - static_cast<double>(level) * 255.0);
    if (fade <= 0) {
        blitAdditive(tables, cx, cy, width, height, source, target);
        return;
    }
    if (!hasPixels(source) || !hasPixels(target))
        return;
    BlitGeometry geometry;
    if (!planBlit(cx, cy, width, height, source.width() - 1, source.height() - 1,
                  target.width(), target.height(), geometry))
        return;

    const std::int32_t* r = tables.redTable() + kChannelTableOffset;
    const std::int32_t* g = tables.greenTable() + kChannelTableOffset;
    const std::int32_t* b = tables.blueTable() + kChannelTableOffset;
    const std::int32_t* lower = tables.blueTable() + kChannelTableOffset - fade;
    walkRectangle(geometry, source, target, [r, g, b, lower](Pixel s, Pixel d) {
        const std::int32_t sr = lower[redOf(s)];
        const std::int32_t sg = lower[greenOf(s)];
        const std::int32_t sb = lower[blueOf(s)];
        return static_cast<Pixel>(r[redOf(d) + sr] + g[greenOf(d) + sg] + b[blueOf(d) + sb]);
    });
}

} // namespace baseline
