#include "ZelRegexDfa.h"

#include "ZelHelpers.h"

#include <unicode/utf16.h>

#include <algorithm>
#include <unordered_map>

namespace {

constexpr int32_t Unknown = -1;
constexpr char32_t EndOfText = 0xFFFFFFFF;

// The position of the first line separator at or after pos, or length. Most characters
// lie between CR and U+2028 and are rejected by one comparison.
inline int32_t NextLineSeparator(const char16_t* text, int32_t pos, int32_t length) {
    for (; pos < length; ++pos) {
        uint32_t c = text[pos];
        if (c - 0x0Eu < 0x2028u - 0x0Eu)
            continue;
        if (ZelIsLineSeparator(c))
            break;
    }
    return pos;
}

struct TDfaState {
    std::vector<int32_t> Pcs; // sorted
    int32_t Ascii[128];       // (next state << 1) | match, or Unknown
    std::unordered_map<char32_t, int32_t> Other;
    int8_t EndMatch = -1; // a match at the end of the text from here: -1 unknown
    bool AtStart = false; // the state before the first character of a text
    TDfaState() { std::fill(std::begin(Ascii), std::end(Ascii), Unknown); }
};

} // namespace

struct TZelRegexDfa::TImpl {
    const TZelRegexProgram& Program;
    std::vector<TDfaState> States;
    std::map<std::vector<int32_t>, int32_t> Index;
    std::vector<int32_t> StartPcs;    // the closure of the first instruction, not at 0
    std::vector<int32_t> StartPcsAt0; // the same at the start of the text
    std::vector<uint32_t> Seen;
    uint32_t Generation = 0;
    std::vector<int32_t> Work;

    explicit TImpl(const TZelRegexProgram& program) : Program(program) {
        Seen.assign(program.Code.size(), 0);
        StartPcs = Closure({0}, false);
        StartPcsAt0 = Closure({0}, true);
        WaitsForLine = OnlyLineSeparatorsStart(StartPcs);
        Reset();
    }

    // Whether a match can start after the first character only just after a line
    // separator (a pattern beginning with "^"): then, with no thread alive, the text up to
    // the next separator cannot matter.
    bool OnlyLineSeparatorsStart(const std::vector<int32_t>& pcs) const {
        for (int32_t pc : pcs) {
            const TZelRegexInst& inst = Program.Code[size_t(pc)];
            if (inst.Op != OpChar)
                return false;
            const TZelRegexClass& c = Program.Classes[size_t(inst.X)];
            if (c.Negated || c.Properties != 0)
                return false;
            for (auto [low, high] : c.Ranges)
                for (char32_t x = low; x <= high; ++x)
                    if (!ZelIsLineSeparator(x))
                        return false;
        }
        return true;
    }
    bool WaitsForLine = false;

    // State 0: no thread; state 1: the start of a text.
    static constexpr int32_t BeginState = 1;
    void Reset() {
        States.clear();
        Index.clear();
        States.emplace_back();
        Index.emplace(std::vector<int32_t>{}, 0);
        States.emplace_back();
        States.back().AtStart = true;
    }

