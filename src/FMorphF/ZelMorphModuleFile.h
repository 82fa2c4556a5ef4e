// The morphology engine of one language over its automaton: analysis of free text into
// reading trees, the word-existence test, the count of word forms and their enumeration.
#pragma once

#include "ZelMorph.h"
#include "ZelMorphAutoma.h"
#include "ZelMorphTokenizer.h"

#include <string>
#include <unordered_map>
#include <vector>

class TZelMorphModuleFile : public TZelInterfacedObject, public virtual IZelMorphModule {
public:
    // The longest form generation can build, in bytes.
    static constexpr int MaxFormLength = 62;

    TZelMorphModuleFile();

    void* QueryInterface(const ZelGuid& iid) override;

    ZelRef<IZelMorphInfo> Analyze(const std::u16string& text) override;
    std::u16string GetFileName() override;
    void SetFileName(const std::u16string& fileName) override;
    std::u16string GetDicId() override { return DicId; }
    void SetDicId(const std::u16string& id) override;
    int32_t WordExists(const std::u16string& text, int32_t length) override;
    bool IsWholeWord(const std::u16string& text) override;
    int32_t GetWordCount() override;
    void EnumWordForms(uint8_t selection, const TZelVariant& argument,
                       IZelMorphEnumCallback& callback) override;

    const TZelMorphAutoma& GetAutomaton() const { return Automaton; }
    int GetCodePage() const { return CodePage; }

private:
    struct TWalkResult {
        ZelRef<IZelMorphInfo> Result;
        int32_t End = 0;
        bool Done = false;
        bool InProgress = false;
    };
    struct TAbort {};

    void Open(const std::string& fileName);
    TWalkResult Walk(int32_t state, int32_t q);
    // Whether a word starts at offset q of the source from the state; with wholeSource, a
    // word that ends where the source ends.
    bool Accepts(int32_t state, int32_t q, bool wholeSource);
    uint64_t CountForms(int32_t state, std::unordered_map<int32_t, uint64_t>& memo,
                        std::vector<int32_t>& path);

    // Generation.
    void Segment(int32_t state, int32_t length, int32_t element);
    void Continue(int32_t state, int32_t length, int32_t element);
    void Follow(const TZelMorphTransition& t, int32_t length, int32_t element);
    void Emit(int32_t length);

    // The text in the code page, one byte per character (a character the code page cannot
    // hold becomes "?").
    std::string ToCodePage(std::u16string_view text) const;

    int CodePage = 1252;
    char16_t ByteToChar[256] = {};
    bool PunctuationByte[256] = {}; // neither a word character nor the separator
    std::string FileName;
    std::u16string DicId;
    bool Loaded = false;
    TZelMorphTokenizer Tokenizer;
    TZelMorphAutoma Automaton;
    int32_t WordCount = 0;

    // The text being analysed, in the code page, and the memo of its walks.
    std::string Source;
    // Walks of the current token, by (state, offset): a token has few of them.
    std::vector<std::pair<uint64_t, TWalkResult>> Walks;
    TWalkResult* FindWalk(uint64_t key);

    // The enumeration under way.
    uint8_t Selection = 0;
    int64_t WantedLength = 0;
    std::vector<TZelVariant> Elements;
    int32_t High = -1;
    IZelMorphEnumCallback* Callback = nullptr;
    char Buffer[MaxFormLength + 2] = {};
    // While forms of one length are generated: the number of punctuation bytes in the
    // first n bytes of Buffer, so that forms without any skip the written-length scan.
    uint8_t PunctuationCount[MaxFormLength + 3] = {};
    // The length of the form in Buffer as ZelWrittenForm writes it; for a form that may
    // still grow, a lower bound of the written length of every form that continues it.
    int32_t WrittenLength(int32_t length) const;
    std::vector<std::u16string> Forms;             // one reusable string per length 1..63
    std::vector<std::pair<int32_t, int32_t>> Path; // (state, length) on the current branch
    // The transitions of the entry state ordered by information string, built on first use
    // to find a lemma's stems quickly.
    std::vector<int32_t> LemmaIndex;
};
