// Scene: owns every resource of the show and composes each frame from the
// clock: particles, camera flight and landscape, sprite ring, title cards on
// the timeline, and the feedback trail.
#pragma once

#include "fx/clamp_tables.h"
#include "fx/image_blur.h"
#include "fx/shade_tables.h"
#include "image/image.h"
#include "image/pcx_reader.h"
#include "particles/particle_field.h"
#include "scene/show_facts.h"
#include "terrain/voxel_terrain.h"

#include <cstdint>
#include <memory>
#include <string>

class Scene {
public:
    Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Allocates the previous frame, loads the seven pictures from the folder
    // (the working directory when empty), takes the pristine copies, blurs
    // the sprite and the terrain picture and builds the heightmap.
    bool setup(std::int32_t width, std::int32_t height, const std::string& folder = "");

    // True once set up with every picture loaded. A scene that is not ready
    // does not render: missingPicture() names the first file that could not
    // be loaded.
    bool ready() const { return previousFrame != nullptr && missingFile.empty(); }
    const std::string& missingPicture() const { return missingFile; }

    // Composes one complete frame at the clock's time and delta (DemoClock's
    // getTime and getDelta); the frame must have the set-up size.
    bool render(float clockTime, float clockDelta, Image& frame);

    // The parts of a frame, public so that each can be exercised on its own.
    void drawSpriteRing(float showTime, Image& frame);
    void drawTitle1(float localTime, Image& frame);
    void drawTitle2(float localTime, Image& frame);
    void drawTitle3(float localTime, Image& frame);
    void drawTitle4(float localTime, Image& frame);
    void drawTitle5(float localTime, Image& frame);
    void drawTimeline(float showTime, Image& frame);
    void blendWithPreviousFrame(Image& frame);

    // Read access for tools and tests.
    const Image* title(int number) const;
    const Image* sprite() const { return spriteImage.get(); }
    const Image* terrainPicture() const { return terrainMap.get(); }
    const Image& pristine1() const { return pristineTitle1; }
    const Image& pristine5() const { return pristineTitle5; }
    const std::uint8_t* heights() const { return heightmap.get(); }
    const Pixel* previous() const { return previousFrame.get(); }
    float getCameraX() const { return cameraX; }
    float getCameraY() const { return cameraY; }
    float getCameraAltitude() const { return cameraAltitude; }
    std::int32_t getHeading() const { return heading; }
    float getRestartMark() const { return restartMark; }
    const VoxelTerrain& getTerrain() const { return terrain; }

private:
    std::unique_ptr<Image> loadPicture(const std::string& folder, show::Part part);
    void restartCycleIfDue(float clockTime);
    void moveCamera(float clockTime, float clockDelta, float& dx, float& dy, float& dz);
    float titleCentreX() const;
    float titleCentreY() const;

    std::unique_ptr<PcxReader> reader;
    ClampTables clampTables;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
    ImageBlur blurrer;
    ShadeTables shadeTables;
    std::unique_ptr<ParticleField> particles;
    std::unique_ptr<Image> titleImage1;
    std::unique_ptr<Image> titleImage2;
    std::unique_ptr<Image> titleImage3;
    std::unique_ptr<Image> titleImage4;
    std::unique_ptr<Image> titleImage5;
    Image pristineTitle1;
    Image pristineTitle5;
    std::unique_ptr<Image> terrainMap;
    std::unique_ptr<Image> spriteImage;
    std::unique_ptr<Pixel[]> previousFrame;
    std::unique_ptr<std::uint8_t[]> heightmap;
    VoxelTerrain terrain;
    float cameraX = -2500.0f;
    float cameraY = -2500.0f;
    std::int32_t heading = 500;
    float cameraAltitude = 600.0f;
    float restartPeriod = show::cycleLength;
    float restartMark = 0.0f;
    std::string missingFile;
};
