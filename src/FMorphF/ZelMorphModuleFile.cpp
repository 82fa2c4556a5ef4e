#include "ZelMorphModuleFile.h"

#include "ZelCodePage.h"
#include "ZelDescriptionFile.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelMorphInfo.h"
#include "ZelResStrings.h"
#include "ZelSettingsStore.h"
#include "ZelUtils.h"

#include <algorithm>
#include <cstring>

namespace {

// Windows' MulDiv: a * b / c rounded to the nearest integer.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
    return int32_t((a * b + c / 2) / c);
}

} // namespace

TZelMorphModuleFile::TZelMorphModuleFile() {
    Tokenizer.Separator = u' ';
    for (int length = 1; length <= MaxFormLength + 1; ++length)
        Forms.emplace_back(size_t(length), u' ');
}

void* TZelMorphModuleFile::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelMorphModule::IID)
        return static_cast<IZelMorphModule*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

std::u16string TZelMorphModuleFile::GetFileName() {
    return ZelUtf8ToWide(FileName);
}

void TZelMorphModuleFile::SetFileName(const std::u16string& fileName) {
    Open(ZelWideToUtf8(fileName));
}

void TZelMorphModuleFile::Open(const std::string& fileName) {
    if (fileName == FileName)
        return;
    if (!ZelFileExists(fileName))
        throw EZelError(ZelFormat(ZelLoadStr(TZelResId::CannotOpenFileShort), {fileName}));
    Loaded = false;
    TZelDescriptionFile description = TZelDescriptionFile::Read(fileName);
    CodePage = description.CodePage();
    std::string bytes(256, '\0');
    for (int b = 0; b < 256; ++b)
        bytes[size_t(b)] = char(b);
    std::u16string chars = ZelCodePageToWide(bytes, CodePage);
    if (chars.size() != 256) // a multi-byte code page cannot be an automaton's alphabet
        description.RaiseBadValue("CodePage",
                                  ZelFormat(ZelLoadStr(TZelResId::UnknownCodePage), {CodePage}));
    std::copy(chars.begin(), chars.end(), ByteToChar);
    for (int b = 0; b < 256; ++b)
        PunctuationByte[b] = !ZelIsWordCharacter(ByteToChar[b]) && ByteToChar[b] != u' ';
    std::string base = ZelChangeFileExt(fileName, "");
    Automaton.LoadAutomaton(base + "_auto.kv2");
    Automaton.LoadStrings(base + "_data.kv2");
    FileName = fileName;
    WordCount = 0;
    Loaded = true;
}

void TZelMorphModuleFile::SetDicId(const std::u16string& id) {
    if (id == DicId)
        return;
    std::string key = "Software\\Zel\\Dics\\" + ZelWideToUtf8(id);
    std::unique_ptr<TZelSettingsKey> opened;
    for (TZelHive hive : {TZelHive::CurrentUser, TZelHive::LocalMachine}) {
        try {
            opened = ZelSettings().OpenKey(hive, key, false);
        } catch (const EZelSettingsError&) {
        }
        if (opened)
            break;
    }
    if (!opened)
        throw EZelError(
            ZelFormat(ZelLoadStr(TZelResId::DictionaryIdNotFound), {ZelWideToUtf8(id)}));
    std::string path;
    try {
        path = opened->ReadString("").value_or("");
    } catch (const EZelSettingsError&) {
    }
    Open(path);
    DicId = id;
}

