// Plain-text files as people have them: the encoding is the one the byte-order mark names
// (UTF-8, UTF-16 little or big endian), else UTF-8 when the bytes are valid UTF-8, else
// Windows Latin-1 (code page 1252). A text is written back in the encoding it was read in,
// byte-order mark included.
#pragma once

#include <string>
#include <string_view>

enum class TZelTextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };

std::u16string ZelDecodeText(std::string_view bytes, TZelTextEncoding& encoding);
// Characters Windows Latin-1 cannot hold are written as "?".
std::string ZelEncodeText(std::u16string_view text, TZelTextEncoding encoding);
