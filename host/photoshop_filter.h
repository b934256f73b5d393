#pragma once
// Our own declarations of the host's filter interface records, callbacks and codes. Only the
// fields up to outPlaneBytes are declared: every host that
// sets the layer fields and column strides has them, and the filter never touches anything
// after them. Offsets are checked at compile time for 32-bit and 64-bit Windows (the native
// 64-bit build has the same layout, so the emulated host shares this header).
#include <cstddef>
#include <cstdint>

// The entry and every callback use the C convention on 32-bit Windows; elsewhere there is one.
#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define VK_PSAPI __cdecl
#else
#define VK_PSAPI
#endif

namespace velokrom {

using Boolean = uint8_t;  // any non-zero value is true; never read through bool
using OSErr = int16_t;
using OSType = uint32_t;
using Handle = char**;

struct Point {
    int16_t v;  // row
    int16_t h;  // column
};
// Half-open: width = right - left, height = bottom - top.
struct Rect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};
struct VRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};
struct RGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};
struct PlugInMonitor {
    int32_t gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
};
struct PlatformData {
    intptr_t hwnd;  // the host window that owns the filter's dialogs
};

struct PSPixelMask {
    PSPixelMask* next;
    void* maskData;
    int32_t rowBytes;
    int32_t colBytes;
    int32_t maskDescription;
};
constexpr int32_t kSimplePSMask = 0;

struct PSPixelOverlay;
// Declared with the later fields present (zeroed) although we fill version 1.
struct PSPixelMap {
    int32_t version;
    VRect bounds;
    int32_t imageMode;
    int32_t rowBytes;
    int32_t colBytes;
    int32_t planeBytes;
    void* baseAddr;
    PSPixelMask* mat;
    PSPixelMask* masks;
    int32_t maskPhaseRow;
    int32_t maskPhaseCol;
    PSPixelOverlay* pixelOverlays;
    uint32_t colorManagementOptions;
    int16_t depth;
};

using TestAbortProc = Boolean(VK_PSAPI*)();
using ProgressProc = void(VK_PSAPI*)(int32_t done, int32_t total);
using AdvanceStateProc = OSErr(VK_PSAPI*)();
using DisplayPixelsProc = OSErr(VK_PSAPI*)(const PSPixelMap* source, const VRect* srcRect, int32_t dstRow,
                                           int32_t dstCol, void* platformContext);
using HostProc = void(VK_PSAPI*)(int16_t selector, intptr_t* data);
using ProcessEventProc = void(VK_PSAPI*)(void* event);
using UnusedProc = void(VK_PSAPI*)();  // callbacks the filter never calls

// The entry's signature: selector, record (FilterRecord or AboutRecord), the host's data word,
// the result word.
using PluginEntryProc = void(VK_PSAPI*)(int16_t selector, void* record, intptr_t* data, int16_t* result);

#pragma pack(push, 4)
struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    Point imageSize;
    int16_t planes;
    Rect filterRect;
    RGBColor background;
    RGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    Rect inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    Rect outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect maskRect;
    void* maskData;
    int32_t maskRowBytes;
    uint8_t backColor[4];
    uint8_t foreColor[4];
    OSType hostSig;
    HostProc hostProc;
    int16_t imageMode;
    int32_t imageHRes;  // 16.16 fixed point
    int32_t imageVRes;
    Point floatCoord;
    Point wholeSize;
    PlugInMonitor monitor;
    void* platformData;  // -> PlatformData
    void* bufferProcs;
    void* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    void* handleProcs;
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    UnusedProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    char samplingSupport;
    char reservedByte;
    int32_t inputRate;  // 16.16 fixed point
    int32_t maskRate;
    UnusedProc colorServices;
    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes;
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;
    int32_t inColumnBytes;
    int32_t inPlaneBytes;
    int32_t outColumnBytes;
    int32_t outPlaneBytes;
};
#pragma pack(pop)

