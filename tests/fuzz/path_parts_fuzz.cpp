// Fuzzes the path split: parts within 255 bytes, split at character boundaries, and whole again when nothing was cut.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/PathParts.h"
#include "fuzz_support.h"

namespace {

// Whether a byte of text that starts a character is one of the given ones.
bool holdsCharacter(std::string_view text, LeadByteTest isLead, std::string_view which, std::size_t from = 0)
{
    for (std::size_t i = 0; i < text.size();) {
        if (i >= from && which.find(text[i]) != std::string_view::npos)
            return true;
        i += (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return false;
}

} // namespace

// Byte 0: bit 0 the code page; the rest is the path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    LeadByteTest isLead = leadTestFrom(data[0]);
    std::string_view path(reinterpret_cast<const char*>(data + 1), size - 1);

    PathParts p = splitPath(path, isLead);
    for (const std::string* part : {&p.drive, &p.directory, &p.baseName, &p.extension})
        FUZZ_CHECK(part->size() <= 255);
    FUZZ_CHECK(p.drive.empty() || (p.drive.size() == 2 && p.drive[1] == ':'));

    // A cut part keeps at least 254 bytes (255, less a split character); shorter ones are whole.
    bool anyCut = p.directory.size() >= 254 || p.baseName.size() >= 254 || p.extension.size() >= 254;
    if (anyCut) {
        FUZZ_CHECK(path.substr(0, p.drive.size()) == p.drive);
        return 0;
    }
    std::string whole = p.drive + p.directory + p.baseName + p.extension;
    FUZZ_CHECK(whole == path);

    // Each part starts on a character of the whole path.
    std::size_t at = 0;
    for (const std::string* part : {&p.drive, &p.directory, &p.baseName, &p.extension}) {
        FUZZ_CHECK(isCharacterStart(path, isLead, at));
        at += part->size();
    }
    // The directory ends with a separator; the name after it holds none, and its
    // extension starts at its last dot.
    std::size_t nameAt = p.drive.size() + p.directory.size();
    FUZZ_CHECK(p.directory.empty() || (isSeparator(p.directory.back()) && isCharacterStart(path, isLead, nameAt - 1)));
    std::string name = p.baseName + p.extension;
    FUZZ_CHECK(!holdsCharacter(name, isLead, "\\/"));
    FUZZ_CHECK(!p.extension.empty() || !holdsCharacter(p.baseName, isLead, "."));
    FUZZ_CHECK(p.extension.empty() || p.extension.front() == '.');
    FUZZ_CHECK(!holdsCharacter(p.extension, isLead, ".", 1));
    // No drive unless the path starts with a single-byte character and a colon.
    bool driveLike = path.size() >= 2 && path[1] == ':' && !isLead(static_cast<unsigned char>(path[0]));
    FUZZ_CHECK(p.drive.empty() != driveLike);
    return 0;
}
