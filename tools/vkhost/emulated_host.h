#pragma once
// An emulated image-editing host: it fills a FilterRecord from an image, answers the callbacks
// (advanceState with interleaved buffers, displayPixels into an off-screen copy of the screen,
// progress and abort), keeps the data word and the parameter block between invocations, runs
// the selector sequence a host runs and applies the output when every result is 0. It calls the
// plug-in through an EntryCall, so the same core drives the code in-process (natively) or a
// loaded library's entry (the Win32 build). One EmulatedHost may be active at a time.
#include <cstdint>
#include <functional>
#include <vector>

#include "host/photoshop_filter.h"

namespace velokrom::vkhost {

// An image as the host holds it: 8-bit planes interleaved, plane 3 (if any) the alpha channel or,
// for a layer, its transparency.
struct HostImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;
    std::vector<uint8_t> pixels;

    HostImage() = default;
    HostImage(int32_t w, int32_t h, int32_t planeCount, uint8_t fill = 0);
    uint8_t* at(int32_t row, int32_t col) {
        return pixels.data() + (static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(col)) *
                                   static_cast<size_t>(planes);
    }
    const uint8_t* at(int32_t row, int32_t col) const { return const_cast<HostImage*>(this)->at(row, col); }
};

struct HostOptions {
    bool hasSelection = false;
    Rect selection{0, 0, 0, 0};  // the selection's bounding rectangle (half-open), when hasSelection
    bool layered = false;        // a layer with transparency: plane 3 is the transparency plane
    bool floating = false;
    int16_t imageMode = plugInModeRGBColor;
    int32_t abortAfterProgressCalls = -1;  // abortProc reports an abort from this many progress calls on
    bool offerAdvanceState = true;
    bool offerDisplayPixels = true;
    bool offerProgress = true;
    intptr_t hostWindow = 0;  // the window behind platformData
    int32_t screenWidth = 1024;
    int32_t screenHeight = 768;
    // Called once the record is filled, before the first selector: lets a test play a host that
    // fills it in an odd way.
    std::function<void(FilterRecord&)> adjustRecord;
    // Called after each delivery of buffers, before advanceState returns: lets a test play a host
    // that hands over something odd.
    std::function<void(FilterRecord&)> afterAdvance;
};

using EntryCall = std::function<void(int16_t selector, void* record, intptr_t* data, int16_t* result)>;

struct SelectorCall {
    int16_t selector;
    int16_t result;
};

// Rows of 24-bit pixels (blue, green, red) as a device takes them: each padded to 4 bytes.
inline size_t deviceRowSize(int32_t width) { return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3); }
// Puts such rows on the device context the filter painted with (Windows); elsewhere there is
// no device and nothing happens.
void drawOnDevice(void* deviceContext, const uint8_t* pixels, int32_t width, int32_t height, int32_t top, int32_t left);

class EmulatedHost {
public:
    explicit EmulatedHost(EntryCall entry);
    ~EmulatedHost();
    EmulatedHost(const EmulatedHost&) = delete;
    EmulatedHost& operator=(const EmulatedHost&) = delete;

    // One invocation of the filter on image: with the dialog (the parameters selector first) or
    // as a repeat of the last filter. Selectors: [parameters,] prepare, start, continue while a
    // rectangle is requested, finish; the first nonzero result stops the sequence. The output is
    // applied to image only when every result was 0. Answers the first nonzero result, or 0.
    int16_t runFilter(HostImage& image, const HostOptions& options, bool withDialog);
    // The about selector, with the host window behind the AboutRecord.
    int16_t about(intptr_t hostWindow = 0);
    // Any selector with the current record (for tests of unknown selectors).
    int16_t callSelector(int16_t selector);

    const std::vector<SelectorCall>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    FilterRecord& record() { return record_.record; }

    // What the host keeps between invocations.
    intptr_t dataWord() const { return data_; }
    Handle parameters() const { return parameters_; }
    // The parameter block's bytes (size bytes from the data address), empty when there is none.
    std::vector<uint8_t> parameterBytes(size_t size) const;
    // Gives the filter a parameter block rebuilt from saved bytes, as a host does when it replays
    // a filter: a new control block with the "OTOF" tag, made with the host's own allocator.
    void restoreParameters(const std::vector<uint8_t>& bytes);

    // The off-screen copy of the screen that displayPixels draws into: RGB, screenWidth x screenHeight.
    const std::vector<uint8_t>& screen() const { return screen_; }
    int32_t progressCalls() const { return progressCalls_; }
    int32_t displayCalls() const { return displayCalls_; }
    int32_t advanceCalls() const { return advanceCalls_; }

private:
    struct RecordStorage {
        FilterRecord record;
        uint8_t laterFields[256];  // the record's later revisions, which the filter must not touch
    };

    void fillRecord(const HostImage& image, const HostOptions& options);
    int16_t call(int16_t selector, void* record);
    OSErr advance();
    OSErr display(const PSPixelMap* source, const VRect* sourceRect, int32_t destRow, int32_t destCol,
                  void* deviceContext);
    void commitOutput();
    bool requestPending() const;

    static Boolean VK_PSAPI abortCallback();
    static void VK_PSAPI progressCallback(int32_t done, int32_t total);
    static OSErr VK_PSAPI advanceCallback();
    static OSErr VK_PSAPI displayCallback(const PSPixelMap* source, const VRect* sourceRect, int32_t destRow,
                                          int32_t destCol, void* platformContext);

    EntryCall entry_;
    intptr_t data_ = 0;
    Handle parameters_ = nullptr;
    std::vector<void*> hostBlocks_;  // blocks of handles the host itself made
    std::vector<SelectorCall> calls_;

    RecordStorage record_{};
    PlatformData platformData_{};
    const HostImage* source_ = nullptr;
    HostImage destination_;
    HostOptions options_;
    std::vector<uint8_t> inBuffer_;
    std::vector<uint8_t> outBuffer_;
    Rect deliveredOutRect_{0, 0, 0, 0};
    int32_t deliveredOutLo_ = 0;
    int32_t deliveredOutPlanes_ = 0;
    std::vector<uint8_t> screen_;
    std::vector<uint8_t> devicePixels_;  // the area last drawn, as the device takes it
    int32_t progressCalls_ = 0;
    int32_t displayCalls_ = 0;
    int32_t advanceCalls_ = 0;
};

} // namespace velokrom::vkhost
