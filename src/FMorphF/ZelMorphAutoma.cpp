#include "ZelMorphAutoma.h"

#include "ZelHelpers.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

uint32_t ReadUInt32(const uint8_t* p) {
    return ZelReadLE32(p);
}

int32_t ReadInt32(const uint8_t* p) {
    return int32_t(ReadUInt32(p));
}

int16_t ReadInt16(const uint8_t* p) {
    return int16_t(ZelReadLE16(p));
}

} // namespace

void TZelMorphAutoma::RaiseInvalid(const std::string& fileName) const {
    throw EZelStreamError(ZelFormat(ZelLoadStr(TZelResId::InvalidStreamFormatInFile), {fileName}));
}

void TZelMorphAutoma::LoadAutomaton(const std::string& fileName) {
    ZEL_ASSERT(!Stream);
    auto stream = std::make_unique<TZelFileMappingStream>(fileName);
    const uint8_t* data = stream->GetMemory();
    int64_t size = stream->GetSize();
    int64_t pos = 0;
    auto need = [&](int64_t bytes) {
        if (bytes < 0 || pos + bytes > size)
            RaiseInvalid(fileName);
    };
    need(12);
    int32_t count = ReadInt32(data);
    int32_t lowest = ReadInt32(data + 4);
    int32_t highest = ReadInt32(data + 8);
    pos = 12;
    // State numbers are 16-bit; the range must hold the entry state -1.
    if (count < 0 || lowest < INT16_MIN || highest > INT16_MAX || lowest > -1 || highest < lowest)
        RaiseInvalid(fileName);
    std::vector<TZelMorphNode> nodes(size_t(highest - lowest + 1));
    std::vector<bool> hasNode(nodes.size(), false);
    for (int32_t n = 0; n < count; ++n) {
        need(9);
        if (data[pos] != '#')
            RaiseInvalid(fileName);
        int32_t state = ReadInt32(data + pos + 1);
        int32_t transitions = ReadInt32(data + pos + 5);
        pos += 9;
        if (state < lowest || state > highest || state == 0 || transitions < 0 ||
            hasNode[size_t(state - lowest)])
            RaiseInvalid(fileName);
        need(int64_t(transitions) * 12);
        TZelMorphNode& node = nodes[size_t(state - lowest)];
        node.Count = transitions;
        node.Records = data + pos;
        hasNode[size_t(state - lowest)] = true;
        pos += int64_t(transitions) * 12;
        for (int32_t t = 0; t < transitions; ++t) {
            int16_t next = node.Transition(t).NextState;
            if (next != 0 && (next < lowest || next > highest))
                RaiseInvalid(fileName);
        }
    }
    need(4);
    int32_t poolSize = ReadInt32(data + pos);
    if (poolSize < 1)
        RaiseInvalid(fileName);
    Stream = std::move(stream);
    Nodes = std::move(nodes);
    HasNode = std::move(hasNode);
    Lowest = lowest;
    PoolSize = uint32_t(poolSize);
    AutomatonFile = fileName;
}

void TZelMorphAutoma::LoadStrings(const std::string& fileName) {
    ZEL_ASSERT(Stream);
    TZelFileMappingStream packed(fileName);
    // zlib cannot expand data by more than about 1032 times: a larger size is corrupt.
    if (uint64_t(PoolSize) > uint64_t(packed.GetSize()) * 1100 + 1024)
        RaiseInvalid(AutomatonFile);
    std::string pool(PoolSize, '\0');
    uLongf length = PoolSize;
    int status = uncompress(reinterpret_cast<Bytef*>(pool.data()), &length, packed.GetMemory(),
                            uLong(packed.GetSize()));
    if (status != Z_OK || length != PoolSize || pool.back() != 0) {
        if (status == Z_OK || status == Z_BUF_ERROR)
            throw EZelStreamError(ZelLoadStr(TZelResId::StreamReadError) + " (" + fileName + ")");
        RaiseInvalid(fileName);
    }
    // Every string the automaton names must lie in the pool (which ends with a NUL, so
    // each of them ends inside it).
    for (const TZelMorphNode& node : Nodes)
        for (int32_t t = 0; t < node.Count; ++t) {
            TZelMorphTransition transition = node.Transition(t);
            if (transition.LabelOffset >= PoolSize || transition.InfoOffset >= PoolSize)
                RaiseInvalid(AutomatonFile);
        }
    Pool = std::move(pool);
    BuildBuckets();
}

namespace {
constexpr int32_t BucketedStates = 512; // states with at least this many transitions

uint32_t BucketKey(const char* label) {
    auto b0 = uint8_t(label[0]);
    return b0 == 0 ? 0 : (uint32_t(b0) << 8) | uint8_t(label[1]);
}
} // namespace

void TZelMorphAutoma::BuildBuckets() {
    for (TZelMorphNode& node : Nodes) {
        if (node.Count < BucketedStates)
            continue;
        // Labels out of order would make the table lie: such a state is searched whole.
        bool ordered = true;
        for (int32_t i = 1; i < node.Count && ordered; ++i)
            ordered = BucketKey(String(node.LabelOffset(i - 1))) <=
                      BucketKey(String(node.LabelOffset(i)));
        if (!ordered)
            continue;
        std::vector<uint32_t> table(65537);
        int32_t t = 0;
        for (uint32_t key = 0; key <= 65536; ++key) {
            while (t < node.Count && BucketKey(String(node.LabelOffset(t))) < key)
                ++t;
            table[key] = uint32_t(t);
        }
        BucketTables.push_back(std::move(table));
        node.Buckets = BucketTables.back().data();
    }
}

const TZelMorphNode* TZelMorphAutoma::Node(int32_t state) const {
    if (state == 0)
        return nullptr; // the accept target never has transitions
    int32_t index = state - Lowest;
    if (index < 0 || index >= int32_t(Nodes.size()))
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return HasNode[size_t(index)] ? &Nodes[size_t(index)] : nullptr;
}

TZelMorphTransition TZelMorphNode::Transition(int32_t index) const {
    const uint8_t* p = Records + size_t(index) * 12;
    return {ReadUInt32(p), ReadUInt32(p + 4), ReadInt16(p + 8), ReadInt16(p + 10)};
}
