// Fuzzes the value written to the profile: read back as the profile functions read it, it is the value again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/ProfileValue.h"
#include "fuzz_support.h"

namespace {

// The profile functions drop blanks and tabs at either end, then a quote at each end when
// both are the same quote character.
std::string readBack(std::string stored)
{
    while (!stored.empty() && (stored.back() == ' ' || stored.back() == '\t'))
        stored.pop_back();
    while (!stored.empty() && (stored.front() == ' ' || stored.front() == '\t'))
        stored.erase(0, 1);
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') && stored.back() == stored.front())
        return stored.substr(1, stored.size() - 2);
    return stored;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A profile value ends at its first zero byte.
    std::string_view value(reinterpret_cast<const char*>(data), size);
    value = value.substr(0, value.find('\0'));

    std::string written = profileValueToWrite(value);
    FUZZ_CHECK(readBack(written) == value);
    // Only a pair of enclosing quotes is ever added.
    FUZZ_CHECK(written == value || written == "\"" + std::string(value) + "\"");
    auto changes = [](char c) { return c == '"' || c == '\'' || c == ' ' || c == '\t'; };
    if (value.empty() || (!changes(value.front()) && !changes(value.back())))
        FUZZ_CHECK(written == value);
    return 0;
}
