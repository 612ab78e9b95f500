// What the fuzz targets share: the lead-byte tests and a check that stops the run with a message.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "framework/TextCut.h"

inline bool cp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

inline bool noLead(unsigned char)
{
    return false;
}

// The low bit of a control byte picks the code page.
inline LeadByteTest leadTestFrom(unsigned char control)
{
    return (control & 1) ? cp932Lead : noLead;
}

// Where each character of text starts, walking it as the code page reads it,
// and its end: a lead byte with a byte after it takes that byte along.
inline bool isCharacterStart(std::string_view text, LeadByteTest isLead, std::size_t at)
{
    std::size_t i = 0;
    while (i < at)
        i += (isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    return i == at;
}

// libFuzzer reports the abort as a crash and keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)
