#pragma once
#include <cstddef>
#include <cstdint>

namespace velokrom {

// A pass over rows, in bands of rows spread over threads. The calling thread reads every row's
// inputs and commits every row's results, both in row order, so that the image access and the
// host's callbacks are only ever called from it; computing a row needs neither and runs on
// whichever thread is free, the calling one included. Each row has a slot of memory that the
// three steps share.
class BandedRows {
public:
    virtual ~BandedRows() = default;
    // Calling thread: fills the slot with row y's inputs.
    virtual void readRow(int32_t y, uint8_t* slot) = 0;
    // Any thread; lane 0 is the calling thread, lanes 1 .. threads - 1 the others.
    virtual void computeRow(int32_t lane, uint8_t* slot) = 0;
    // Calling thread: writes row y out; false stops the pass with row y not written.
    virtual bool commitRow(int32_t y, uint8_t* slot) = 0;
};

enum class BandsOutcome { kCompleted, kStopped, kNoMemory };

// Runs rows 0 .. height - 1 through job with up to threads threads (fewer when the system gives
// no more). kNoMemory: the slots could not be had and nothing was called. An exception from
// readRow or commitRow ends the pass and is passed on once the other threads have stopped.
BandsOutcome runBandedRows(BandedRows& job, int32_t height, size_t slotBytes, int32_t threads);

} // namespace velokrom
