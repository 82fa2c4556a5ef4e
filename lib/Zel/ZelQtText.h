// Texts of the engine as Qt strings. Qt's own QString::fromStdU16String reads a leading
// U+FEFF or U+FFFE as a byte-order mark (it drops the one and swaps the bytes of the
// text after the other), so a text that happens to begin with one would lose characters
// or turn into others: these copy every code unit as it is.
#pragma once

#include "ZelCodePage.h"

#include <QString>

#include <string>
#include <string_view>

inline QString ZelQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// Bytes in the system code page.
inline QString ZelQStringFromSystem(std::string_view bytes) {
    return ZelQString(ZelCodePageToWide(bytes, ZelGetSystemCodePage()));
}
