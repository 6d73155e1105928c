// Loading the show's pictures at start-up: the stream reader taking one byte
// per call and the loader reading each stretch of the file in one call.
#include "support/baseline/baseline.h"
#include "bench_variant.h"
#include "image/pcx_reader.h"
#include "support/show_pictures.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string& pictureFolder()
{
    static const TemporaryFolder folder;
    static const bool written = [] { writeShowPictures(folder.path()); return true; }();
    (void)written;
    return folder.path();
}

// All seven pictures, as the scene's set-up loads them.
void BM_LoadShowPictures(benchmark::State& state, Variant variant)
{
    PcxReader reader;
    std::int32_t palette[768];
    for (auto _ : state) {
        for (int number = 1; number <= 7; ++number) {
            const ShowPicture& picture = showPicture(number);
            const std::string path = pictureFolder() + "/" + picture.name;
            std::unique_ptr<Image> image =
                variant == Variant::baseline
                    ? baseline::loadPcx(picture.width, picture.height, path.c_str(), palette)
                    : reader.load(picture.width, picture.height, path.c_str());
            benchmark::DoNotOptimize(image.get());
        }
    }
}
BENCHMARK_CAPTURE(BM_LoadShowPictures, baseline, Variant::baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadShowPictures, optimised, Variant::optimised)->Unit(benchmark::kMicrosecond);

} // namespace
