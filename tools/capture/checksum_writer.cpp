#include "checksum_writer.h"

#include "app/offline_frames.h"
#include "image/frame_hash.h"

#include <algorithm>

ChecksumWriter::ChecksumWriter(std::FILE* out, std::size_t pixelCount) : out(out)
{
    for (Slot& slot : slots)
        slot.pixels.resize(pixelCount);
    worker = std::thread(&ChecksumWriter::writeLines, this);
}

ChecksumWriter::~ChecksumWriter()
{
    finish();
}

void ChecksumWriter::add(long frameNumber, const std::uint32_t* pixels)
{
    Slot& slot = slots[nextToFill];
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return !slot.full; });
    lock.unlock();
    // The worker leaves an empty slot alone, so the copy needs no lock.
    std::copy(pixels, pixels + slot.pixels.size(), slot.pixels.begin());
    slot.frameNumber = frameNumber;
    lock.lock();
    slot.full = true;
    lock.unlock();
    changed.notify_all();
    nextToFill = 1 - nextToFill;
}

bool ChecksumWriter::finish()
{
    if (worker.joinable()) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        changed.notify_all();
        worker.join();
    }
    return !writeFailed;
}

void ChecksumWriter::writeLines()
{
    std::size_t next = 0;
    for (;;) {
        Slot& slot = slots[next];
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return slot.full || stopping; });
        if (!slot.full)
            return; // stopping, and every handed-over frame is written
        lock.unlock();
        const std::string line =
            checksumLine(slot.frameNumber, frameHash(slot.pixels.data(), slot.pixels.size()));
        if (std::fputs(line.c_str(), out) < 0)
            writeFailed = true;
        lock.lock();
        slot.full = false;
        lock.unlock();
        changed.notify_all();
        next = 1 - next;
    }
}