struct AboutRecord {
    void* platformData;  // -> PlatformData
    void* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

// Selectors.
constexpr int16_t filterSelectorAbout = 0;
constexpr int16_t filterSelectorParameters = 1;
constexpr int16_t filterSelectorPrepare = 2;
constexpr int16_t filterSelectorStart = 3;
constexpr int16_t filterSelectorContinue = 4;
constexpr int16_t filterSelectorFinish = 5;

// Result codes.
constexpr OSErr noErr = 0;
constexpr OSErr paramErr = -50;
constexpr OSErr memFullErr = -108;
constexpr OSErr userCanceledErr = -128;
constexpr OSErr filterBadParameters = -30100;

constexpr int16_t plugInModeRGBColor = 3;

// Layout checks: each one catches a declaration mistake that would compile silently.
static_assert(sizeof(Boolean) == 1 && sizeof(OSErr) == 2, "scalar sizes");
static_assert(sizeof(Rect) == 8 && offsetof(Rect, left) == 2 && offsetof(Point, h) == 2, "16-bit rects, top first");
static_assert(sizeof(VRect) == 16 && sizeof(PlugInMonitor) == 40, "small records");
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(FilterRecord, abortProc) == 4 && offsetof(FilterRecord, parameters) == 12, "x86 layout");
static_assert(offsetof(FilterRecord, filterRect) == 22 && offsetof(FilterRecord, bufferSpace) == 48, "x86 layout");
static_assert(offsetof(FilterRecord, inRect) == 52 && offsetof(FilterRecord, outHiPlane) == 74, "x86 layout");
static_assert(offsetof(FilterRecord, inData) == 76 && offsetof(FilterRecord, outRowBytes) == 88, "x86 layout");
static_assert(offsetof(FilterRecord, isFloating) == 92 && offsetof(FilterRecord, imageMode) == 128, "x86 layout");
static_assert(offsetof(FilterRecord, platformData) == 188 && offsetof(FilterRecord, displayPixels) == 204, "x86 layout");
static_assert(offsetof(FilterRecord, advanceState) == 224 && offsetof(FilterRecord, wantsAbsolute) == 229, "x86 layout");
static_assert(offsetof(FilterRecord, inputRate) == 248 && offsetof(FilterRecord, inLayerPlanes) == 260, "x86 layout");
static_assert(offsetof(FilterRecord, absNonLayerPlanes) == 288 && offsetof(FilterRecord, inColumnBytes) == 300, "x86 layout");
static_assert(offsetof(FilterRecord, outColumnBytes) == 308 && sizeof(FilterRecord) == 316, "x86 layout");
static_assert(offsetof(PSPixelMap, baseAddr) == 36 && offsetof(PSPixelMap, maskPhaseCol) == 52, "x86 pixel map");
static_assert(sizeof(PSPixelMap) == 68 && offsetof(PSPixelMask, maskDescription) == 16 && sizeof(PSPixelMask) == 20,
              "x86 pixel map and mask");
static_assert(sizeof(AboutRecord) == 256 && sizeof(PlatformData) == 4, "x86 about record");
#else
static_assert(offsetof(FilterRecord, abortProc) == 4 && offsetof(FilterRecord, parameters) == 20, "x64 layout");
static_assert(offsetof(FilterRecord, filterRect) == 34 && offsetof(FilterRecord, bufferSpace) == 60, "x64 layout");
static_assert(offsetof(FilterRecord, inRect) == 64 && offsetof(FilterRecord, outHiPlane) == 86, "x64 layout");
static_assert(offsetof(FilterRecord, inData) == 88 && offsetof(FilterRecord, outRowBytes) == 108, "x64 layout");
static_assert(offsetof(FilterRecord, isFloating) == 112 && offsetof(FilterRecord, imageMode) == 156, "x64 layout");
static_assert(offsetof(FilterRecord, platformData) == 216 && offsetof(FilterRecord, displayPixels) == 248, "x64 layout");
static_assert(offsetof(FilterRecord, advanceState) == 280 && offsetof(FilterRecord, wantsAbsolute) == 289, "x64 layout");
static_assert(offsetof(FilterRecord, inputRate) == 312 && offsetof(FilterRecord, inLayerPlanes) == 328, "x64 layout");
static_assert(offsetof(FilterRecord, absNonLayerPlanes) == 356 && offsetof(FilterRecord, inColumnBytes) == 368, "x64 layout");
static_assert(offsetof(FilterRecord, outColumnBytes) == 376 && sizeof(FilterRecord) == 384, "x64 layout");
static_assert(offsetof(PSPixelMap, baseAddr) == 40 && offsetof(PSPixelMap, maskPhaseCol) == 68, "x64 pixel map");
static_assert(sizeof(PSPixelMap) == 88 && offsetof(PSPixelMask, maskDescription) == 24 && sizeof(PSPixelMask) == 32,
              "x64 pixel map and mask");
static_assert(sizeof(AboutRecord) == 272 && sizeof(PlatformData) == 8, "x64 about record");
#endif

} // namespace velokrom