    // Follows the instructions that consume nothing and need no look-ahead.
    std::vector<int32_t> Closure(const std::vector<int32_t>& from, bool atStart) {
        if (++Generation == 0) {
            std::fill(Seen.begin(), Seen.end(), 0);
            Generation = 1;
        }
        std::vector<int32_t> out;
        Work.assign(from.rbegin(), from.rend());
        while (!Work.empty()) {
            int32_t pc = Work.back();
            Work.pop_back();
            if (Seen[size_t(pc)] == Generation)
                continue;
            Seen[size_t(pc)] = Generation;
            const TZelRegexInst& inst = Program.Code[size_t(pc)];
            if (inst.Op == OpJmp) {
                Work.push_back(inst.X);
            } else if (inst.Op == OpSplit) {
                Work.push_back(inst.Y);
                Work.push_back(inst.X);
            } else if (inst.Op == OpAssertStart) {
                if (atStart)
                    Work.push_back(pc + 1);
            } else {
                out.push_back(pc);
            }
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // Resolves the look-ahead assertions with the next character (or the end).
    std::vector<int32_t> Resolve(std::vector<int32_t> pcs, char32_t next, bool atStart) {
        bool grew = true;
        std::vector<int32_t> done;
        while (grew) {
            grew = false;
            std::vector<int32_t> more;
            for (int32_t pc : pcs) {
                if (std::binary_search(done.begin(), done.end(), pc))
                    continue;
                TZelRegexOp op = Program.Code[size_t(pc)].Op;
                bool passes =
                    (op == OpAssertEnd && (next == EndOfText || ZelIsLineSeparator(next))) ||
                    (op == OpAssertNotLF && next != 0x0A);
                if (passes)
                    more.push_back(pc + 1);
                done.insert(std::lower_bound(done.begin(), done.end(), pc), pc);
            }
            if (!more.empty()) {
                std::vector<int32_t> reached = Closure(more, atStart);
                for (int32_t pc : reached)
                    if (!std::binary_search(pcs.begin(), pcs.end(), pc)) {
                        pcs.insert(std::lower_bound(pcs.begin(), pcs.end(), pc), pc);
                        grew = true;
                    }
            }
        }
        return pcs;
    }

    int32_t Intern(std::vector<int32_t> pcs) {
        auto found = Index.find(pcs);
        if (found != Index.end())
            return found->second;
        // A pattern whose automaton grows past this starts again with an empty cache.
        if (States.size() >= 4096) {
            Reset();
            if (pcs.empty())
                return 0;
        }
        int32_t id = int32_t(States.size());
        States.emplace_back();
        States.back().Pcs = pcs;
        Index.emplace(std::move(pcs), id);
        return id;
    }

    bool HasMatch(const std::vector<int32_t>& pcs) const {
        for (int32_t pc : pcs)
            if (Program.Code[size_t(pc)].Op == OpMatch)
                return true;
        return false;
    }

    // From the threads of a state (and a new start, unless at the end), the step over c:
    // (next state << 1) | whether a match ends before c.
    int32_t Step(const std::vector<int32_t>& carried, char32_t c, bool atStart) {
        std::vector<int32_t> pcs = carried;
        const std::vector<int32_t>& start = atStart ? StartPcsAt0 : StartPcs;
        for (int32_t pc : start)
            if (!std::binary_search(pcs.begin(), pcs.end(), pc))
                pcs.insert(std::lower_bound(pcs.begin(), pcs.end(), pc), pc);
        pcs = Resolve(std::move(pcs), c, atStart);
        bool match = HasMatch(pcs);
        std::vector<int32_t> consumed;
        for (int32_t pc : pcs) {
            const TZelRegexInst& inst = Program.Code[size_t(pc)];
            if ((inst.Op == OpChar && Program.Classes[size_t(inst.X)].Contains(c)) ||
                (inst.Op == OpAny && !ZelIsLineSeparator(c)))
                consumed.push_back(pc + 1);
        }
        int32_t next = Intern(Closure(consumed, false));
        return (next << 1) | (match ? 1 : 0);
    }

    int32_t Cached(int32_t state, char32_t c) {
        TDfaState& s = States[size_t(state)];
        int32_t* slot = c < 128 ? &s.Ascii[c] : nullptr;
        if (slot && *slot != Unknown)
            return *slot;
        if (!slot) {
            auto found = s.Other.find(c);
            if (found != s.Other.end())
                return found->second;
        }
        std::vector<int32_t> carried = s.Pcs;
        bool atStart = s.AtStart;
        size_t before = States.size();
        int32_t value = Step(carried, c, atStart);
        // Interning may have emptied the cache: store only into a state that is still there.
        if (States.size() >= before && state < int32_t(States.size())) {
            TDfaState& again = States[size_t(state)];
            if (c < 128)
                again.Ascii[c] = value;
            else
                again.Other[c] = value;
        }
        return value;
    }

    bool MatchesAtEnd(int32_t state) {
        TDfaState& s = States[size_t(state)];
        if (s.EndMatch < 0)
            s.EndMatch = HasMatch(Resolve(s.Pcs, EndOfText, false)) ? 1 : 0;
        return s.EndMatch == 1;
    }

    bool Matches(const char16_t* text, int32_t length, bool caseInsensitive) {
        int32_t state = BeginState;
        for (int32_t pos = 0; pos < length;) {
            if (state == 0 && WaitsForLine) {
                pos = NextLineSeparator(text, pos, length);
                if (pos == length)
                    break;
            }
            int32_t next = pos;
            UChar32 unit = 0;
            U16_NEXT(text, next, length, unit);
            auto c = char32_t(unit);
            int32_t width = next - pos;
            if (caseInsensitive)
                c = c < 128 ? char32_t(ZelAsciiLower(char(c))) : ZelRegexLower(c);
            int32_t value = Cached(state, c);
            if (value & 1)
                return true;
            state = value >> 1;
            pos += width;
        }
        return MatchesAtEnd(state);
    }
};

TZelRegexDfa::TZelRegexDfa(const TZelRegexProgram& program)
    : Impl(std::make_unique<TImpl>(program)) {}

TZelRegexDfa::~TZelRegexDfa() = default;

bool TZelRegexDfa::Matches(const char16_t* text, int32_t length, bool caseInsensitive) {
    return Impl->Matches(text, length, caseInsensitive);
}
