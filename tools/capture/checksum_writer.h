// The checksum lines of a capture, taken on a second thread: the frame just
// rendered is copied into one of two slots and hashed and written there
// while the next frame renders, so the capture's own thread spends its time
// on the frames. Lines come out in frame order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

class ChecksumWriter {
public:
    // Frames of pixelCount pixels; the lines go to out.
    ChecksumWriter(std::FILE* out, std::size_t pixelCount);
    ~ChecksumWriter();
    ChecksumWriter(const ChecksumWriter&) = delete;
    ChecksumWriter& operator=(const ChecksumWriter&) = delete;

    // Hands over frame frameNumber; waits only while both slots are taken.
    void add(long frameNumber, const std::uint32_t* pixels);

    // Writes what is left and stops the thread; false if a write failed.
    bool finish();

private:
    struct Slot {
        std::vector<std::uint32_t> pixels;
        long frameNumber = 0;
        bool full = false;
    };

    void writeLines();

    std::FILE* out;
    Slot slots[2];
    std::size_t nextToFill = 0;
    bool stopping = false;
    bool writeFailed = false;
    std::mutex mutex;
    std::condition_variable changed;
    std::thread worker;
};
