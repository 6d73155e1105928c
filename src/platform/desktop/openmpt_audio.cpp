// Music on libopenmpt and an SDL2 audio device. The device's callback thread
// renders the module straight into the output buffer; the frame loop only
// starts and stops it. Everything the callback reads is changed with the
// device locked, so the two threads never see a half-made change.
#include "platform/bass.h"
#include "platform/module_file.h"

#include <SDL.h>
#include <libopenmpt/libopenmpt.h>
#include <libopenmpt/libopenmpt_version.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t layerVersion = 0x80000;

struct AudioState {
    SDL_AudioDeviceID device = 0;
    std::int32_t frequency = 0;
    openmpt_module* module = nullptr;
    std::uint32_t music = 0;
    std::uint32_t lastMusic = 0;
    bool playing = false;
};

// Trivially destructible, so that nothing is torn down under the callback
// thread when the process exits.
AudioState audio;

void renderAudio(void* user, Uint8* stream, int length)
{
    AudioState* state = static_cast<AudioState*>(user);
    const std::size_t frames = static_cast<std::size_t>(length) / (2 * sizeof(std::int16_t));
    std::size_t rendered = 0;
    if (state->playing && state->module != nullptr) {
        rendered = openmpt_module_read_interleaved_stereo(
            state->module, state->frequency, frames, reinterpret_cast<std::int16_t*>(stream));
    }
    // Past the end of a module that does not loop: silence.
    std::memset(stream + rendered * 2 * sizeof(std::int16_t), 0,
                (frames - rendered) * 2 * sizeof(std::int16_t));
}

bool librariesMatch()
{
    const std::uint32_t openmpt = openmpt_get_library_version();
    const bool openmptMatches = (openmpt >> 24) == OPENMPT_API_VERSION_MAJOR
                                && ((openmpt >> 16) & 0xFFu) >= OPENMPT_API_VERSION_MINOR;
    SDL_version compiled;
    SDL_version linked;
    SDL_VERSION(&compiled);
    SDL_GetVersion(&linked);
    const bool sdlMatches = linked.major == compiled.major
                            && SDL_VERSIONNUM(linked.major, linked.minor, linked.patch)
                                   >= SDL_VERSIONNUM(compiled.major, compiled.minor, compiled.patch);
    return openmptMatches && sdlMatches;
}

void releaseModule()
{
    SDL_LockAudioDevice(audio.device);
    openmpt_module* module = audio.module;
    audio.module = nullptr;
    audio.music = 0;
    audio.playing = false;
    SDL_UnlockAudioDevice(audio.device);
    if (module != nullptr)
        openmpt_module_destroy(module);
}

} // namespace

std::uint32_t BASS_GetVersion()
{
    return librariesMatch() ? layerVersion : 0;
}

bool BASS_Init(int device, std::uint32_t frequency, std::uint32_t /*flags*/, void* /*window*/)
{
    if (audio.device != 0 || frequency < 8000 || frequency > 192000)
        return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    const char* name = nullptr;
    if (device >= 0) {
        name = SDL_GetAudioDeviceName(device, 0);
        if (name == nullptr) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
    }
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = static_cast<int>(frequency);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    // 46 ms a buffer: through a sound server on a busy machine, buffers of
    // 23 ms (1024) now and then came too late and the server played a
    // buffer's worth of silence. Nothing in the show waits on the sound, so
    // the longer latency costs nothing.
    wanted.samples = 2048;
    wanted.callback = renderAudio;
    wanted.userdata = &audio;
    // No changes allowed: SDL converts to whatever the device wants, so the
    // callback always renders 16-bit stereo at the asked frequency.
    audio.device = SDL_OpenAudioDevice(name, 0, &wanted, nullptr, 0);
    if (audio.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    audio.frequency = static_cast<std::int32_t>(frequency);
    return true;
}

std::uint32_t BASS_MusicLoad(int memory, const char* file, std::uint32_t offset,
                             std::uint32_t length, std::uint32_t flags)
{
    if (audio.device == 0 || memory != 0 || file == nullptr)
        return 0;
    const std::vector<char> bytes = readModuleFile(file, offset, length);
    if (bytes.empty())
        return 0;
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
        openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
    if (module == nullptr)
        return 0;
    openmpt_module_set_repeat_count(module, (flags & musicLoop) != 0 ? -1 : 0);
    // One module at a time: a new one replaces the old.
    releaseModule();
    SDL_LockAudioDevice(audio.device);
    audio.module = module;
    audio.music = ++audio.lastMusic;
    SDL_UnlockAudioDevice(audio.device);
    return audio.music;
}

bool BASS_Start()
{
    if (audio.device == 0)
        return false;
    SDL_PauseAudioDevice(audio.device, 0);
    return true;
}

bool BASS_MusicPlay(std::uint32_t music)
{
    if (audio.device == 0 || music == 0 || music != audio.music)
        return false;
    SDL_LockAudioDevice(audio.device);
    openmpt_module_set_position_seconds(audio.module, 0.0);
    audio.playing = true;
    SDL_UnlockAudioDevice(audio.device);
    return true;
}

bool BASS_Stop()
{
    if (audio.device == 0)
        return false;
    SDL_PauseAudioDevice(audio.device, 1);
    return true;
}

void BASS_MusicFree(std::uint32_t music)
{
    if (audio.device != 0 && music != 0 && music == audio.music)
        releaseModule();
}

void BASS_Free()
{
    if (audio.device == 0)
        return;
    // Closing the device waits for the callback thread to finish.
    SDL_CloseAudioDevice(audio.device);
    if (audio.module != nullptr)
        openmpt_module_destroy(audio.module);
    // Handles stay unique across a new BASS_Init.
    const std::uint32_t lastMusic = audio.lastMusic;
    audio = AudioState{};
    audio.lastMusic = lastMusic;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
