// The one background image on the local disk: where it lives, and how it is written from the
// host image and read back into backgroundImage.
#include <cstring>

#include "engine/byte_order.h"
#include "host_image_access.h"
#include "show_message.h"

namespace velokrom {
namespace {

constexpr char kSignature[42] = "Velokrom Bkg File, copyright Zelvarn Labs";  // 41 characters and a NUL
constexpr uint32_t kFormatVersion = 1;
constexpr size_t kHeaderSize = 54;

std::string withSeparator(std::string folder, char separator) {
    if (!folder.empty() && folder.back() != separator) folder += separator;
    return folder;
}

bool writeAll(FileStream& file, const void* data, size_t size) { return file.write(data, size) == size; }
bool readAll(FileStream& file, void* data, size_t size) { return file.read(data, size) == size; }

} // namespace

void HostImageAccess::locateBackgroundFile() {
    backgroundPath_.clear();
    std::string root;
    for (const std::string& candidate : platform_.logicalDriveRoots()) {
        if (candidate.empty()) break;
        if (platform_.driveType(candidate) == DriveType::Fixed) {
            root = candidate;
            break;
        }
    }
    if (root.empty()) return;
    const char separator = platform_.pathSeparator();
    std::string folder = withSeparator(root, separator) + "ZELVARN";
    if (platform_.createDirectory(folder) == CreateDirectoryResult::Failed) {
        // A standard user may not create folders at the root of the system drive: then the
        // background lives in the user's own application data, for saving and loading alike.
        const std::string appData = platform_.localAppDataFolder();
        if (appData.empty()) return;
        folder = withSeparator(appData, separator) + "Zelvarn";
        if (platform_.createDirectory(folder) == CreateDirectoryResult::Failed) return;
    }
    backgroundPath_ = folder + separator + "VELOKROM.BKG";
}

bool HostImageAccess::backgroundFileExists() {
    return !backgroundPath_.empty() && platform_.openFile(backgroundPath_, FileMode::Read) != nullptr;
}

bool HostImageAccess::saveBackground() {
    if (backgroundPath_.empty()) return false;
    // Written beside the old file and put in its place only when complete, so that a failed
    // or killed save keeps the previous background.
    std::string reason;  // the user is told only that the background was not saved
    std::unique_ptr<ReplacementStream> file = platform_.createReplacement(backgroundPath_, reason);
    if (!file) return false;

    uint8_t header[kHeaderSize];
    std::memcpy(header, kSignature, sizeof kSignature);
    putU32(header + 42, kFormatVersion);
    putU32(header + 46, static_cast<uint32_t>(imageWidth));
    putU32(header + 50, static_cast<uint32_t>(imageHeight));
    bool written = writeAll(*file, header, kHeaderSize);

    uint8_t* row = nullptr;
    if (written) {
        row = allocateArray<uint8_t>(static_cast<size_t>(imageWidth) * 3);
        if (!row) showMessage(kMessageNoMemory);
    }
    written = row && requestWholeImage();
    for (int32_t y = 0; written && y < imageHeight; ++y) {
        for (int32_t x = 0; x < imageWidth; ++x) std::memcpy(row + 3 * x, input_.pixel(y, x), 3);
        written = writeAll(*file, row, static_cast<size_t>(imageWidth) * 3);
    }
    releaseArray(row);
    return written && file->commit();
}

bool HostImageAccess::loadBackground() {
    if (!backgroundImage_ || !backgroundFileExists()) return false;
    std::unique_ptr<FileStream> file = platform_.openFile(backgroundPath_, FileMode::Read);
    if (!file) return false;
    uint8_t header[kHeaderSize];
    if (!readAll(*file, header, sizeof kSignature) || std::memcmp(header, kSignature, sizeof kSignature) != 0)
        return false;
    if (!readAll(*file, header + 42, 4) || getU32(header + 42) != kFormatVersion) return false;
    if (!readAll(*file, header + 46, 8)) return false;
    const int32_t width = getI32(header + 46);
    const int32_t height = getI32(header + 50);
    if (width != wholeWidth_ || height != wholeHeight_) {
        showMessage(kMessageSizeMismatch);
        return false;
    }
    // The filter rectangle must lie inside the stored image, or its rows would be read past.
    const Rect& area = record().filterRect;
    if (width <= 0 || height <= 0 || area.left < 0 || area.top < 0 || area.left + imageWidth > width ||
        area.top + imageHeight > height)
        return false;

    const size_t storedRowBytes = static_cast<size_t>(width) * 3;
    const size_t filterRowBytes = static_cast<size_t>(imageWidth) * 3;
    uint8_t* row = allocateArray<uint8_t>(storedRowBytes);
    if (!row) {
        showMessage(kMessageNoMemory);
        return false;
    }
    bool complete = true;
    for (int32_t r = 0; complete && r < height; ++r) {
        complete = readAll(*file, row, storedRowBytes);
        if (complete && r >= area.top && r < area.top + imageHeight)
            std::memcpy(backgroundImage_ + static_cast<size_t>(r - area.top) * filterRowBytes,
                        row + static_cast<size_t>(area.left) * 3, filterRowBytes);
    }
    releaseArray(row);
    return complete;
}

} // namespace velokrom
