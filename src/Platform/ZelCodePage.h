// Conversions between single-byte code pages, UTF-8 and UTF-16, and the system code page of
// this platform (the code page "byte strings handed to windows" are in; 1252 unless set).
// Code page numbers are the Windows ones: 1252, 1250, 28591 (ISO-8859-1), 65001 (UTF-8) ...
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr int ZelCpIso8859_1 = 28591;
constexpr int ZelCpWindows1252 = 1252;
constexpr int ZelCpUtf8 = 65001;

int ZelGetSystemCodePage();
void ZelSetSystemCodePage(int codePage);

bool ZelIsCodePageSupported(int codePage);

// Bytes in the code page to UTF-16. Bytes the code page does not define become the
// character with the same number, as the system conversion does for 1252. Raises
// EZelArgumentError for an unknown code page.
std::u16string ZelCodePageToWide(std::string_view bytes, int codePage);

// UTF-16 to the code page; a character the code page cannot hold becomes "?".
std::string ZelWideToCodePage(std::u16string_view text, int codePage);

// UTF-16 to the code page without replacement: false when a character cannot be held, with
// the index of the first such character in firstBad.
bool ZelTryWideToCodePage(std::u16string_view text, int codePage, std::string& out,
                          size_t* firstBad = nullptr);

std::u16string ZelUtf8ToWide(std::string_view utf8);
std::string ZelWideToUtf8(std::u16string_view text);
