// What a token without letters is, so that an analysis can show it: a year ("2003"), a
// time ("8.30", "17:05"), another number ("3", "1,5", "12.000"), or nothing of these.
//
//   ZelNumberKind(u"8.30") == "time";  ZelNumberKind(u"1984") == "year"
#pragma once

#include "ZelSentenceItem.h"

#include <string>
#include <string_view>

std::string ZelNumberKind(std::u16string_view token);

// The analysis of a sentence with its numbers read whole: the tokens the analyser cut a
// number into ("8", ".", "30") become one reading of the whole number, described as what it
// is in the language ("ora" for Italian, "time" for others), so that it shows in the
// analysis instead of vanishing. Other tokens stay as they are.
void ZelReadNumbers(IZelSentenceItem& sentence, TZelLanguage language);
