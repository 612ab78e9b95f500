// Sizes at a DPI: the program's sizes are 96-DPI ones, scaled by DPI/96.
#pragma once

constexpr int kBaseDpi = 96;

// value * dpi / 96, rounded half away from zero as MulDiv does; exact at 96.
constexpr long long scaledLong(long long value, int dpi)
{
    long long product = value * dpi;
    return product >= 0 ? (product + kBaseDpi / 2) / kBaseDpi : -((-product + kBaseDpi / 2) / kBaseDpi);
}

constexpr int scaled(int value, int dpi)
{
    return static_cast<int>(scaledLong(value, dpi));
}
