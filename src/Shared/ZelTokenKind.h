// What a token without letters is, so that an analysis can show it: a year ("2003"), a
// time ("8.30", "17:05"), another number ("3", "1,5", "12.000"), or nothing of these.
//
//   ZelNumberKind(u"8.30") == "time";  ZelNumberKind(u"1984") == "year"
#pragma once

#include <string>
#include <string_view>

std::string ZelNumberKind(std::u16string_view token);
