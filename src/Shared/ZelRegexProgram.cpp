#include "ZelRegexProgram.h"

#include <unicode/utf16.h>

#include <algorithm>

bool ZelRegexConsumesNothing(const TZelRegexNode& node) {
    switch (node.Kind) {
    case TZelRegexNode::Class:
    case TZelRegexNode::Any:
        return false;
    default:
        for (const auto& child : node.Children)
            if (!ZelRegexConsumesNothing(*child))
                return false;
        return true;
    }
}

void TZelRegexProgram::TList::Clear() {
    Threads.clear();
    if (++Generation == 0) {
        std::fill(Mark.begin(), Mark.end(), 0);
        Generation = 1;
    }
}

int32_t TZelRegexProgram::Emit(TZelRegexOp op, int32_t x, int32_t y) {
    // Counted repetitions are written out; a pattern that grows beyond this is refused.
    if (Code.size() >= 200000)
        throw TZelRegexTooLarge{};
    Code.push_back({op, x, y});
    return int32_t(Code.size()) - 1;
}

int32_t TZelRegexProgram::ClassOf(std::vector<std::pair<char32_t, char32_t>> ranges) {
    TZelRegexClass cls;
    cls.Ranges = std::move(ranges);
    Classes.push_back(std::move(cls));
    return int32_t(Classes.size()) - 1;
}

void TZelRegexProgram::Generate(const TZelRegexNode& node) {
    switch (node.Kind) {
    case TZelRegexNode::Empty:
        break;
    case TZelRegexNode::Class:
        Emit(OpChar, node.ClassIndex);
        break;
    case TZelRegexNode::Any:
        Emit(OpAny);
        break;
    case TZelRegexNode::LineEnd:
        Emit(OpAssertEnd);
        break;
    case TZelRegexNode::LineStart: {
        // The start of the text, or a line separator consumed (CR LF as one).
        int32_t split = Emit(OpSplit);
        Code[size_t(split)].X = Emit(OpAssertStart);
        int32_t toEnd1 = Emit(OpJmp);
        int32_t split2 = Emit(OpSplit);
        Code[size_t(split)].Y = split2;
        Code[size_t(split2)].X = Emit(OpChar, ClassOf({{0x0D, 0x0D}}));
        int32_t split3 = Emit(OpSplit);
        Code[size_t(split3)].X = Emit(OpChar, ClassOf({{0x0A, 0x0A}}));
        int32_t toEnd2 = Emit(OpJmp);
        Code[size_t(split3)].Y = Emit(OpAssertNotLF);
        int32_t toEnd3 = Emit(OpJmp);
        Code[size_t(split2)].Y = Emit(OpChar, ClassOf({{0x0A, 0x0A}, {0x2028, 0x2029}}));
        int32_t end = int32_t(Code.size());
        for (int32_t j : {toEnd1, toEnd2, toEnd3})
            Code[size_t(j)].X = end;
        break;
    }
    case TZelRegexNode::Concat:
        for (const auto& child : node.Children)
            Generate(*child);
        break;
    case TZelRegexNode::Alternation: {
        std::vector<int32_t> jumps;
        for (size_t i = 0; i < node.Children.size(); ++i) {
            if (i + 1 < node.Children.size()) {
                int32_t split = Emit(OpSplit);
                Code[size_t(split)].X = split + 1;
                Generate(*node.Children[i]);
                jumps.push_back(Emit(OpJmp));
                Code[size_t(split)].Y = int32_t(Code.size());
            } else {
                Generate(*node.Children[i]);
            }
        }
        for (int32_t j : jumps)
            Code[size_t(j)].X = int32_t(Code.size());
        break;
    }
    case TZelRegexNode::Repeat: {
        const TZelRegexNode& body = *node.Children[0];
        if (node.Min == 1 && node.Max < 0) {
            // One or more: the body once, then back to it (never written out twice, so
            // nested repetitions stay small).
            int32_t top = int32_t(Code.size());
            Generate(body);
            int32_t split = Emit(OpSplit, top);
            Code[size_t(split)].Y = split + 1;
            break;
        }
        for (int32_t i = 0; i < node.Min; ++i)
            Generate(body);
        if (node.Max < 0) {
            int32_t split = Emit(OpSplit);
            Code[size_t(split)].X = split + 1;
            Generate(body);
            Emit(OpJmp, split);
            Code[size_t(split)].Y = int32_t(Code.size());
        } else {
            std::vector<int32_t> splits;
            for (int32_t i = node.Min; i < node.Max; ++i) {
                int32_t split = Emit(OpSplit);
                Code[size_t(split)].X = split + 1;
                splits.push_back(split);
                Generate(body);
            }
            for (int32_t s : splits)
                Code[size_t(s)].Y = int32_t(Code.size());
        }
        break;
    }
    }
}

