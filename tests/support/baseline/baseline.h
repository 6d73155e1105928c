// Straightforward builds of the per-frame effects, kept as they were written
// first: one table lookup per channel, one pixel at a time, everything
// recomputed where it is used. The benchmarks time them next to the effects
// of the show on identical inputs, and the equivalence tests require both to
// produce the very same pixels.
#pragma once

#include "fx/clamp_tables.h"
#include "fx/shade_tables.h"
#include "image/image.h"
#include "particles/particle_field.h"
#include "terrain/voxel_terrain.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace baseline {

// ClampTables::blitAdditive and blitFaded through the tables of `tables`.
void blitAdditive(const ClampTables& tables, float cx, float cy, float width, float height,
                  const Image& source, Image& target);
void blitFaded(const ClampTables& tables, float cx, float cy, float width, float height,
               float level, const Image& source, Image& target);

// ImageBlur::blur.
void blur(Image& image);

// GlowBrush::stamp.
void stamp(std::int32_t x, std::int32_t y, const ShadeTables& shades, std::int32_t intensity,
           Image& target);

// ParticleField::draw on the points of `field` (wraps, respawns, stamps).
void drawParticles(ParticleField& field, const ShadeTables& shades, Image& frame);

// VoxelTerrain::render with the tables and altitude of `terrain`.
void renderTerrain(const VoxelTerrain& terrain, std::int32_t width, std::int32_t height,
                   std::int32_t cameraX, std::int32_t cameraY, std::int32_t heading,
                   const std::uint8_t* heightmap, const std::uint32_t* colourMap,
                   std::uint32_t* destination);

// Scene::blendWithPreviousFrame: the trail over count pixels.
void blendTrail(Pixel* pixels, Pixel* previous, std::size_t count);

// PcxReader::load; the palette read goes to palette (768 values).
std::unique_ptr<Image> loadPcx(std::int32_t width, std::int32_t height, const char* fileName,
                               std::int32_t* palette);

} // namespace baseline
