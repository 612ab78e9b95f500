// The profile file: where it is, reading it, and an action's writes with their read-back and restore.
#include "Profile.h"

#include "FrameworkTexts.h"
#include "ModulePaths.h"
#include "PathParts.h"
#include "WinApp.h"

namespace {

// A bound for a hand-edited value, so a broken file cannot take all memory.
constexpr std::size_t kLongestProfileValue = 1 << 20;

std::string windowsDirectoryFile(const std::string& name)
{
    char directory[MAX_PATH];
    UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return name;
    std::string path(directory, length);
    if (path.back() != '\\')
        path += '\\';
    return path + name;
}

bool readWholeFile(const std::string& path, std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return true;
}

// A list of NUL-ended texts that ends with an empty one, read into a buffer
// that grows until the list fits (a full buffer reads as size - 2).
template <class Read>
std::vector<std::string> readList(Read read)
{
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size() || buffer.size() >= kLongestProfileValue) {
            std::vector<std::string> items;
            for (std::size_t at = 0; at < length && buffer[at] != '\0';) {
                items.emplace_back(buffer.data() + at);
                at += items.back().size() + 1;
            }
            return items;
        }
        buffer.resize(buffer.size() * 4);
    }
}

} // namespace

void Profile::locate(const std::string& modulePath)
{
    std::string beside = portableProfileFor(modulePath, isAnsiLeadByte);
    if (pathKind(beside) == PathKind::file) {
        name_ = beside;
        path_ = beside;
    } else {
        // Named without a directory, the profile functions keep it in the Windows directory.
        name_ = profileNameFor(modulePath, isAnsiLeadByte);
        path_ = windowsDirectoryFile(name_);
    }
}

int Profile::readInt(const char* section, const char* key, int defaultValue) const
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, name_.c_str()));
}

std::string Profile::readString(const char* section, const char* key, const char* defaultValue,
                                std::size_t maxBytes) const
{
    // A full buffer reads as size - 1 characters: grow it until the value fits.
    std::vector<char> buffer(4096);
    DWORD length = 0;
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        length = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, name_.c_str());
        if (length < size - 1 || buffer.size() >= kLongestProfileValue)
            break;
        buffer.resize(buffer.size() * 4);
    }
    return cutToField(std::string_view(buffer.data(), length), isAnsiLeadByte, maxBytes);
}

ProfileContents Profile::contents() const
{
    const char* file = name_.c_str();
    ProfileContents contents;
    for (std::string& name : readList([&](char* b, DWORD n) { return GetPrivateProfileSectionNamesA(b, n, file); })) {
        std::vector<std::string> lines =
            readList([&](char* b, DWORD n) { return GetPrivateProfileSectionA(name.c_str(), b, n, file); });
        contents.push_back({std::move(name), std::move(lines)});
    }
    return contents;
}

void Profile::flush() const
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, name_.c_str());
}

bool Profile::writeRaw(const char* section, const char* key, const char* value) const
{
    return WritePrivateProfileStringA(section, key, value, name_.c_str()) != FALSE;
}

void Profile::reportWriteFailure(HWND owner) const
{
    std::string text = std::string(kWriteFailedText) + "\n" + path_ + "\n" + kWriteFailedNext;
    MessageBeep(MB_ICONHAND);
    showMessageBox(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONHAND);
}

void ProfileWrites::takeSnapshot()
{
    // The file as it is when the action writes, not when it began: another program or
    // another bar may have saved it meanwhile.
    profile_.flush();
    existed_ = readWholeFile(profile_.path(), before_);
    beforeContents_ = profile_.contents();
    snapshotTaken_ = true;
}

void ProfileWrites::write(const char* section, const char* key, const std::string& text)
{
    if (!snapshotTaken_)
        takeSnapshot();
    bool known = false;
    for (const Written& w : written_)
        known = known || (sameAsciiIgnoringCase(w.section, section) && sameAsciiIgnoringCase(w.key, key));
    if (!known) {
        bool had = holdsKey(beforeContents_, section, key);
        written_.push_back({section, key, text, had, had ? profile_.readString(section, key) : std::string()});
    } else {
        for (Written& w : written_)
            if (sameAsciiIgnoringCase(w.section, section) && sameAsciiIgnoringCase(w.key, key))
                w.value = text;
    }
    // A line break would end the line and start another key; every key is tried, and one
    // failure fails the whole action.
    if (text.find_first_of("\r\n") != std::string::npos ||
        !profile_.writeRaw(section, key, profileValueToWrite(text).c_str()))
        failed_ = true;
}

bool ProfileWrites::commit()
{
    if (written_.empty())
        return !failed_;
    // Read from the disk: the written keys as written, and every other line still there.
    profile_.flush();
    bool readBack = !failed_;
    for (const Written& w : written_)
        readBack = readBack && profile_.readString(w.section.c_str(), w.key.c_str()) == w.value;
    std::vector<ProfileKey> keys;
    for (const Written& w : written_)
        keys.push_back({w.section, w.key});
    bool cut = !keepsEveryOtherLine(beforeContents_, profile_.contents(), keys);
    if (readBack && !cut)
        return true;
    restore(cut);
    profile_.flush();
    return false;
}

void ProfileWrites::restore(bool fileWasCut)
{
    const std::string& path = profile_.path();
    if (fileWasCut) {
        // The space the old bytes took was freed when the file was cut.
        if (!existed_) {
            DeleteFileA(path.c_str());
            return;
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD done = 0;
            WriteFile(file, before_.data(), static_cast<DWORD>(before_.size()), &done, nullptr);
            CloseHandle(file);
        }
        return;
    }
    // A key that holds what this action wrote (or the start of it) is put back; one that holds
    // anything else was saved by someone else meanwhile, and stays.
    for (auto w = written_.rbegin(); w != written_.rend(); ++w) {
        std::string now = profile_.readString(w->section.c_str(), w->key.c_str());
        bool ours = now == w->value || (!now.empty() && w->value.compare(0, now.size(), now) == 0);
        if (!ours || now == w->earlier)
            continue;
        profile_.writeRaw(w->section.c_str(), w->key.c_str(),
                          w->hadValue ? profileValueToWrite(w->earlier).c_str() : nullptr);
    }
}
