// Fuzzes one auto-hide tick with any numbers: no undefined behaviour, moves within the array, and for a
// bar of a sane height a slide that stays within the bar and runs one way.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "bar/AutoHide.h"
#include "fuzz_support.h"

// Nine 32-bit little-endian integers, the fields in order (iconic: the low bit), then a DPI
// picked from the common ones; missing bytes are zero.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::int32_t field[10] = {};
    if (size > 0)
        std::memcpy(field, data, size < sizeof field ? size : sizeof field);
    AutoHideInput in{};
    in.silent = field[0];
    in.userHidden = field[1];
    in.iconic = (field[2] & 1) != 0;
    in.barShown = field[3];
    in.menuPos = field[4];
    in.pointerY = field[5];
    in.screenHeight = field[6];
    in.barHeight = field[7];
    in.silentSize = field[8];
    const int dpis[] = {96, 120, 144, 168, 192, 288};
    in.dpi = dpis[static_cast<std::uint32_t>(field[9]) % 6];

    AutoHideResult out = autoHideStep(in);
    FUZZ_CHECK(out.count >= 0 && out.count <= kMaxSlideMoves);
    bool watches = in.silent != 0 && in.userHidden == 0 && !in.iconic;
    if (!watches || out.barShown == in.barShown) {
        FUZZ_CHECK(out.barShown == in.barShown && out.count == 0);
        return 0;
    }
    // A slide only starts from a bar that is fully shown or fully hidden.
    bool retract = in.barShown == 1;
    FUZZ_CHECK(retract ? out.barShown == 0 : (in.barShown == 0 && out.barShown == 1));

    // The moves of a bar whose slide fits the array, on a screen of a sane height.
    bool sane = in.barHeight >= 1 && in.barHeight <= 2 * kMaxSlideMoves + 1 && in.screenHeight >= in.barHeight &&
                in.screenHeight <= 1 << 20;
    if (!sane)
        return 0;
    for (int i = 0; i < out.count; ++i) {
        const SlideMove& move = out.moves[static_cast<std::size_t>(i)];
        FUZZ_CHECK(move.height >= 1 && move.height <= scaled(in.barHeight, in.dpi));
        FUZZ_CHECK(move.y == (in.menuPos != 0 ? in.screenHeight - move.height : 0));
        if (i > 0) {
            int before = out.moves[static_cast<std::size_t>(i - 1)].height;
            FUZZ_CHECK(retract ? move.height < before : move.height > before);
        }
    }
    return 0;
}
