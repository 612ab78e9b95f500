// Fuzzes the field cut: a prefix, within the size, on a character boundary, and the longest such.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/TextCut.h"
#include "fuzz_support.h"

// Byte 0: bit 0 the code page, bit 1 the default field size, bit 2 the high bit of
// the size; byte 1: the size's low byte; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    LeadByteTest isLead = leadTestFrom(data[0]);
    bool byDefault = (data[0] & 2) != 0;
    std::size_t maxBytes = byDefault ? kFieldBytes : (static_cast<std::size_t>(data[0] & 4) << 6 | data[1]);
    std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    std::string cut = byDefault ? cutToField(text, isLead) : cutToField(text, isLead, maxBytes);
    std::size_t length = fittingLength(text, isLead, maxBytes);
    FUZZ_CHECK(cut.size() == length);
    FUZZ_CHECK(length <= maxBytes);
    FUZZ_CHECK(text.substr(0, length) == cut);
    FUZZ_CHECK(isCharacterStart(text, isLead, length));
    // The next character would not have fitted.
    if (length < text.size()) {
        bool pair = isLead(static_cast<unsigned char>(text[length])) && length + 1 < text.size();
        FUZZ_CHECK(length + (pair ? 2 : 1) > maxBytes);
    }
    return 0;
}
