// libFuzzer target for the scene: set up from a folder in which some of the
// seven pictures are replaced by the input's bytes (or missing), then four
// frames rendered after clock jumps that the input chooses. Besides the
// sanitizers' checks it traps when a scene renders without being ready,
// refuses to render although ready, or draws a frame that breaks the frame
// invariants: every top byte 0, the bottom row black.
#include "fuzz_inputs.h"
#include "particles/random15.h"
#include "pcx_writer.h"
#include "support/show_rig.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A folder holding the seven pictures; a picture the input replaced is put
// back from the good copy kept in memory before the next input.
class PictureFolder {
public:
    PictureFolder()
    {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/kelvor-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        folder = pattern;
        writeShowFiles(folder);
        for (int number = 1; number <= showPictureCount; ++number)
            good[number - 1] = showFileBytes(showPicture(number));
    }

    ~PictureFolder() { std::filesystem::remove_all(folder); }

    void prepare(const SceneInput& input)
    {
        for (int number = 1; number <= showPictureCount; ++number) {
            const bool chosen = (input.pictureMask >> (number - 1) & 1) != 0;
            if (chosen && input.missing)
                std::filesystem::remove(pathOf(number));
            else if (chosen)
                write(number, input.picture);
            else if (changed[number - 1])
                write(number, good[number - 1]);
            changed[number - 1] = chosen;
        }
    }

    const std::string& path() const { return folder; }

private:
    std::string pathOf(int number) const { return folder + "/" + showPicture(number).name; }

    void write(int number, const std::vector<std::uint8_t>& bytes)
    {
        if (!writeFileAtomically(pathOf(number), bytes)) {
            std::fprintf(stderr, "cannot write %s\n", pathOf(number).c_str());
            std::abort();
        }
    }

    std::string folder;
    std::array<std::vector<std::uint8_t>, showPictureCount> good;
    std::array<bool, showPictureCount> changed{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static PictureFolder pictures;
    const SceneInput input = parseSceneInput(data, size);
    pictures.prepare(input);

    // The same particle cloud for every input, so that a finding reproduces.
    setRandomState(1);
    ShowRig rig(pictures.path());
    check(rig.scene().ready() == (input.pictureMask == 0 || !input.missing));
    for (std::uint16_t jump : input.jumps) {
        rig.frame(jump);
        check(rig.lastRenderDrew() == rig.scene().ready());
        if (rig.scene().ready())
            check(frameFault(rig.image()).empty());
    }
    return 0;
}
