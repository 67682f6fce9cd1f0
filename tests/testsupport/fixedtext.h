#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

// Fills a fixed-size text field of a wire record the way a unit does: the text, cut to the
// field, and zeros after it. No terminator is promised when the text fills the field.
template <std::size_t N> void putFixedText(char (&field)[N], const char* text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text, std::min(N, std::strlen(text)));
}
