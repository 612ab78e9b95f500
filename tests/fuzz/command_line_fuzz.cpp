// Fuzzes the click and drop command lines against a fuzzed file system: only quotes are
// added, around the whole command or its longest blank-ended prefix naming a program file.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "launch/DropCommand.h"

namespace {

std::map<std::string, PathKind> files;

PathKind fakeKind(const std::string& path)
{
    auto found = files.find(path);
    return found == files.end() ? PathKind::missing : found->second;
}

bool blank(char c)
{
    return c == ' ' || c == '\t';
}

bool anyBlank(std::string_view text)
{
    for (char c : text)
        if (blank(c))
            return true;
    return false;
}

bool ascii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// For a single-byte text only: its name (after drive and directory) is there and has no dot.
bool asciiNameWithoutExtension(std::string_view path)
{
    if (!ascii(path))
        return false;
    if (path.size() >= 2 && path[1] == ':')
        path.remove_prefix(2);
    std::size_t slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return !name.empty() && name.find('.') == std::string_view::npos;
}

// Two bits of the mask per name the command could stand for, in turn.
struct Bits {
    std::uint32_t mask;
    unsigned next = 0;
    unsigned take()
    {
        unsigned value = (mask >> (next % 32)) & 3;
        next += 2;
        return value;
    }
};

// Makes the whole command and some of its blank-ended prefixes (or those with
// ".exe", where that could be tried) exist as files or folders.
void makeFiles(const std::string& command, Bits bits)
{
    files.clear();
    unsigned whole = bits.take();
    if (whole == 1)
        files[command] = PathKind::file;
    else if (whole == 2)
        files[command] = PathKind::folder;
    for (std::size_t end = 1; end < command.size(); ++end) {
        if (!blank(command[end]))
            continue;
        std::string prefix = command.substr(0, end);
        switch (bits.take()) {
        case 1:
            files[prefix] = PathKind::file;
            break;
        case 2:
            files[prefix] = PathKind::folder;
            break;
        case 3:
            if (asciiNameWithoutExtension(prefix))
                files[prefix + ".exe"] = PathKind::file;
            break;
        }
    }
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

} // namespace

// Byte 0: bit 0 the code page; bytes 1-4: which names exist; then the command,
// a zero byte and the dropped path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    LeadByteTest isLead = leadTestFrom(data[0]);
    Bits bits{static_cast<std::uint32_t>(data[1] | data[2] << 8 | data[3] << 16 | static_cast<std::uint32_t>(data[4]) << 24)};
    std::string_view rest(reinterpret_cast<const char*>(data + 5), size - 5);
    std::size_t zero = rest.find('\0');
    std::string command(rest.substr(0, zero));
    std::string path(zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1));
    makeFiles(command, bits);

    std::string click = clickCommandLine(command, fakeKind, isLead);
    // Only one pair of quotes is ever added: around the whole command, or around a
    // prefix that a blank follows. What is quoted names something: the whole command
    // a file or folder, a prefix a program file (as given or with ".exe").
    std::size_t quotedEnd = 0;
    for (std::size_t end = 1; end <= command.size() && !quotedEnd && click != command; ++end)
        if ((end == command.size() || blank(command[end])) && click == quoted(command.substr(0, end)) + command.substr(end))
            quotedEnd = end;
    FUZZ_CHECK(click == command || quotedEnd != 0);
    if (quotedEnd != 0 && quotedEnd == command.size())
        FUZZ_CHECK(fakeKind(command) != PathKind::missing);
    else if (quotedEnd != 0)
        FUZZ_CHECK(fakeKind(command.substr(0, quotedEnd)) == PathKind::file ||
                   fakeKind(command.substr(0, quotedEnd) + ".exe") == PathKind::file);
    // A whole existing command with a blank is always quoted whole; a quoted or blank-free one never.
    if (command.empty() || command.front() == '"' || !anyBlank(command))
        FUZZ_CHECK(click == command);
    else if (fakeKind(command) != PathKind::missing)
        FUZZ_CHECK(quotedEnd == command.size());

    // The drop line: the click line, a blank, and the path with a dot where its
    // name has no extension, quoted exactly when it holds a blank.
    std::string drop = dropCommandLine(command, path, isLead, fakeKind);
    FUZZ_CHECK(drop.size() > click.size() && drop.compare(0, click.size(), click) == 0);
    FUZZ_CHECK(drop[click.size()] == ' ');
    std::string argument = drop.substr(click.size() + 1);
    bool dotted = argument == path + "." || argument == quoted(path + ".");
    std::string bare = dotted ? path + "." : path;
    FUZZ_CHECK(argument == (anyBlank(bare) ? quoted(bare) : bare));
    if (ascii(path))
        FUZZ_CHECK(dotted == asciiNameWithoutExtension(path));
    return 0;
}
