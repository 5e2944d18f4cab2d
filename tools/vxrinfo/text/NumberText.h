#pragma once

#include <string>

// Numbers as text with the fewest digits that read back to the same value: a float prints as
// the shortest text that parses back to the same 32-bit value, a double to the same 64-bit one.
// Always a dot as decimal separator, whatever the locale.
std::string formatDouble(double value);
std::string formatFloat(float value);

// Fixed-point text with at most `decimals` decimals and no trailing zeros, for pictures and
// summaries where round-tripping does not matter.
std::string formatShort(double value, int decimals);