// Adds the thread and everything it reaches without consuming, at position pos.
void TZelRegexProgram::AddThread(TList& list, int32_t pc, int32_t start, const char16_t* text,
                                 int32_t length, int32_t pos) {
    Stack.clear();
    Stack.push_back(pc);
    while (!Stack.empty()) {
        int32_t at = Stack.back();
        Stack.pop_back();
        if (list.Mark[size_t(at)] == list.Generation)
            continue;
        list.Mark[size_t(at)] = list.Generation;
        const TZelRegexInst& inst = Code[size_t(at)];
        switch (inst.Op) {
        case OpJmp:
            Stack.push_back(inst.X);
            break;
        case OpSplit:
            Stack.push_back(inst.Y);
            Stack.push_back(inst.X);
            break;
        case OpAssertStart:
            if (pos == 0)
                Stack.push_back(at + 1);
            break;
        case OpAssertEnd:
            if (pos >= length || ZelIsLineSeparator(text[pos]))
                Stack.push_back(at + 1);
            break;
        case OpAssertNotLF:
            if (pos >= length || text[pos] != 0x0A)
                Stack.push_back(at + 1);
            break;
        default:
            list.Threads.emplace_back(at, start);
        }
    }
}

bool TZelRegexProgram::Run(const char16_t* text, int32_t length, int32_t from, int32_t& matchStart,
                           int32_t& matchEnd) {
    for (TList& list : Lists)
        if (list.Mark.size() != Code.size())
            list.Mark.assign(Code.size(), 0);
    TList* current = &Lists[0];
    TList* next = &Lists[1];
    current->Clear();
    int32_t bestStart = -1, bestEnd = -1;
    bool emptyText = length == 0 && from == 0;
    for (int32_t pos = from;;) {
        if (bestStart < 0 && (pos < length || (emptyText && pos == 0)))
            AddThread(*current, 0, pos, text, length, pos);
        if (current->Threads.empty() && (bestStart >= 0 || pos >= length))
            break;
        char32_t c = 0;
        int32_t width = 1;
        if (pos < length) {
            int32_t after = pos;
            UChar32 unit = 0;
            U16_NEXT(text, after, length, unit);
            c = char32_t(unit);
            width = after - pos;
        }
        char32_t folded = CaseInsensitive ? ZelRegexLower(c) : c;
        next->Clear();
        for (size_t t = 0; t < current->Threads.size(); ++t) {
            auto [pc, start] = current->Threads[t];
            if (bestStart >= 0 && start > bestStart)
                continue;
            const TZelRegexInst& inst = Code[size_t(pc)];
            if (inst.Op == OpMatch) {
                if (bestStart < 0 || start < bestStart || (start == bestStart && pos > bestEnd)) {
                    bestStart = start;
                    bestEnd = pos;
                }
            } else if (pos < length &&
                       ((inst.Op == OpChar && Classes[size_t(inst.X)].Contains(folded)) ||
                        (inst.Op == OpAny && !ZelIsLineSeparator(c)))) {
                AddThread(*next, pc + 1, start, text, length, pos + width);
            }
        }
        std::swap(current, next);
        if (pos >= length)
            break;
        pos += width;
    }
    if (bestStart < 0)
        return false;
    matchStart = bestStart;
    matchEnd = bestEnd;
    return true;
}
