#pragma once
// Conversions between the UTF-16 text of the program's fixed file fields and the UTF-8 that
// file names and the rest of the program use. Bytes that are not valid in the source encoding
// (an unpaired surrogate read from a damaged file, a broken UTF-8 sequence) become U+FFFD;
// the conversions never throw.

#include <string>
#include <string_view>

namespace quenlar {

std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

} // namespace quenlar
