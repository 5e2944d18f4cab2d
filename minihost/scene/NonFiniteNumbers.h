#pragma once
// The spellings the host's scene files use for values that are not finite numbers. What a
// file holds depends on the C library of the machine that saved it: "nan", "-nan", "inf",
// "-inf" (glibc, macOS), "-nan(ind)" (newer Windows: the lexer hands "(ind)" over apart),
// "1.#QNAN", "1.#SNAN", "-1.#IND", "1.#INF" with trailing zeros ("1.#INF00") (older Windows).

#include <string_view>

namespace minihost::scenefile {

// The value a non-finite spelling names; false for any other text.
bool parseNonFiniteNumber(std::string_view text, double& out);

}  // namespace minihost::scenefile
