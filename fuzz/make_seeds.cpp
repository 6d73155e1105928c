// Writes the seed corpora of the two fuzz targets: the show's pictures at
// their sizes, truncated and corrupted copies, and the small files at the
// loader's boundaries (header, palette); for the scene, good and damaged
// picture sets with clock jumps that reach every title card and the restart.
// Usage: kelvor-fuzz-seeds FOLDER (writes FOLDER/pcx and FOLDER/scene).
#include "fuzz_inputs.h"
#include "pcx_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes truncated(const Bytes& bytes, std::size_t size)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(size, bytes.size())));
}

// Every 61st byte after the header flipped: broken runs and stray indices.
Bytes corrupted(Bytes bytes)
{
    for (std::size_t i = 128; i < bytes.size(); i += 61)
        bytes[i] ^= 0xA5;
    return bytes;
}

// A header, the given index stream, the marker and a grey palette.
Bytes withStream(const Bytes& stream)
{
    Bytes bytes(128, 0);
    bytes[0] = 0x0A;
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    bytes.push_back(0x0C);
    for (int k = 0; k < 256; ++k)
        bytes.insert(bytes.end(), 3, static_cast<std::uint8_t>(k));
    return bytes;
}

Bytes repeated(std::initializer_list<std::uint8_t> unit, std::size_t times)
{
    Bytes bytes;
    for (std::size_t i = 0; i < times; ++i)
        bytes.insert(bytes.end(), unit);
    return bytes;
}

class SeedWriter {
public:
    explicit SeedWriter(std::string folder) : folder(std::move(folder))
    {
        std::filesystem::create_directories(this->folder);
    }

    void write(const std::string& name, const Bytes& bytes)
    {
        if (!writeFileAtomically(folder + "/" + name, bytes)) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name.c_str());
            std::exit(1);
        }
        total += bytes.size();
    }

    std::size_t total = 0;

private:
    std::string folder;
};

// The loader picks the size from byte 0, so each picture is marked with its own.
Bytes forLoaderAt(int number, Bytes bytes)
{
    if (!bytes.empty())
        bytes[0] = static_cast<std::uint8_t>(number - 1);
    return bytes;
}

void writeLoaderSeeds(SeedWriter& seeds, const std::vector<Bytes>& pictures)
{
    for (int number = 1; number <= showPictureCount; ++number) {
        const Bytes& good = pictures[number - 1];
        const std::string stem = "data" + std::to_string(number);
        seeds.write(stem + "-good", forLoaderAt(number, good));
        seeds.write(stem + "-header-only", forLoaderAt(number, truncated(good, 128)));
        seeds.write(stem + "-half", forLoaderAt(number, truncated(good, good.size() / 2)));
        seeds.write(stem + "-corrupted", forLoaderAt(number, corrupted(good)));
        // The two large pictures only once without their palette: the seeds stay small.
        if (good.size() < 32768)
            seeds.write(stem + "-no-palette", forLoaderAt(number, truncated(good, good.size() - 769)));
    }
    seeds.write("empty", {});
    seeds.write("one-byte", {0x0A});
    seeds.write("header-127", Bytes(127, 0));
    seeds.write("palette-767", Bytes(767, 0x11));
    seeds.write("palette-768", Bytes(768, 0x22));
    seeds.write("palette-769", Bytes(769, 0x33));
    // Runs of length 0, runs past the end of the picture, and index 0 both ways.
    seeds.write("zero-length-runs", withStream(repeated({0xC0, 0x05}, 3000)));
    seeds.write("runs-past-end", forLoaderAt(6, withStream(repeated({0xFF, 0x07}, 100))));
    seeds.write("index-zero", forLoaderAt(3, withStream(repeated({0x00, 0xC5, 0x00, 0xC1, 0xC3}, 500))));
}

void writeSceneSeed(SeedWriter& seeds, const std::string& name, std::uint8_t mask, bool missing,
                    std::array<std::uint16_t, SceneInput::frameCount> jumps, const Bytes& picture)
{
    SceneInput input;
    input.pictureMask = mask;
    input.missing = missing;
    input.jumps = jumps;
    input.picture = picture;
    seeds.write(name, encodeSceneInput(input));
}

void writeSceneSeeds(SeedWriter& seeds, const std::vector<Bytes>& pictures)
{
    // Clock jumps in milliseconds; about 0.0007 clock units each.
    const std::array<std::uint16_t, 4> start{0, 0, 0, 0};
    const std::array<std::uint16_t, 4> card1{31500, 3000, 3000, 3000};   // show time 22 to 28
    const std::array<std::uint16_t, 4> cards234{60000, 4000, 8000, 8000}; // 42 to 56
    const std::array<std::uint16_t, 4> card5{65535, 20000, 20000, 10000}; // 46 to 81: restart
    const std::array<std::uint16_t, 4> jumpsFor[7] = {card1, cards234, cards234, cards234,
                                                       card5, start, start};

    writeSceneSeed(seeds, "all-good-start", 0, false, start, {});
    writeSceneSeed(seeds, "all-good-card1", 0, false, card1, {});
    writeSceneSeed(seeds, "all-good-cards234", 0, false, cards234, {});
    writeSceneSeed(seeds, "all-good-card5", 0, false, card5, {});
    writeSceneSeed(seeds, "all-empty", 0x7F, false, card5, {});
    writeSceneSeed(seeds, "data7-missing", 0x40, true, start, {});
    for (int number = 1; number <= showPictureCount; ++number) {
        const Bytes& good = pictures[number - 1];
        const auto mask = static_cast<std::uint8_t>(1 << (number - 1));
        const std::string stem = "data" + std::to_string(number);
        writeSceneSeed(seeds, stem + "-half", mask, false, jumpsFor[number - 1],
                       truncated(good, good.size() / 2));
        if (good.size() < 32768)
            writeSceneSeed(seeds, stem + "-corrupted", mask, false, jumpsFor[number - 1], corrupted(good));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<Bytes> pictures;
    for (int number = 1; number <= showPictureCount; ++number)
        pictures.push_back(showFileBytes(showPicture(number)));

    SeedWriter loaderSeeds(folder + "/pcx");
    writeLoaderSeeds(loaderSeeds, pictures);
    SeedWriter sceneSeeds(folder + "/scene");
    writeSceneSeeds(sceneSeeds, pictures);
    std::printf("seeds: %zu bytes for the loader, %zu bytes for the scene\n", loaderSeeds.total,
                sceneSeeds.total);
    return 0;
}
