// Writes a QTextDocument as RTF that the RTF reader gives back unchanged: fonts, sizes
// (as they are before any zoom), bold, italic, underline, strike-out, super- and subscript,
// colours, highlights, \langN, paragraph alignment and indents, tabs, line breaks and
// pictures (as PNG). Characters of the code page are written as "\'hh", others as "\uN?".
#pragma once

#include <string>

class QTextDocument;

std::string ZelWriteRtf(const QTextDocument& document, int codePage = 1252);
