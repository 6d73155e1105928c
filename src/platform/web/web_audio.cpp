// Music in the browser: libopenmpt runs in an AudioWorklet (the player,
// kelvor_music.worklet.js) and renders the module on the audio thread; this
// side only hands it the module's bytes and starts and stops it. Opening
// the output and loading the module wait for the player's answer, as the
// desktop calls do, so the start-up order stays the same.
#include "platform/bass.h"
#include "platform/module_file.h"

#include <emscripten.h>

#include <vector>

namespace {

constexpr std::uint32_t layerVersion = 0x80000;

struct AudioState {
    bool open = false;
    std::uint32_t music = 0;
    std::uint32_t lastMusic = 0;
};

AudioState audio;

} // namespace

// clang-format off
EM_ASYNC_JS(int, pageAudioOpen, (), {
    return await Module.page.audioOpen();
});
EM_ASYNC_JS(int, pageAudioLoad, (const char* bytes, int length, int loop), {
    return await Module.page.audioLoad(HEAPU8.slice(bytes, bytes + length), loop !== 0);
});
EM_JS(void, pageAudioCommand, (const char* command), {
    Module.page.audioCommand(UTF8ToString(command));
});
// clang-format on

// The player is part of the site, built for this layer.
std::uint32_t BASS_GetVersion()
{
    return layerVersion;
}

bool BASS_Init(int /*device*/, std::uint32_t frequency, std::uint32_t /*flags*/, void* /*window*/)
{
    if (audio.open || frequency < 8000 || frequency > 192000)
        return false;
    audio.open = pageAudioOpen() != 0;
    return audio.open;
}

std::uint32_t BASS_MusicLoad(int memory, const char* file, std::uint32_t offset,
                             std::uint32_t length, std::uint32_t flags)
{
    if (!audio.open || memory != 0 || file == nullptr)
        return 0;
    const std::vector<char> bytes = readModuleFile(file, offset, length);
    if (bytes.empty())
        return 0;
    if (pageAudioLoad(bytes.data(), static_cast<int>(bytes.size()), (flags & musicLoop) != 0 ? 1 : 0) == 0)
        return 0;
    audio.music = ++audio.lastMusic;
    return audio.music;
}

bool BASS_Start()
{
    if (!audio.open)
        return false;
    pageAudioCommand("start");
    return true;
}

bool BASS_MusicPlay(std::uint32_t music)
{
    if (!audio.open || music == 0 || music != audio.music)
        return false;
    pageAudioCommand("play");
    return true;
}

bool BASS_Stop()
{
    if (!audio.open)
        return false;
    pageAudioCommand("stop");
    return true;
}

void BASS_MusicFree(std::uint32_t music)
{
    if (audio.open && music != 0 && music == audio.music) {
        pageAudioCommand("free");
        audio.music = 0;
    }
}

void BASS_Free()
{
    if (!audio.open)
        return;
    pageAudioCommand("close");
    audio = AudioState{};
}
