#include "help_launcher.h"

#include <vector>

#include "platform/wait_cursor.h"
#include "ui_strings.h"

namespace velokrom {
namespace {

// The callers' path buffers, in characters with the NUL.
constexpr size_t kPathBufferSize = 260;

constexpr char kManualFolder[] = "Zelvarn";
constexpr char kManualName[] = "VeloPCPS.pdf";

// Where a reader usually is, relative to a drive root ('/' between folders), in the order tried.
struct ReaderPlace {
    const char* folder;
    const char* name;
};
constexpr ReaderPlace kReaderPlaces[] = {
    {"Acroread", "acroread.exe"},
    {"Acrobat3/Reader", "acroRD32.exe"},
    {"Zelvarn/Acroread", "acroRD32.exe"},
};
// The names a whole-drive search looks for, in that order.
constexpr const char* kReaderNames[] = {"acroread.exe", "acroRD32.exe"};

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

std::string joined(const std::string& folder, const std::string& name, char separator) {
    if (!folder.empty() && folder.back() == separator) return folder + name;
    return folder + separator + name;
}

// A folder under a drive root, with the system's separator between its parts.
std::string underRoot(PlatformServices& platform, const std::string& root, const char* relative) {
    std::string path = relative;
    for (char& c : path)
        if (c == '/') c = platform.pathSeparator();
    return joined(root, path, platform.pathSeparator());
}

// The longest find a caller can hold: folder + name + 2 must stay below the buffer size.
bool fitsBuffer(const std::string& folder, const std::string& name, size_t bufferSize) {
    return folder.size() + name.size() + 2 < bufferSize;
}

void tell(PlatformServices& platform, WindowHandle owner, int32_t messageId) {
    platform.messageBox(owner, MessageIcon::Information, MessageButtons::Ok, uiString(IDS_HELP_CAPTION),
                        uiString(messageId));
}

// The first pass: the manual and a reader where they are usually installed.
void searchUsualPlaces(PlatformServices& platform, const std::vector<std::string>& roots, std::string& manual,
                       std::string& reader) {
    for (const std::string& root : roots) {
        if (!manual.empty() && !reader.empty()) return;
        if (manual.empty())
            findFile(platform, underRoot(platform, root, kManualFolder), kManualName, false, manual, kPathBufferSize);
        for (const ReaderPlace& place : kReaderPlaces) {
            if (!reader.empty()) break;
            findFile(platform, underRoot(platform, root, place.folder), place.name, false, reader, kPathBufferSize);
        }
    }
}

// The last resort: every searched drive, whole, for each reader name in turn.
void searchWholeDrives(PlatformServices& platform, const std::vector<std::string>& roots, std::string& reader) {
    for (const std::string& root : roots)
        for (const char* name : kReaderNames)
            if (findFile(platform, root, name, true, reader, kPathBufferSize)) return;
}

} // namespace

bool isSearchedDrive(DriveType type) {
    return type == DriveType::Fixed || type == DriveType::Remote || type == DriveType::RamDisk;
}

void findInCurrentDirectory(PlatformServices& platform, SearchContext& context) {
    const std::vector<DirectoryEntry> entries = platform.listDirectory(context.directory);
    for (const DirectoryEntry& entry : entries) {
        // A path the caller could not hold counts as not found: the search goes on elsewhere.
        if (!entry.isDirectory && sameNameIgnoringCase(entry.name, context.pattern) &&
            fitsBuffer(context.directory, entry.name, context.bufferSize)) {
            context.found = true;
            context.entryName = entry.name;
            return;
        }
    }
    if (!context.recursive) return;
    const std::string parent = context.directory;
    for (const DirectoryEntry& entry : entries) {
        if (!entry.isDirectory || entry.name.empty() || entry.name[0] == '.') continue;
        const std::string folder = joined(parent, entry.name, platform.pathSeparator());
        // Paths only grow deeper down: a folder too long for any find is not entered at all,
        // which also bounds the depth of the search.
        if (!fitsBuffer(folder, context.pattern, context.bufferSize)) continue;
        context.directory = folder;
        findInCurrentDirectory(platform, context);
        if (context.found) return;
    }
    context.directory = parent;
}

bool findFile(PlatformServices& platform, const std::string& root, const std::string& name, bool recursive,
              std::string& result, size_t bufferSize) {
    WaitCursor wait(platform);
    SearchContext context;
    context.pattern = name;
    context.recursive = recursive;
    context.bufferSize = bufferSize;
    context.directory = root;
    findInCurrentDirectory(platform, context);
    if (!context.found) return false;
    result = joined(context.directory, context.entryName, platform.pathSeparator());
    return true;
}

void launchHelp(PlatformServices& platform, WindowHandle owner) {
    const std::vector<std::string> allRoots = platform.logicalDriveRoots();
    if (allRoots.empty()) return tell(platform, owner, IDS_HELP_NO_MANUAL);
    std::vector<std::string> roots;
    for (const std::string& root : allRoots)
        if (isSearchedDrive(platform.driveType(root))) roots.push_back(root);

    std::string manual;
    std::string reader;
    searchUsualPlaces(platform, roots, manual, reader);
    if (manual.empty()) return tell(platform, owner, IDS_HELP_NO_MANUAL);
    if (reader.empty()) {
        // No reader where readers are usually installed: the viewer the system has registered
        // for PDF files is asked before whole drives are searched, which can take minutes.
        if (platform.openDocument(manual)) return;
        searchWholeDrives(platform, roots, reader);
    }
    if (reader.empty()) return tell(platform, owner, IDS_HELP_NO_READER);
    if (!platform.startProcess(reader, {reader, manual})) tell(platform, owner, IDS_HELP_READER_FAILED);
}

} // namespace velokrom
