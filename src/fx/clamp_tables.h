// ClampTables: saturating channel tables whose entries already stand in
// their place in a pixel, so a clamped sum of two pixels is the plain sum of
// three lookups; and the two scaled additive blits, which compute the same
// saturation with packed channel arithmetic (packed_channels.h).
#pragma once

#include "fx/channel_tables.h"
#include "image/image.h"

#include <cstdint>
#include <memory>

class ClampTables {
public:
    ClampTables();
    ClampTables(const ClampTables&) = delete;
    ClampTables& operator=(const ClampTables&) = delete;

    // Stretches the whole source onto the width x height rectangle centred
    // on (cx, cy) and adds it to the target with saturation at 255.
    void blitAdditive(float cx, float cy, float width, float height,
                      const Image& source, Image& target) const;

    // As blitAdditive, at a brightness level from 0 (nothing) to 1 (full):
    // every source channel is first lowered by 255 - 255 * level.
    void blitFaded(float cx, float cy, float width, float height, float level,
                   const Image& source, Image& target) const;

    const std::int32_t* redTable() const { return red.get(); }
    const std::int32_t* greenTable() const { return green.get(); }
    const std::int32_t* blueTable() const { return blue.get(); }

private:
    std::unique_ptr<std::int32_t[]> red;   // clamped value << 16
    std::unique_ptr<std::int32_t[]> green; // clamped value << 8
    std::unique_ptr<std::int32_t[]> blue;  // clamped value
};
