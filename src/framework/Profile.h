// The profile file: where it is, reading it, and an action's writes with their read-back and restore.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ProfileValue.h"

class Profile {
public:
    // Beside the program where a file of its name is there (portable use), else
    // where the profile functions keep it: the Windows directory.
    void locate(const std::string& modulePath);

    // The name the profile functions are given, and the file's full path.
    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }

    int readInt(const char* section, const char* key, int defaultValue) const;
    // The whole value as read, however long, cut to at most maxBytes on a character boundary.
    std::string readString(const char* section, const char* key, const char* defaultValue = "",
                           std::size_t maxBytes = std::string::npos) const;
    // Every section and line, as the profile functions read them now.
    ProfileContents contents() const;
    // Drops the profile functions' cached copy, so the next read is from the disk.
    void flush() const;
    // The one box of an action whose writes failed: what could not be written and what to check.
    void reportWriteFailure(HWND owner) const;

private:
    friend class ProfileWrites;
    // One key, as it must be written to read back; null removes the key.
    bool writeRaw(const char* section, const char* key, const char* value) const;

    std::string name_;
    std::string path_;
};

// The writes of one user action: exactly the keys it changes. Each value is written so that it
// reads back as it was. commit reads back the keys written: a key that reads back otherwise
// (a full disk can cut the file while the write reports success), or a line the file held
// before that is gone, fails the action. Then only the action's own keys get their earlier
// values back, never a value another program saved meanwhile; a file that was cut gets its
// bytes from before the action back, since the cut took more than the action's keys.
class ProfileWrites {
public:
    explicit ProfileWrites(const Profile& profile) : profile_(profile) {}
    ProfileWrites(const ProfileWrites&) = delete;
    ProfileWrites& operator=(const ProfileWrites&) = delete;

    void write(const char* section, const char* key, const std::string& text);
    void writeInt(const char* section, const char* key, int value) { write(section, key, std::to_string(value)); }
    // True when every write went through and reads back.
    [[nodiscard]] bool commit();

private:
    struct Written {
        std::string section;
        std::string key;
        std::string value;
        bool hadValue;
        std::string earlier;
    };
    void takeSnapshot();
    void restore(bool fileWasCut);

    const Profile& profile_;
    bool snapshotTaken_ = false;
    bool existed_ = false;
    std::string before_;
    ProfileContents beforeContents_;
    std::vector<Written> written_;
    bool failed_ = false;
};
