// Writes the files of a morphological automaton: the automaton (states and their sorted
// transitions) and the zlib-compressed string pool of labels and information strings.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class TZelAutomatonWriter {
public:
    TZelAutomatonWriter();

    // Adds a transition; strings are bytes in the automaton's code page, interned in the
    // pool (an empty information string means none).
    void AddTransition(int32_t state, const std::string& label, const std::string& info,
                       int16_t infoId, int16_t next);

    // Writes base + "_auto.kv2" and base + "_data.kv2"; transitions of every state sorted by
    // label bytes (then by the order they were added).
    void Write(const std::string& base) const;

    int32_t GetStateCount() const { return int32_t(States.size()); }
    size_t GetPoolSize() const { return Pool.size(); }

private:
    uint32_t Intern(const std::string& text);

    struct TTransition {
        uint32_t Label;
        uint32_t Info;
        int16_t InfoId;
        int16_t Next;
        uint32_t Order;
    };
    std::map<int32_t, std::vector<TTransition>> States;
    std::string Pool;
    std::map<std::string, uint32_t> Interned;
    uint32_t Added = 0;
};
