#include "module_audio.h"

#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

bool readWholeFile(const std::string& path, std::vector<char>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

void putLittle(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

} // namespace

std::int64_t musicSampleAt(long frames, int fps)
{
    return static_cast<std::int64_t>(frames) * kAudioRate / fps;
}

bool renderModuleAudio(const std::string& modulePath, std::int64_t first, std::int64_t count,
                       std::vector<std::int16_t>& interleaved, std::string& error)
{
    std::vector<char> bytes;
    if (!readWholeFile(modulePath, bytes) || bytes.empty()) {
        error = "cannot read the music " + modulePath;
        return false;
    }
    int openError = 0;
    const char* message = nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), nullptr, nullptr, nullptr, nullptr, &openError, &message,
        nullptr);
    if (module == nullptr) {
        error = "cannot load the music " + modulePath + (message ? std::string(": ") + message : "");
        openmpt_free_string(message);
        return false;
    }
    openmpt_free_string(message);
    openmpt_module_set_repeat_count(module, -1); // the show loops its music forever

    // Skip to the first sample frame by rendering, so that what is heard is
    // exactly what plays from the module's start.
    constexpr std::size_t kChunk = 4096;
    std::vector<std::int16_t> scratch(2 * kChunk);
    std::int64_t skip = first;
    while (skip > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(skip, kChunk));
        openmpt_module_read_interleaved_stereo(module, kAudioRate, want, scratch.data());
        skip -= static_cast<std::int64_t>(want);
    }

    interleaved.assign(static_cast<std::size_t>(2 * count), 0);
    std::int64_t done = 0;
    while (done < count) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count - done, kChunk));
        const std::size_t got = openmpt_module_read_interleaved_stereo(
            module, kAudioRate, want, interleaved.data() + 2 * done);
        if (got == 0)
            break; // the rest stays silent
        done += static_cast<std::int64_t>(got);
    }
    openmpt_module_destroy(module);
    return true;
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& interleaved,
              std::string& error)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
    std::vector<unsigned char> header;
    header.insert(header.end(), {'R', 'I', 'F', 'F'});
    putLittle(header, 36 + dataBytes, 4);
    header.insert(header.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittle(header, 16, 4);
    putLittle(header, 1, 2); // PCM
    putLittle(header, 2, 2); // stereo
    putLittle(header, kAudioRate, 4);
    putLittle(header, kAudioRate * 4, 4);
    putLittle(header, 4, 2);
    putLittle(header, 16, 2);
    header.insert(header.end(), {'d', 'a', 't', 'a'});
    putLittle(header, dataBytes, 4);

    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path;
        return false;
    }
    // Samples are stored little-endian, as this machine holds them.
    bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
                   std::fwrite(interleaved.data(), 2, interleaved.size(), file) == interleaved.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot write " + path + " (disk full?)";
        return false;
    }
    return true;
}