std::string TZelMorphModuleFile::ToCodePage(std::u16string_view text) const {
    if (CodePage == ZelCpWindows1252 || CodePage == ZelCpIso8859_1)
        return ZelWideToCodePage(text, CodePage);
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        std::string byte = ZelWideToCodePage(std::u16string_view(&c, 1), CodePage);
        out += byte.size() == 1 ? byte[0] : '?';
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// Analysis

ZelRef<IZelMorphInfo> TZelMorphModuleFile::Analyze(const std::u16string& text) {
    ZEL_ASSERT(Loaded);
    if (text.empty())
        return nullptr;
    Tokenizer.Tokenize(text);
    if (Tokenizer.BoundaryCount() == 0)
        return nullptr;
    ZelRef<IZelMorphInfo> root = ZelMake<TZelMorphInfo>(nullptr);
    root->SetKind(ZelMorphSequence);
    Source = ToCodePage(Tokenizer.Token(0));
    Walks.clear();
    int32_t offset = 0;
    int32_t size = int32_t(Source.size());
    while (offset < size) {
        ZEL_ASSERT(Source[size_t(offset)] != ' ');
        // Walks from earlier tokens are of no use to later ones.
        Walks.clear();
        TWalkResult walk = Walk(-1, offset);
        ZelRef<IZelMorphInfo> piece = walk.Result;
        int32_t end = walk.End;
        if (!piece) {
            int32_t separator = int32_t(Source.find(' ', size_t(offset)));
            if (separator < 0)
                separator = size;
            piece = ZelMake<TZelMorphInfo>(nullptr);
            piece->SetStart(int32_t(Tokenizer.SourcePos(offset)));
            piece->SetLength(int32_t(Tokenizer.SourceSpan(offset, separator - offset)));
            end = separator + 1;
        }
        root->Add(piece);
        offset = end;
    }
    Walks.clear();
    return root;
}

TZelMorphModuleFile::TWalkResult* TZelMorphModuleFile::FindWalk(uint64_t key) {
    for (auto& [k, walk] : Walks)
        if (k == key)
            return &walk;
    return nullptr;
}

TZelMorphModuleFile::TWalkResult TZelMorphModuleFile::Walk(int32_t state, int32_t q) {
    uint64_t key = (uint64_t(uint32_t(state)) << 32) | uint32_t(q);
    if (TWalkResult* found = FindWalk(key)) {
        if (found->Done)
            return *found;
        // A cycle through empty labels: no reading along it.
        TWalkResult none;
        none.End = q;
        return none;
    }
    Walks.emplace_back(key, TWalkResult{});
    Walks.back().second.InProgress = true;
    ZelRef<IZelMorphInfo> result;
    int32_t best = q;
    ZelMatchTransitions(
        Automaton, state, Source.c_str() + q, [&](const TZelMorphTransition& t, int i) {
            auto leaf = [&]() {
                ZelRef<IZelMorphInfo> l = ZelMake<TZelMorphInfo>(this);
                l->SetStart(int32_t(Tokenizer.SourcePos(q)));
                l->SetLength(int32_t(Tokenizer.SourceSpan(q, i)));
                l->SetInfoOffset(int32_t(t.InfoOffset));
                l->SetInfoId(t.InfoId);
                return l;
            };
            if (t.NextState != 0) {
                TWalkResult sub = Walk(t.NextState, q + i);
                if (!sub.Result || sub.End < best)
                    return true;
                best = sub.End;
                ZelRef<IZelMorphInfo> l = leaf();
                ZelRef<IZelMorphInfo> candidate;
                if (t.NextState > 0 && sub.Result->GetKind() == ZelMorphLeaf) {
                    // Extending by a leaf in place: Extend's result without one more node.
                    IZelMorphInfo& b = *sub.Result;
                    if (b.GetInfoId() != 0)
                        l->SetInfoId(b.GetInfoId());
                    if (b.GetInfoOffset() != 0)
                        l->SetInfoOffset(b.GetInfoOffset());
                    l->SetLength(l->GetLength() + b.GetLength());
                    l->SetJunction(b.GetJunction());
                    candidate = l;
                } else if (t.NextState > 0) {
                    candidate = Extend(this, l, sub.Result);
                } else if (sub.Result->GetInfoOffset() != 0 || sub.Result->GetLength() != 0) {
                    l->SetJunction(-1);
                    candidate = Concatenate(this, l, sub.Result);
                    candidate->SetJunction(-1);
                } else {
                    candidate = l;
                }
                result = Prefer(this, result, candidate);
            } else if (Source[size_t(q + i)] == ' ') {
                int32_t end = q + i + 1;
                if (end >= best) {
                    best = end;
                    result = Prefer(this, result, leaf());
                }
            }
            return true;
        });
    TWalkResult& slot = *FindWalk(key);
    slot.Result = result;
    slot.End = best;
    slot.Done = true;
    slot.InProgress = false;
    return slot;
}

// ---------------------------------------------------------------------------------------
// Word existence and count

int32_t TZelMorphModuleFile::WordExists(const std::u16string& text, int32_t length) {
    ZEL_ASSERT(Loaded);
    if (length > int32_t(text.size()))
        return -1;
    ZEL_ASSERT(length == 0 || length == int32_t(text.size()));
    if (text.empty())
        return 1;
    Tokenizer.Tokenize(text);
    if (Tokenizer.BoundaryCount() == 0)
        return 1;
    Source = ToCodePage(Tokenizer.Token(0));
    Walks.clear();
    bool accepted = Accepts(-1, 0, false);
    Walks.clear();
    return accepted ? 1 : 0;
}

bool TZelMorphModuleFile::IsWholeWord(const std::u16string& text) {
    ZEL_ASSERT(Loaded);
    Tokenizer.Tokenize(text);
    if (Tokenizer.BoundaryCount() == 0)
        return text.empty();
    Source = ToCodePage(Tokenizer.Token(0));
    Walks.clear();
    bool accepted = Accepts(-1, 0, true);
    Walks.clear();
    return accepted;
}

bool TZelMorphModuleFile::Accepts(int32_t state, int32_t q, bool wholeSource) {
    uint64_t key = (uint64_t(uint32_t(state)) << 32) | uint32_t(q);
    // A state met again at the same offset has failed already or is being tried.
    if (FindWalk(key))
        return false;
    Walks.emplace_back(key, TWalkResult{});
    bool accepted = false;
    ZelMatchTransitions(
        Automaton, state, Source.c_str() + q, [&](const TZelMorphTransition& t, int i) {
            size_t end = size_t(q + i);
            if (t.NextState == 0)
                accepted = Source[end] == ' ' && (!wholeSource || end + 1 == Source.size());
            else
                accepted = Accepts(t.NextState, q + i, wholeSource);
            return !accepted;
        });
    return accepted;
}

int32_t TZelMorphModuleFile::GetWordCount() {
    if (WordCount == 0 && Loaded) {
        std::unordered_map<int32_t, uint64_t> memo;
        std::vector<int32_t> path;
        uint64_t count = CountForms(-1, memo, path);
        WordCount = int32_t(std::min<uint64_t>(count, INT32_MAX));
    }
    return WordCount;
}

uint64_t TZelMorphModuleFile::CountForms(int32_t state, std::unordered_map<int32_t, uint64_t>& memo,
                                         std::vector<int32_t>& path) {
    if (state == 0)
        return 1;
    auto found = memo.find(state);
    if (found != memo.end())
        return found->second;
    // A cycle would mean endless forms: it counts nothing.
    if (std::find(path.begin(), path.end(), state) != path.end())
        return 0;
    const TZelMorphNode* node = Automaton.Node(state);
    uint64_t count = 0;
    if (node) {
        path.push_back(state);
        for (int32_t i = 0; i < node->Count; ++i)
            count = std::min<uint64_t>(
                count + CountForms(node->Transition(i).NextState, memo, path), UINT64_MAX / 2);
        path.pop_back();
    }
    memo[state] = count;
    return count;
}

// ---------------------------------------------------------------------------------------
// Word-form enumeration

void TZelMorphModuleFile::EnumWordForms(uint8_t selection, const TZelVariant& argument,
                                        IZelMorphEnumCallback& callback) {
    ZEL_ASSERT(Loaded);
    Elements.clear();
    High = -1;
    if (selection == ZelEnumLemmaForms) {
        if (!argument.IsArray())
            throw EZelArgumentError(ZelLoadStr(TZelResId::LemmaArrayExpected));
        for (const TZelVariant& element : argument.AsArray())
            if (element.IsArray())
                throw EZelArgumentError(ZelLoadStr(TZelResId::LemmaArrayExpected));
        if (argument.AsArray().size() % 2 != 0)
            throw EZelArgumentError(ZelLoadStr(TZelResId::LemmaArrayOdd));
        Elements = argument.AsArray();
        High = int32_t(Elements.size()) - 1;
    } else if (selection == ZelEnumFormsOfLength) {
        if (!argument.IsInteger())
            return;
        WantedLength = argument.AsInteger();
    } else if (selection != ZelEnumAllForms) {
        return;
    }
    Selection = selection;
    Callback = &callback;
    Path.clear();
    try {
        Segment(-1, 0, 0);
    } catch (const TAbort&) {
    }
    Callback = nullptr;
}

// Generation from an entry state. A further segment continues the form built so far (its
// labels are written after the previous segments', so a word of several segments comes out
// whole).
void TZelMorphModuleFile::Segment(int32_t state, int32_t length, int32_t element) {
    const TZelMorphNode* node = Automaton.Node(state);
    if (!node)
        return;
    if (Selection == ZelEnumLemmaForms) {
        if (element + 1 > High || !Elements[size_t(element)].IsString() ||
            !Elements[size_t(element + 1)].IsInteger())
            return;
        const std::u16string& lemma = Elements[size_t(element)].AsString();
        if (lemma.empty())
            return;
        std::string info =
            ToCodePage(lemma) + char('0' + Elements[size_t(element + 1)].AsInteger());
        auto infoOf = [&](int32_t i) { return Automaton.String(node->Transition(i).InfoOffset); };
        if (state != -1) {
            for (int32_t i = 0; i < node->Count; ++i) {
                TZelMorphTransition t = node->Transition(i);
                if (std::strcmp(infoOf(i), info.c_str()) == 0 &&
                    Callback->AcceptInfo(t.InfoId, element))
                    Follow(t, length, element);
            }
            return;
        }
        if (LemmaIndex.empty()) {
            LemmaIndex.resize(size_t(node->Count));
            for (int32_t i = 0; i < node->Count; ++i)
                LemmaIndex[size_t(i)] = i;
            std::stable_sort(LemmaIndex.begin(), LemmaIndex.end(), [&](int32_t a, int32_t b) {
                return std::strcmp(infoOf(a), infoOf(b)) < 0;
            });
        }
        auto first = std::lower_bound(LemmaIndex.begin(), LemmaIndex.end(), info,
                                      [&](int32_t i, const std::string& key) {
                                          return std::strcmp(infoOf(i), key.c_str()) < 0;
                                      });
        for (auto it = first; it != LemmaIndex.end() && info == infoOf(*it); ++it) {
            TZelMorphTransition t = node->Transition(*it);
            if (Callback->AcceptInfo(t.InfoId, element))
                Follow(t, length, element);
        }
        return;
    }
    bool progress = state == -1;
    int32_t total = node->Count;
    int32_t step = 1;
    int32_t threshold = MulDiv(total, step, 50);
    if (progress && !Callback->Progress(0, total))
        throw TAbort{};
    for (int32_t i = 0; i < total; ++i) {
        if (progress && i > threshold) {
            if (!Callback->Progress(i, total))
                throw TAbort{};
            while (i > threshold && step < 50)
                threshold = MulDiv(total, ++step, 50);
        }
        Follow(node->Transition(i), length, element);
    }
    if (progress && !Callback->Progress(total, total))
        throw TAbort{};
}

void TZelMorphModuleFile::Follow(const TZelMorphTransition& t, int32_t length, int32_t element) {
    const char* label = Automaton.String(t.LabelOffset);
    size_t n = std::strlen(label);
    // A form longer than the generation buffer is a fault of the data.
    if (size_t(length) + n > size_t(MaxFormLength))
        throw EZelStreamError(ZelFormat(ZelLoadStr(TZelResId::InvalidStreamFormatInFile),
                                        {ZelChangeFileExt(FileName, "") + "_auto.kv2"}));
    std::memcpy(Buffer + length, label, n);
    if (Selection == ZelEnumFormsOfLength)
        for (size_t k = 0; k < n; ++k)
            PunctuationCount[size_t(length) + k + 1] =
                uint8_t(PunctuationCount[size_t(length) + k] + PunctuationByte[uint8_t(label[k])]);
    Continue(t.NextState, length + int32_t(n), element);
}

void TZelMorphModuleFile::Continue(int32_t state, int32_t length, int32_t element) {
    if (state == 0) {
        bool emit = Selection == ZelEnumAllForms ||
                    (Selection == ZelEnumFormsOfLength && length >= WantedLength &&
                     WrittenLength(length) == WantedLength) ||
                    (Selection == ZelEnumLemmaForms && element + 1 == High);
        if (emit)
            Emit(length);
        return;
    }
    if (state < 0) {
        if (Selection == ZelEnumLemmaForms && element + 1 < High)
            Segment(state, length, element + 2);
        return;
    }
    if (Selection == ZelEnumFormsOfLength && length > WantedLength &&
        WrittenLength(length) > WantedLength)
        return;
    // An empty label leading back to a state of this branch at the same length would loop.
    auto here = std::make_pair(state, length);
    if (std::find(Path.begin(), Path.end(), here) != Path.end())
        return;
    const TZelMorphNode* node = Automaton.Node(state);
    if (!node)
        return;
    Path.push_back(here);
    for (int32_t i = 0; i < node->Count; ++i) {
        TZelMorphTransition t = node->Transition(i);
        if (Selection == ZelEnumLemmaForms && !Callback->AcceptInfo(t.InfoId, element))
            continue;
        Follow(t, length, element);
    }
    Path.pop_back();
}

int32_t TZelMorphModuleFile::WrittenLength(int32_t length) const {
    auto isSeparator = [&](int32_t i) { return Buffer[i] == ' '; };
    if (PunctuationCount[length] == 0) { // only a separator at either end goes
        int32_t written = length;
        if (length > 0 && isSeparator(length - 1))
            --written;
        if (length > 1 && isSeparator(0))
            --written;
        return written;
    }
    // A punctuation byte is a token of its own unless it is inside a run (a number tag has
    // some). At the end of a form that may still grow it counts as one, and so does a
    // final separator count as removed: both can only lower the bound.
    auto punctuationToken = [&](int32_t i) {
        return i >= 0 && i < length && PunctuationByte[uint8_t(Buffer[i])] &&
               (i == 0 || isSeparator(i - 1)) && (i + 1 == length || isSeparator(i + 1));
    };
    int32_t written = length;
    for (int32_t i = 0; i < length; ++i)
        if (isSeparator(i) &&
            (i == 0 || i + 1 == length || punctuationToken(i - 1) || punctuationToken(i + 1)))
            --written;
    return written;
}

void TZelMorphModuleFile::Emit(int32_t length) {
    if (length <= 0)
        return;
    std::u16string& form = Forms[size_t(length - 1)];
    bool punctuation = false;
    for (int32_t i = 0; i < length; ++i) {
        form[size_t(i)] = ByteToChar[uint8_t(Buffer[i])];
        punctuation |= PunctuationByte[uint8_t(Buffer[i])];
    }
    bool written = !punctuation && Buffer[0] != ' ' && Buffer[length - 1] != ' ';
    // (Two calls, as a conditional expression would copy the form every time.)
    bool more = written ? Callback->WordForm(form) : Callback->WordForm(ZelWrittenForm(form));
    if (!more)
        throw TAbort{};
}
