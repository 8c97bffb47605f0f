// The number helpers every computation and every text of the program goes through.
#pragma once

#include <cfloat>
#include <cstdint>
#include <string>

static_assert(LDBL_MANT_DIG == 64, "intermediate results need the 80-bit extended format");

// Integer part (truncation toward zero). Values beyond the int32 range saturate;
// a NaN gives 0, so untrusted numbers can never cause undefined behaviour.
int32_t truncToInt(long double value);

// A whole number kept inside the int32 range (levels read from files are untrusted).
int32_t clampToInt32(long long value);

// a + b in 32-bit two's complement, wrapping at the ends of the range. Adding a
// correction and taking it off again gives back every stored value exactly, however
// extreme the value read from a file.
int32_t wrappingAdd(int32_t a, int32_t b);

// The program's rounding: add 0.5, then truncate toward zero (-1.7 gives -1).
int32_t roundHalfUp(long double value);

// Fixed-point text rounded to three significant digits: the exact value is rounded
// once, half away from zero, at the coarser of the third significant digit and the
// last printed decimal, then printed with exactly `decimals` decimals
// (2.25 -> "2.3", 1234 -> "1230", 99.96 -> "100.0"). Zero never carries a minus sign.
std::string formatSig3(double value, int decimals);

// Fixed-point text with exactly `decimals` decimals, the exact value rounded once,
// half away from zero, at the last decimal; no limit on significant digits
// (the double 123.45 -> "123.5" with one decimal, 2.25 -> "2.3"; the float 123.45f,
// 123.4499969..., -> "123.4"). Zero never carries a minus
// sign; a value that is no number gives no text.
std::string formatFixed(double value, int decimals);

// A whole number as plain decimal text.
std::string formatInt(long long value);

// The shortest decimal text that reads back as the same float ("null" for NaN or
// infinity, which JSON cannot hold).
std::string shortestFloat(float value);
