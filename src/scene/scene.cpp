// Scene construction and the one-time set-up: load the pictures, keep the
// pristine copies of the two cards that blur while they play, soften the
// sprite and the terrain picture, and build the heightmap.
#include "scene/scene.h"

#include <cstring>

namespace {

constexpr std::int32_t kParticleExtent = 400;
constexpr std::int32_t kParticleCount = 6000;
constexpr std::int32_t kMapSize = 256;
static_assert(show::file(show::Part::terrain).width == kMapSize &&
                  show::file(show::Part::terrain).height == kMapSize,
              "the heightmap is the terrain picture's blue bytes");

} // namespace

Scene::Scene()
    : reader(new PcxReader), particles(new ParticleField(kParticleExtent, kParticleCount))
{
}

std::unique_ptr<Image> Scene::loadPicture(const std::string& folder, show::Part part)
{
    const show::File& file = show::file(part);
    const char* name = file.name;
    const std::string path = folder.empty() ? std::string(name) : folder + "/" + name;
    std::unique_ptr<Image> picture = reader->load(file.width, file.height, path.c_str());
    if (!picture && missingFile.empty())
        missingFile = name;
    return picture;
}

bool Scene::setup(std::int32_t width, std::int32_t height, const std::string& folder)
{
    screenWidth = width;
    screenHeight = height;
    const std::size_t frameSize =
        width > 0 && height > 0 ? static_cast<std::size_t>(width) * static_cast<std::size_t>(height) : 0;
    previousFrame.reset(new Pixel[frameSize]());
    missingFile.clear();

    titleImage1 = loadPicture(folder, show::Part::title1);
    titleImage2 = loadPicture(folder, show::Part::title2);
    titleImage3 = loadPicture(folder, show::Part::title3);
    titleImage4 = loadPicture(folder, show::Part::title4);
    titleImage5 = loadPicture(folder, show::Part::title5);
    spriteImage = loadPicture(folder, show::Part::sprite);

    // The copies are taken before any blur touches the cards.
    if (titleImage1) {
        pristineTitle1.resize(titleImage1->width(), titleImage1->height());
        titleImage1->copyPixelsTo(pristineTitle1.pixels());
    }
    if (titleImage5) {
        pristineTitle5.resize(titleImage5->width(), titleImage5->height());
        titleImage5->copyPixelsTo(pristineTitle5.pixels());
    }

    if (spriteImage) {
        for (int pass = 0; pass < 3; ++pass)
            blurrer.blur(*spriteImage);
    }

    terrainMap = loadPicture(folder, show::Part::terrain);
    heightmap.reset(new std::uint8_t[kMapSize * kMapSize]());
    if (terrainMap) {
        blurrer.blur(*terrainMap);
        blurrer.blur(*terrainMap);
        // Heights are the blue bytes of the softened picture.
        const Pixel* colours = terrainMap->pixels();
        for (int i = 0; i < kMapSize * kMapSize; ++i)
            heightmap[i] = static_cast<std::uint8_t>(colours[i] & 0xFF);
    }
    return ready();
}

const Image* Scene::title(int number) const
{
    switch (number) {
    case 1: return titleImage1.get();
    case 2: return titleImage2.get();
    case 3: return titleImage3.get();
    case 4: return titleImage4.get();
    case 5: return titleImage5.get();
    default: return nullptr;
    }
}
