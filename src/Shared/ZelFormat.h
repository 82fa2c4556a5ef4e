// A small, safe printf-style formatter for resource strings. Only the conversions the
// program's texts use are known: %d %u %x %X %s, an optional zero flag, width and precision
// (%.3d, %.2d, %.*x is not supported), and %%. A conversion without a matching argument or of
// the wrong kind is written as it stands instead of reading arbitrary memory, so a text that
// comes from a data file can never do harm.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class TZelFormatArg {
public:
    TZelFormatArg(int v) : IsNumber(true), Number(v) {}
    TZelFormatArg(unsigned v) : IsNumber(true), Number(v) {}
    TZelFormatArg(long v) : IsNumber(true), Number(v) {}
    TZelFormatArg(unsigned long v) : IsNumber(true), Number(int64_t(v)) {}
    TZelFormatArg(long long v) : IsNumber(true), Number(v) {}
    TZelFormatArg(const char* v) : IsNumber(false), Text(v ? v : "") {}
    TZelFormatArg(std::string_view v) : IsNumber(false), Text(v) {}
    TZelFormatArg(const std::string& v) : IsNumber(false), Text(v) {}

    bool IsNumber;
    int64_t Number = 0;
    std::string Text;
};

std::string ZelFormat(std::string_view format, std::initializer_list<TZelFormatArg> args);
