#include "ZelFormat.h"

#include <cstdio>
#include <vector>

namespace {

struct TConversion {
    bool ZeroPad = false;
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

// Reads the conversion starting after '%'; returns the position after it, or npos.
size_t ParseConversion(std::string_view f, size_t i, TConversion& c) {
    for (; i < f.size() && (f[i] == '0' || f[i] == '-'); ++i) {
        if (f[i] == '0')
            c.ZeroPad = true;
        else
            c.LeftAlign = true;
    }
    auto readNumber = [&](int& out) {
        int v = 0;
        bool any = false;
        while (i < f.size() && f[i] >= '0' && f[i] <= '9' && v < 1000) {
            v = v * 10 + (f[i] - '0');
            ++i;
            any = true;
        }
        if (any)
            out = v;
    };
    readNumber(c.Width);
    if (i < f.size() && f[i] == '.') {
        ++i;
        c.Precision = 0;
        readNumber(c.Precision);
    }
    if (i >= f.size())
        return std::string_view::npos;
    c.Type = f[i];
    if (c.Type != 'd' && c.Type != 'u' && c.Type != 'x' && c.Type != 'X' && c.Type != 's')
        return std::string_view::npos;
    return i + 1;
}

std::string FormatNumber(const TConversion& c, int64_t v) {
    std::string digits;
    bool negative = false;
    if (c.Type == 'x' || c.Type == 'X') {
        uint64_t u = uint64_t(v) & (v < 0 && v >= INT32_MIN ? 0xFFFFFFFFull : ~0ull);
        const char* hex = c.Type == 'x' ? "0123456789abcdef" : "0123456789ABCDEF";
        do {
            digits.insert(digits.begin(), hex[u % 16]);
            u /= 16;
        } while (u);
    } else {
        negative = v < 0;
        uint64_t u = negative ? uint64_t(0) - uint64_t(v) : uint64_t(v);
        do {
            digits.insert(digits.begin(), char('0' + u % 10));
            u /= 10;
        } while (u);
    }
    if (c.Precision > 0 && int(digits.size()) < c.Precision)
        digits.insert(0, size_t(c.Precision) - digits.size(), '0');
    if (negative)
        digits.insert(0, 1, '-');
    return digits;
}

void Pad(std::string& out, const TConversion& c, const std::string& body) {
    size_t width = c.Width > 0 ? size_t(c.Width) : 0;
    size_t fill = body.size() < width ? width - body.size() : 0;
    if (c.LeftAlign) {
        out += body;
        out.append(fill, ' ');
    } else {
        out.append(fill, c.ZeroPad && c.Type != 's' ? '0' : ' ');
        out += body;
    }
}

} // namespace

std::string ZelFormat(std::string_view format, std::initializer_list<TZelFormatArg> args) {
    std::vector<const TZelFormatArg*> list;
    for (const auto& a : args)
        list.push_back(&a);
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        TConversion c;
        size_t end = ParseConversion(format, i + 1, c);
        bool wantsNumber = c.Type != 's';
        if (end == std::string_view::npos || next >= list.size() ||
            list[next]->IsNumber != wantsNumber) {
            out += format[i];
            continue;
        }
        const TZelFormatArg& a = *list[next++];
        std::string body = wantsNumber ? FormatNumber(c, a.Number) : a.Text;
        if (!wantsNumber && c.Precision >= 0 && body.size() > size_t(c.Precision))
            body.resize(size_t(c.Precision));
        Pad(out, c, body);
        i = end - 1;
    }
    return out;
}
