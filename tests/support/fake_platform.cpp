#include "fake_platform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/string_table.h"

namespace velokrom::testing {
namespace {

// A file opened for reading, or a replacement held apart from the files until committed, like a
// temporary beside its target (the code under test writes only through replacements).
class FakeStream : public ReplacementStream {
public:
    FakeStream(FakePlatform& platform, std::string target, std::vector<uint8_t> content = {})
        : platform_(platform), target_(std::move(target)), content_(std::move(content)) {}
    size_t read(void* buffer, size_t size) override {
        const size_t n = std::min(size, content_.size() - position_);
        if (n > 0) std::memcpy(buffer, content_.data() + position_, n);
        position_ += n;
        return n;
    }
    // Stores what the disk still takes of size bytes; nothing into a file opened for reading.
    size_t write(const void* buffer, size_t size) override {
        if (target_.empty()) return 0;
        const size_t n = platform_.writeBudget < 0 ? size : std::min(size, static_cast<size_t>(platform_.writeBudget));
        if (platform_.writeBudget >= 0) platform_.writeBudget -= static_cast<long>(n);
        content_.insert(content_.end(), static_cast<const uint8_t*>(buffer), static_cast<const uint8_t*>(buffer) + n);
        if (n < size) error_ = "no space left on the disk";
        return n;
    }
    bool close() override { return true; }
    bool commit() override {
        if (platform_.failReplace) error_ = "cannot be replaced";
        else platform_.files[target_] = content_;
        return !platform_.failReplace;
    }
    std::string error() const override { return error_; }

private:
    FakePlatform& platform_;
    std::string target_;  // empty: opened for reading
    std::vector<uint8_t> content_;
    size_t position_ = 0;
    std::string error_;
};

std::string parentOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

FakePlatform::FakePlatform()
    : drives{{"A:\\", DriveType::Removable}, {"C:\\", DriveType::Fixed}, {"D:\\", DriveType::CdRom}},
      directories{"C:", "C:\\Users\\user\\AppData\\Local"} {}

FakePlatform::~FakePlatform() {
    for (void* block : hostBlocks_) std::free(block);
}

void* FakePlatform::allocateHostBlock(size_t size) {
    if (hostBlocksLeft == 0) return nullptr;
    if (hostBlocksLeft > 0) --hostBlocksLeft;
    void* block = std::calloc(size, 1);
    hostBlocks_.push_back(block);
    return block;
}

std::vector<std::string> FakePlatform::logicalDriveRoots() {
    std::vector<std::string> roots;
    for (const auto& drive : drives) roots.push_back(drive.first);
    return roots;
}

DriveType FakePlatform::driveType(const std::string& root) {
    for (const auto& drive : drives)
        if (drive.first == root) return drive.second;
    return DriveType::NoRootDirectory;
}

CreateDirectoryResult FakePlatform::createDirectory(const std::string& path) {
    if (directories.count(path)) return CreateDirectoryResult::AlreadyExists;
    if (deniedDirectories.count(path) || !directories.count(parentOf(path))) return CreateDirectoryResult::Failed;
    directories.insert(path);
    return CreateDirectoryResult::Created;
}

std::unique_ptr<FileStream> FakePlatform::openFile(const std::string& path, FileMode mode) {
    const auto file = files.find(path);
    if (mode != FileMode::Read || file == files.end() || !directories.count(parentOf(path))) return nullptr;
    return std::make_unique<FakeStream>(*this, std::string(), file->second);
}

std::unique_ptr<ReplacementStream> FakePlatform::createReplacement(const std::string& target, std::string& reason) {
    if (!directories.count(parentOf(target))) {
        reason = "no such file or folder";
        return nullptr;
    }
    return std::make_unique<FakeStream>(*this, target);
}

MessageAnswer FakePlatform::messageBox(WindowHandle owner, MessageIcon icon, MessageButtons buttons,
                                       const std::string& title, const std::string& text) {
    messages.push_back({owner, icon, buttons, title, text});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (yesNoAnswers.empty()) return MessageAnswer::Yes;
    const MessageAnswer answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::string FakePlatform::loadString(int32_t id) {
    const char* text = builtinString(id);
    return text ? text : "";
}

std::vector<DirectoryEntry> FakePlatform::listDirectory(const std::string& folder) {
    calls.push_back("list " + folder);
    const std::string path = !folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
    std::vector<DirectoryEntry> entries;
    if (!directories.count(path)) return entries;
    for (const std::string& directory : directories)
        if (parentOf(directory) == path)
            entries.push_back({directory.substr(path.size() + 1), !linkedDirectories.count(directory)});
    for (const auto& file : files)
        if (parentOf(file.first) == path) entries.push_back({file.first.substr(path.size() + 1), false});
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return entries;
}

bool FakePlatform::startProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::string call = "start " + program;
    for (const std::string& argument : arguments) call += " " + argument;
    calls.push_back(call);
    return !failStartProcess && files.count(program);
}

bool FakePlatform::openDocument(const std::string& path) {
    calls.push_back("open " + path);
    return documentViewer && files.count(path);
}

CursorHandle FakePlatform::showWaitCursor() {
    ++waitCursorsShown;
    return this;
}

void FakePlatform::restoreCursor(CursorHandle previous) {
    if (previous == this) ++waitCursorsRestored;
}

std::vector<std::string> FakePlatform::messageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages) texts.push_back(message.text);
    return texts;
}

} // namespace velokrom::testing
