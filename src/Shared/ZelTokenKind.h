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

// What a run of touching tokens is when it is an address: "e-mail" for "anna@example.org",
// "web" for "http://example.org/a.html", "www.example.org" or "example.org" (a name ending
// in a common top-level domain), else nothing.
std::string ZelAddressKind(std::u16string_view run);

// Whether a text may hold a number: a digit. A text without one is left alone.
bool ZelMayHoldNumber(std::u16string_view text);

// Whether a text may hold an address: a dot or an at sign directly before a letter or a
// digit. A text without one is left alone, which spares the scan of its tokens.
bool ZelMayHoldAddress(std::u16string_view text);

// The analysis of a sentence with its e-mail and web addresses read whole: the tokens the
// analyser cut an address into ("slashdot", ".", "org") become one reading of the address,
// described in the language ("indirizzo web" for Italian, "web address" for others).
void ZelReadAddresses(IZelSentenceItem& sentence, TZelLanguage language);
