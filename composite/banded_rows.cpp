#include "banded_rows.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace velokrom {
namespace {

// A band holds about this many bytes of slots: long enough that handing it over costs little
// next to computing it, short enough that the threads share the last rows of an image evenly.
constexpr size_t kBandBytes = size_t{192} << 10;
constexpr int32_t kMostRowsPerBand = 64;

// The bands in flight: read by the calling thread, computed by any thread, committed by the
// calling thread in order. The ring holds twice as many bands as there are threads, so that
// every thread finds one to compute while the calling thread reads and commits.
class BandRing {
public:
    BandRing(BandedRows& job, int32_t height, int32_t rowsPerBand, int32_t ringBands, size_t slotBytes, uint8_t* memory)
        : job_(job), height_(height), rowsPerBand_(rowsPerBand), bands_((height + rowsPerBand - 1) / rowsPerBand),
          ring_(ringBands), slotBytes_(slotBytes), memory_(memory), computed_(static_cast<size_t>(ringBands), 0) {}

    int32_t bands() const { return bands_; }

    // The calling thread's part; false when a commit stopped the pass.
    bool lead() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (committed_ < bands_) {
            if (computed_[static_cast<size_t>(committed_ % ring_)]) {
                const int32_t band = committed_;
                lock.unlock();
                for (int32_t i = 0; i < rowsOf(band); ++i)
                    if (!job_.commitRow(band * rowsPerBand_ + i, slot(band, i))) return false;
                lock.lock();
                computed_[static_cast<size_t>(band % ring_)] = 0;
                ++committed_;
            } else if (read_ < bands_ && read_ - committed_ < ring_) {
                const int32_t band = read_;
                lock.unlock();
                for (int32_t i = 0; i < rowsOf(band); ++i) job_.readRow(band * rowsPerBand_ + i, slot(band, i));
                lock.lock();
                ++read_;
                workAvailable_.notify_one();
            } else if (claimed_ < read_) {
                computeNext(lock, 0);
            } else {
                bandComputed_.wait(lock);
            }
        }
        return true;
    }

    // A worker thread's part, until end().
    void follow(int32_t lane) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!ending_) {
            if (claimed_ < read_) {
                computeNext(lock, lane);
                bandComputed_.notify_one();
            } else {
                workAvailable_.wait(lock);
            }
        }
    }

    void end() {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
        workAvailable_.notify_all();
    }

private:
    int32_t rowsOf(int32_t band) const { return std::min(rowsPerBand_, height_ - band * rowsPerBand_); }
    uint8_t* slot(int32_t band, int32_t i) const {
        const size_t index = static_cast<size_t>(band % ring_) * static_cast<size_t>(rowsPerBand_) + static_cast<size_t>(i);
        return memory_ + index * slotBytes_;
    }
    // Takes the next band read and not yet taken, computes it without the lock, marks it done.
    void computeNext(std::unique_lock<std::mutex>& lock, int32_t lane) {
        const int32_t band = claimed_++;
        lock.unlock();
        for (int32_t i = 0; i < rowsOf(band); ++i) job_.computeRow(lane, slot(band, i));
        lock.lock();
        computed_[static_cast<size_t>(band % ring_)] = 1;
    }

    BandedRows& job_;
    const int32_t height_, rowsPerBand_, bands_, ring_;
    const size_t slotBytes_;
    uint8_t* const memory_;

    std::mutex mutex_;
    std::condition_variable workAvailable_;  // a band was read, or the pass ends
    std::condition_variable bandComputed_;
    std::vector<char> computed_;             // per ring place: its band is ready to commit
    int32_t read_ = 0, claimed_ = 0, committed_ = 0;
    bool ending_ = false;
};

} // namespace

BandsOutcome runBandedRows(BandedRows& job, int32_t height, size_t slotBytes, int32_t threads) {
    if (height <= 0) return BandsOutcome::kCompleted;
    threads = std::max(threads, 1);
    const int32_t bySize = static_cast<int32_t>(std::clamp<size_t>(kBandBytes / std::max<size_t>(slotBytes, 1), 1, kMostRowsPerBand));
    // At least four bands per thread, so that no thread waits long for the last one.
    const int32_t rowsPerBand = std::max(1, std::min(bySize, height / (4 * threads)));
    const int32_t bands = (height + rowsPerBand - 1) / rowsPerBand;
    const int32_t ring = std::min(bands, 2 * threads);
    std::unique_ptr<uint8_t[]> memory(new (std::nothrow) uint8_t[static_cast<size_t>(ring) * static_cast<size_t>(rowsPerBand) * slotBytes]);
    if (!memory) return BandsOutcome::kNoMemory;

    BandRing bandRing(job, height, rowsPerBand, ring, slotBytes, memory.get());
    std::vector<std::thread> workers;
    try {
        const int32_t wanted = std::min(threads, bands) - 1;
        workers.reserve(static_cast<size_t>(std::max(wanted, 0)));
        for (int32_t lane = 1; lane <= wanted; ++lane) workers.emplace_back(&BandRing::follow, &bandRing, lane);
    } catch (...) {
        // The system gave fewer threads: the ones started (or the calling thread alone) do it all.
    }
    auto joinWorkers = [&] {
        bandRing.end();
        for (std::thread& worker : workers) worker.join();
    };
    bool completed;
    try {
        completed = bandRing.lead();
    } catch (...) {
        joinWorkers();
        throw;
    }
    joinWorkers();
    return completed ? BandsOutcome::kCompleted : BandsOutcome::kStopped;
}

} // namespace velokrom
