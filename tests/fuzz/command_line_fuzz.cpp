// Fuzzes the resolver against a model disk that looks paths up as the system does ("." and ".."
// as steps): the intended program exists; programs, documents and folders are planted at every
// shorter prefix where a guess would find them first, at longer names that take in the arguments,
// and wherever a ".." in the arguments would lead; folders and extension-less files stand beside
// programs of their name. Whatever the command's shape, what starts is what the user named; a
// batch file's line leaves no character cmd.exe acts on outside quotes.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "launch/CommandResolver.h"

namespace {

std::map<std::string, PathKind> disk;

LeadByteTest diskLead = noLead;

PathKind onDisk(const std::string& path)
{
    auto found = disk.find(systemPath(path, diskLead));
    return found == disk.end() ? PathKind::missing : found->second;
}

void plant(const std::string& path, PathKind kind)
{
    disk.emplace(systemPath(path, diskLead), kind);
}

struct Bits {
    std::uint32_t mask;
    unsigned next = 0;
    unsigned take(unsigned width)
    {
        unsigned value = (mask >> (next % 32)) & ((1u << width) - 1);
        next += width;
        return value;
    }
};

bool trailOk(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// A path the file system could hold: no quotes or control characters, double-byte
// characters whole, and no name that ends in a dot or a blank.
std::string saneName(std::string_view raw, LeadByteTest isLead)
{
    std::vector<std::string> characters;
    auto lastIs = [&](auto test) { return !characters.empty() && characters.back().size() == 1 && test(characters.back()[0]); };
    auto endsBadly = [](char c) { return c == '.' || isBlank(c) || c == '\\'; };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(raw[i]);
        if (c < 0x20 || c == 0x7F || c == '"' || c == ':' || c == '/' || c == '*' || c == '?' || c == '<' ||
            c == '>' || c == '|')
            continue;
        if (isLead(c)) {
            if (i + 1 < raw.size() && trailOk(static_cast<unsigned char>(raw[i + 1])))
                characters.emplace_back(raw.substr(i, 2));
            ++i;
            continue;
        }
        if (c == '\\') {
            // No empty name, and no name that ends in a dot or a blank.
            if (characters.empty() || lastIs(endsBadly))
                continue;
        }
        characters.emplace_back(1, static_cast<char>(c));
    }
    while (lastIs(endsBadly))
        characters.pop_back();
    std::string name;
    for (const std::string& character : characters)
        name += character;
    return name;
}

// Whether every character cmd.exe acts on lies inside quotes.
bool specialsQuoted(std::string_view line)
{
    bool inside = false;
    for (char c : line) {
        if (c == '"')
            inside = !inside;
        else if (!inside && isShellSpecial(c))
            return false;
    }
    return true;
}

// Whether the system reads a path as another one: a ".." steps back over the name before
// it, and a name's dots and blanks at its end are dropped.
bool rewritesNames(std::string_view path, LeadByteTest isLead)
{
    std::size_t start = 3;
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i < path.size() && isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (i < path.size() && path[i] != '\\' && path[i] != '/')
            continue;
        std::string_view name = path.substr(start, i - start);
        if (name == ".." || (!name.empty() && name != "." && (name.back() == '.' || isBlank(name.back()))))
            return true;
        start = i + 1;
    }
    return false;
}

} // namespace

