#pragma once
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "image_io/image_file.h"

namespace velokrom::cli {

// The rows of a PendingImage encoded on a thread of their own, so that writing an output file
// overlaps reading the inputs and keying. writeRow queues a copy of the row (a few dozen rows at
// most wait); a failure of the file is thrown by the next writeRow or by finish, on the calling
// thread. Destroying the writer before finish drops the rows still queued.
class RowWriterThread {
public:
    RowWriterThread(PendingImage& image, size_t rowBytes);
    ~RowWriterThread();
    RowWriterThread(const RowWriterThread&) = delete;
    RowWriterThread& operator=(const RowWriterThread&) = delete;

    void writeRow(const uint8_t* row);
    // Returns once every queued row is in the image, which can then be committed.
    void finish();

private:
    void run();
    void throwIfFailed();

    PendingImage& image_;
    const size_t rowBytes_;
    std::vector<uint8_t> rows_;  // a ring of kQueuedRows rows
    size_t queued_ = 0, written_ = 0;
    bool ending_ = false;
    std::exception_ptr failure_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;  // last: started once everything above exists
};

} // namespace velokrom::cli
