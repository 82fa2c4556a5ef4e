#include "ZelAutomatonWriter.h"

#include "ZelErrors.h"
#include "ZelFiles.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {
void Put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}
} // namespace

TZelAutomatonWriter::TZelAutomatonWriter() : Pool(1, '\0') {
    // Offset 0 holds the empty string: "no information".
    Interned[""] = 0;
}

uint32_t TZelAutomatonWriter::Intern(const std::string& text) {
    if (text.find('\0') != std::string::npos)
        throw EZelError("A label or information string cannot hold a NUL byte");
    auto [it, added] = Interned.emplace(text, uint32_t(Pool.size()));
    if (added) {
        Pool += text;
        Pool += '\0';
    }
    return it->second;
}

void TZelAutomatonWriter::AddTransition(int32_t state, const std::string& label,
                                        const std::string& info, int16_t infoId, int16_t next) {
    if (state == 0 || state < INT16_MIN || state > INT16_MAX)
        throw EZelError("State numbers are 16-bit and 0 accepts");
    States[state].push_back({Intern(label), Intern(info), infoId, next, Added++});
}

void TZelAutomatonWriter::Write(const std::string& base) const {
    int32_t lowest = -1, highest = -1;
    for (const auto& [state, list] : States) {
        lowest = std::min(lowest, state);
        highest = std::max(highest, state);
        for (const TTransition& t : list)
            if (t.Next != 0) {
                lowest = std::min<int32_t>(lowest, t.Next);
                highest = std::max<int32_t>(highest, t.Next);
            }
    }
    std::string automaton;
    Put32(automaton, uint32_t(States.size()));
    Put32(automaton, uint32_t(lowest));
    Put32(automaton, uint32_t(highest));
    for (const auto& [state, unsorted] : States) {
        std::vector<TTransition> list = unsorted;
        std::sort(list.begin(), list.end(), [&](const TTransition& a, const TTransition& b) {
            int c = std::strcmp(Pool.c_str() + a.Label, Pool.c_str() + b.Label);
            return c != 0 ? c < 0 : a.Order < b.Order;
        });
        automaton += '#';
        Put32(automaton, uint32_t(state));
        Put32(automaton, uint32_t(list.size()));
        for (const TTransition& t : list) {
            Put32(automaton, t.Label);
            Put32(automaton, t.Info);
            Put16(automaton, uint16_t(t.InfoId));
            Put16(automaton, uint16_t(t.Next));
        }
    }
    Put32(automaton, uint32_t(Pool.size()));
    uLongf packedSize = compressBound(uLong(Pool.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(Pool.data()), uLong(Pool.size()), 9) != Z_OK)
        throw EZelError("Cannot compress the string pool");
    packed.resize(packedSize);
    ZelWriteFileAtomic(base + "_auto.kv2", automaton);
    ZelWriteFileAtomic(base + "_data.kv2", packed);
}
