// The morphological automaton: states with sorted transitions whose labels and information
// strings live in a string pool. Entry state -1 starts a word, other negative states start
// further segments of it, positive states are inside a segment, and 0 accepts.
//
// The automaton file is mapped and its transition arrays used where they lie; every state
// number, count and string offset is checked against the real sizes when the files are
// loaded, so a corrupt file is an error naming it, never a read outside the data.
#pragma once

#include "ZelStreams.h"

#include "ZelHelpers.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One transition. In the file it takes 12 bytes, little-endian, in this order, at any
// alignment.
struct TZelMorphTransition {
    uint32_t LabelOffset = 0;
    uint32_t InfoOffset = 0;
    int16_t InfoId = 0;
    int16_t NextState = 0;
};

// A state: its transition records where they lie in the mapped file.
struct TZelMorphNode {
    int32_t Count = 0;
    const uint8_t* Records = nullptr;
    // For a state with many transitions: for each value of a label's first two bytes, the
    // index of the first transition whose label begins with that value or greater (a
    // one-byte label counts as its byte followed by 0).
    const uint32_t* Buckets = nullptr;

    TZelMorphTransition Transition(int32_t index) const;
    uint32_t LabelOffset(int32_t index) const {
        const uint8_t* p = Records + size_t(index) * 12;
        return ZelReadLE32(p);
    }
};

class TZelMorphAutoma {
public:
    // The longest input the matcher consumes.
    static constexpr int MaxConsumed = 127;

    TZelMorphAutoma() = default;
    TZelMorphAutoma(const TZelMorphAutoma&) = delete;
    TZelMorphAutoma& operator=(const TZelMorphAutoma&) = delete;

    // Maps the automaton file and reads its node headers (once per object).
    void LoadAutomaton(const std::string& fileName);
    // Inflates the string pool and checks every string offset of the automaton against it.
    void LoadStrings(const std::string& fileName);

    // The node of a state; nullptr for a state without one (0 included). A state outside
    // the automaton's range raises the list index error.
    const TZelMorphNode* Node(int32_t state) const;
    int32_t GetLowestState() const { return Lowest; }
    int32_t GetHighestState() const { return Lowest + int32_t(Nodes.size()) - 1; }

    // The NUL-terminated string at an offset of the pool.
    const char* String(uint32_t offset) const { return Pool.data() + offset; }
    uint32_t GetPoolSize() const { return uint32_t(Pool.size()); }

private:
    [[noreturn]] void RaiseInvalid(const std::string& fileName) const;
    void BuildBuckets();

    std::unique_ptr<TZelFileMappingStream> Stream;
    std::vector<TZelMorphNode> Nodes;
    std::vector<bool> HasNode;
    std::vector<std::vector<uint32_t>> BucketTables;
    int32_t Lowest = 0;
    uint32_t PoolSize = 0;
    std::string Pool;
    std::string AutomatonFile;
};

// Calls onMatch(transition, consumed) for every transition of the state whose label is a
// prefix of src (NUL-terminated, tokens separated by spaces) and at most MaxConsumed bytes
// long, in label order (shortest first). onMatch may return false to stop.
template <class F>
void ZelMatchTransitions(const TZelMorphAutoma& automaton, int32_t state, const char* src,
                         F&& onMatch);

#include "ZelMorphAutomaMatch.h"
