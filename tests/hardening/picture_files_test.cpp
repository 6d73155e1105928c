// Picture files that are not pictures: the loader must refuse anything that
// is not a regular file without blocking on it.
#include "image/pcx_reader.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A FIFO in place of a picture: opening it for reading waits for a writer,
// forever if none comes, and the show hangs at start-up. A helper thread
// plays the writer only to find out whether the loader opened the FIFO (a
// non-blocking open for writing succeeds only while a reader has it open),
// and so ends the wait if there is one.
TEST(PictureFiles, AFifoIsRefusedWithoutOpeningIt)
{
    const TemporaryFolder folder;
    const std::string fifo = folder.path() + "/data1.pcx";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    std::atomic<bool> loaded{false};
    std::atomic<bool> openedByLoader{false};
    std::thread writer([&] {
        while (!loaded) {
            const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                openedByLoader = true;
                close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });

    PcxReader reader;
    const auto picture = reader.load(522, 37, fifo.c_str());
    loaded = true;
    writer.join();

    EXPECT_EQ(picture, nullptr);
    EXPECT_FALSE(openedByLoader) << "the loader opened the FIFO and waited for a writer";
}

} // namespace
