#include "row_writer_thread.h"

#include <cstring>

namespace velokrom::cli {
namespace {

constexpr size_t kQueuedRows = 32;

} // namespace

RowWriterThread::RowWriterThread(PendingImage& image, size_t rowBytes)
    : image_(image), rowBytes_(rowBytes), rows_(rowBytes * kQueuedRows), thread_(&RowWriterThread::run, this) {}

RowWriterThread::~RowWriterThread() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RowWriterThread::writeRow(const uint8_t* row) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || queued_ - written_ < kQueuedRows; });
    throwIfFailed();
    // The ring place of the row after the queued ones is free: the thread has written it.
    std::memcpy(rows_.data() + (queued_ % kQueuedRows) * rowBytes_, row, rowBytes_);
    ++queued_;
    changed_.notify_all();
}

void RowWriterThread::finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || written_ == queued_; });
    throwIfFailed();
}

void RowWriterThread::throwIfFailed() {
    if (failure_) std::rethrow_exception(failure_);
}

void RowWriterThread::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return ending_ || written_ < queued_; });
        if (ending_ || failure_) return;
        const uint8_t* row = rows_.data() + (written_ % kQueuedRows) * rowBytes_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            image_.writeRow(row);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        ++written_;
        changed_.notify_all();
    }
}

} // namespace velokrom::cli
