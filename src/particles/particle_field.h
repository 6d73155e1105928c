// ParticleField: a cloud of glowing points drifting through a box in front of
// the viewer, projected in perspective and stamped as 3x3 glows that dim with
// depth. Points leaving at a side come back at the opposite side at a fresh
// random depth; points leaving through the near or far end jump to the other.
#pragma once

#include "fx/glow_brush.h"
#include "fx/shade_tables.h"
#include "image/image.h"

#include <cstdint>
#include <memory>

struct Particle {
    float x; // to the right on screen
    float y; // downward on screen
    float z; // depth, distance from the viewer
};

class ParticleField {
public:
    // Fills the cloud with three random draws per particle (x, y, z).
    ParticleField(std::int32_t extent, std::int32_t count);
    ParticleField(const ParticleField&) = delete;
    ParticleField& operator=(const ParticleField&) = delete;

    // Wraps and respawns the points, then stamps each one into the frame.
    void draw(const ShadeTables& shades, Image& frame);

    // Moves every point; the next draw brings strays back into the box.
    void shift(float dx, float dy, float dz);

    std::int32_t count() const { return particleCount; }
    std::int32_t extent() const { return boxExtent; }
    Particle* points() { return particles.get(); }
    const Particle* points() const { return particles.get(); }

private:
    // Particles handled per pass of a draw.
    static constexpr std::int32_t kChunk = 256;

    // The frame's projection constants, and the open ranges of screen
    // coordinates whose stamps are drawn: (-1, right) and (-1, bottom).
    struct View {
        float xScale;
        float yScale;
        float cx;
        float cy;
        double right;
        double bottom;
    };
    // A chunk of particles one array per axis, which have strayed from the
    // box (1) or not (0), where each lands on the screen, and whether its
    // stamp is drawn (1) or not (0).
    struct Chunk {
        float x[kChunk];
        float y[kChunk];
        float z[kChunk];
        std::int32_t stray[kChunk];
        float screenX[kChunk];
        float screenY[kChunk];
        std::int32_t inside[kChunk];
    };
    static View viewOf(const Image& frame);
    bool findStrays(std::int32_t count, Chunk& chunk) const;
    void wrap(Particle* points, std::int32_t count, Chunk& chunk) const;
    static void project(std::int32_t count, const View& view, Chunk& chunk);
    void stamp(std::int32_t count, const Chunk& chunk, Image& frame) const;

    std::unique_ptr<Particle[]> particles;
    GlowBrush glow;
    std::int32_t particleCount;
    std::int32_t boxExtent;
};