// Byte 0: the code page (bit 0), the extension (bits 1-2, 3 none), the command's shape (bits 3-4),
// how many ".." the arguments begin with (bits 5-7); bytes 1-4: what is planted at each other
// prefix; then the program's name, a zero byte, the arguments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return 0;
    LeadByteTest isLead = leadTestFrom(data[0]);
    diskLead = isLead;
    unsigned extensionChoice = (data[0] >> 1) & 3;
    unsigned shape = (data[0] >> 3) & 3;
    unsigned stepsBack = (data[0] >> 5) & 7;
    Bits bits{static_cast<std::uint32_t>(data[1] | data[2] << 8 | data[3] << 16 |
                                         static_cast<std::uint32_t>(data[4]) << 24)};
    std::string_view rest(reinterpret_cast<const char*>(data + 5), size - 5);
    std::size_t zero = rest.find('\0');
    std::string name = saneName(rest.substr(0, zero), isLead);
    std::string arguments;
    for (std::size_t i = 0; i < stepsBack; ++i)
        arguments += "..\\";
    for (char c : zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1))
        if (!hasControlCharacter(std::string_view(&c, 1)))
            arguments += c;
    if (name.empty())
        return 0;

    // The program as typed (perhaps without its extension) and the file it is.
    std::string typed = "C:\\" + name;
    std::string file = typed;
    bool ownExtension = extensionChoice != 3;
    if (!ownExtension) {
        if (!splitPath(typed, isLead).extension.empty())
            return 0;
        file += ".exe";
    } else {
        if (startKindOf(typed, isLead) != StartKind::document)
            return 0; // already has a program's extension: its own case
        typed += kProgramExtensions[extensionChoice == 0 ? 0 : extensionChoice + 1];
        file = typed;
    }
    // Shape 3: the name as typed is a folder or an extension-less file, with programs of its name beside it.
    bool namesItself = shape == 3 && !ownExtension;
    disk.clear();
    disk["C:\\"] = PathKind::folder;
    if (namesItself) {
        plant(typed, bits.take(1) ? PathKind::folder : PathKind::file);
        for (const char* extension : kProgramExtensions)
            plant(typed + extension, PathKind::file);
    } else {
        plant(file, PathKind::file);
    }
    // The folders the name walks through are there, so a ".." of its own is a step the user took.
    for (std::size_t i = 3; i < typed.size(); ++i) {
        if (isLead(static_cast<unsigned char>(typed[i]))) {
            ++i;
            continue;
        }
        if (typed[i] == '\\')
            plant(typed.substr(0, i), PathKind::folder);
    }
    // What a guess would find first at a shorter prefix, ending at a blank: a program once an
    // extension is added, a folder, a document without extension.
    for (std::size_t end = 3; end < typed.size(); ++end) {
        if (!isBlank(typed[end]))
            continue;
        std::string prefix = typed.substr(0, end);
        unsigned what = bits.take(3);
        if (what < 4)
            plant(prefix + kProgramExtensions[what], PathKind::file);
        else if (what == 4)
            plant(prefix, PathKind::folder);
        else if (splitPath(prefix, isLead).extension.empty())
            plant(prefix, PathKind::file);
    }
    std::string args = arguments.empty() || isBlank(arguments.front()) ? arguments : " " + arguments;
    // Longer names that take in the arguments, and where a ".." in them would lead. A name with
    // its own extension wins over all of them; one without wins over what only a step back
    // reaches. (A folder there would be one the command walks through, which the user named.)
    std::string whole = typed + args;
    // A step back may lead onto a shorter prefix of the name itself, which the user wrote.
    std::set<std::string> written;
    for (std::size_t end = 3; end < typed.size(); ++end)
        if (isBlank(typed[end]))
            written.insert(systemPath(typed.substr(0, end), isLead));
    auto plantAway = [&](const std::string& path, PathKind kind) {
        if (!written.count(systemPath(path, isLead)))
            plant(path, kind);
    };
    for (std::size_t end = typed.size() + 1; end <= whole.size() && !namesItself; ++end) {
        if (end < whole.size() && !isBlank(whole[end]) && whole[end] != '"')
            continue;
        std::string longer = whole.substr(0, end);
        bool stepped = rewritesNames(longer, isLead);
        unsigned what = bits.take(2);
        if (ownExtension && what == 0)
            plantAway(longer, PathKind::file);
        else if (ownExtension || stepped)
            plantAway(longer + kProgramExtensions[what], PathKind::file);
    }
    if (disk[systemPath(namesItself ? typed : file, isLead)] == PathKind::missing)
        return 0;
    if (!namesItself && disk[systemPath(file, isLead)] != PathKind::file)
        return 0; // a planted name took the program's own

    std::string command;
    switch (shape) {
    case 1:
        command = "\"" + typed + "\"" + args;
        break;
    case 2:
        // Written by hand as "program" "argument"; the profile took the outer pair.
        command = typed + "\" \"" + arguments;
        break;
    default:
        command = namesItself ? typed : typed + args;
        break;
    }

    ResolvedCommand r = resolveCommand(command, FileLookup{onDisk, {}, "C:\\zel", nullptr}, isLead);
    if (namesItself) {
        FUZZ_CHECK(r.kind == StartKind::document && r.file == typed);
        return 0;
    }
    FUZZ_CHECK(r.kind != StartKind::missing);
    FUZZ_CHECK(r.file == file);
    FUZZ_CHECK(r.kind == startKindOf(file, isLead));
    // The program sees the program part it was named by, quoted where it holds a blank.
    if (shape == 1)
        FUZZ_CHECK(r.programPart == "\"" + typed + "\"" && r.arguments == args);
    else
        FUZZ_CHECK(r.programPart == (hasBlank(typed) ? inQuotes(typed) : typed));
    if (shape == 0)
        FUZZ_CHECK(r.arguments == args);

    if (r.kind == StartKind::batch) {
        std::string line = batchCommandLine(r.file, r.arguments + " " + droppedArgument(arguments, isLead));
        if (!line.empty()) {
            std::string head = "cmd.exe /d /v:off /s /c \"\"" + file + "\"";
            FUZZ_CHECK(line.compare(0, head.size(), head) == 0 && line.back() == '"');
            FUZZ_CHECK(specialsQuoted(line.substr(head.size() - 1 - file.size() - 1)));
            std::size_t percent = line.find('%');
            FUZZ_CHECK(percent == std::string::npos || line.find('%', percent + 1) == std::string::npos);
        }
    }
    return 0;
}
