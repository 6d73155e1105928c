// The two scaled additive blits of ClampTables. Both walk the source in 16.16
// fixed point, nearest neighbour, and add it to the target with saturation
// at 255, no branch and no float per pixel.
//
// Every target row of one call samples the same source columns, so the
// columns are worked out once per call; and neighbouring target rows often
// sample the same source row (cards stretched tall), so a sampled row is
// gathered once into a small buffer and added to each target row that uses
// it. The gathers and adds are the pixel rows of pixel_rows.h.
#include "fx/blit_geometry.h"
#include "fx/clamp_tables.h"
#include "fx/float_to_int.h"
#include "fx/pixel_rows.h"

#include <algorithm>

namespace {

// Target columns handled per pass over the rows; wider rectangles take
// several passes, so the buffers below never need to grow.
constexpr std::int32_t kChunkColumns = 512;

// The source column of each of count target columns, walking the 16.16
// accumulator from u by step. Past the last source column (which happens
// only when an edge falls exactly on a whole number) the walk repeats the
// last column: the count of columns inside is worked out first, so the loop
// needs no clamp per column.
void planColumns(std::int64_t u, std::int64_t step, std::int32_t count, std::int64_t lastColumn,
                 std::int32_t* columns)
{
    const std::int64_t lastInside = (lastColumn << 16) | 0xFFFF;
    std::int64_t inside = count;
    if (u > lastInside)
        inside = 0;
    else if (step > 0)
        inside = std::min<std::int64_t>(count, (lastInside - u) / step + 1);

    std::int32_t i = 0;
    for (; i < inside; ++i, u += step)
        columns[i] = static_cast<std::int32_t>(u >> 16);
    for (; i < count; ++i)
        columns[i] = static_cast<std::int32_t>(lastColumn);
}

// The rows of one chunk of columns through an instruction set that plans
// its sampling once per blit: the source row of every target row is worked
// out first, kPlannedRows rows at a time.
constexpr std::int32_t kPlannedRows = 256;

void addPlannedRows(const BlitGeometry& g, const Image& source, Image& target, std::int32_t left,
                    const std::int32_t* columns, std::int32_t count, std::uint32_t fade,
                    SampledRowsAdd addSampled)
{
    const std::int32_t sourceWidth = source.width();
    const std::int64_t lastRow = source.height() - 1;
    const std::int32_t targetWidth = target.width();
    const Pixel* sourceRows[kPlannedRows];
    std::int64_t v = g.startV;
    for (std::int32_t top = g.top; top < g.bottom; top += kPlannedRows) {
        const std::int32_t rowCount = std::min(kPlannedRows, g.bottom - top);
        for (std::int32_t r = 0; r < rowCount; ++r, v += g.stepY)
            sourceRows[r] = source.pixels() + std::min(v >> 16, lastRow) * sourceWidth;
        addSampled(target.pixels() + static_cast<std::int64_t>(top) * targetWidth + left, targetWidth,
                   sourceRows, rowCount, sourceWidth, columns, count, fade);
    }
}

// Walks the clipped rectangle and adds every source pixel it samples, each
// channel first lowered by fade, to the target pixel. The sampled row is
// held inside the source like the column. A source row that serves several
// target rows in a row is gathered once; one that serves a single target row
// is gathered and added in the same pass.
void walkRectangle(const BlitGeometry& g, const Image& source, Image& target, std::uint32_t fade)
{
    const std::int32_t sourceWidth = source.width();
    const std::int64_t lastColumn = sourceWidth - 1;
    const std::int64_t lastRow = source.height() - 1;
    const Pixel* sourcePixels = source.pixels();
    Pixel* targetPixels = target.pixels();
    const std::int32_t targetWidth = target.width();

    const BlitRows rows = blitRows();
    std::int32_t columns[kChunkColumns];
    Pixel sampled[kChunkColumns];
    for (std::int32_t left = g.left; left < g.right; left += kChunkColumns) {
        const std::int32_t count = std::min(kChunkColumns, g.right - left);
        planColumns(g.startU + (left - g.left) * g.stepX, g.stepX, count, lastColumn, columns);
        if (rows.addSampled != nullptr) {
            addPlannedRows(g, source, target, left, columns, count, fade, rows.addSampled);
            continue;
        }

        std::int64_t v = g.startV;
        std::int64_t sampledRow = -1;
        for (std::int32_t y = g.top; y < g.bottom; ++y, v += g.stepY) {
            Pixel* targetRow = targetPixels + static_cast<std::int64_t>(y) * targetWidth + left;
            const std::int64_t sourceRow = std::min(v >> 16, lastRow);
            if (sourceRow == sampledRow) {
                rows.add(targetRow, sampled, count);
                continue;
            }
            const Pixel* row = sourcePixels + sourceRow * sourceWidth;
            const bool nextRowSame =
                y + 1 < g.bottom && std::min((v + g.stepY) >> 16, lastRow) == sourceRow;
            if (!nextRowSame) {
                rows.addGathered(targetRow, row, sourceWidth, columns, count, fade);
                continue;
            }
            rows.gather(sampled, row, sourceWidth, columns, count, fade);
            sampledRow = sourceRow;
            rows.add(targetRow, sampled, count);
        }
    }
}

bool hasPixels(const Image& image)
{
    return image.pixels() != nullptr && image.width() > 0 && image.height() > 0;
}

} // namespace

void ClampTables::blitAdditive(float cx, float cy, float width, float height,
                               const Image& source, Image& target) const
{
    if (!hasPixels(source) || !hasPixels(target))
        return;
    BlitGeometry geometry;
    if (!planBlit(cx, cy, width, height, source.width(), source.height(), target.width(),
                  target.height(), geometry))
        return;
    walkRectangle(geometry, source, target, 0);
}

void ClampTables::blitFaded(float cx, float cy, float width, float height, float level,
                            const Image& source, Image& target) const
{
    if (!(level >= 0.0f))
        level = 0.0f;
    const std::int32_t fade = truncToInt(255.0 - static_cast<double>(level) * 255.0);
    if (fade <= 0) {
        blitAdditive(cx, cy, width, height, source, target);
        return;
    }
    if (!hasPixels(source) || !hasPixels(target))
        return;
    BlitGeometry geometry;
    if (!planBlit(cx, cy, width, height, source.width() - 1, source.height() - 1,
                  target.width(), target.height(), geometry))
        return;

    // A level of 0 or more keeps the fade within 1..255.
    walkRectangle(geometry, source, target, static_cast<std::uint32_t>(fade));
}
