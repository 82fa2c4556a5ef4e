// Morphology on a generated lexicon of 60,000 lemmas (about 520,000 forms): compiling,
// analysing running text, word existence and generating every form.
#include "BenchData.h"
#include "ZelCodePage.h"
#include "ZelDM4.h"
#include "ZelDM4Compiler.h"
#include "ZelFiles.h"
#include "ZelLXQuery.h"
#include "ZelMorphModuleFile.h"
#include "ZelSentenceList.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int Lemmas = 60000;

std::string Compiled() {
    static std::string description = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "norvel-bench-dm4").string();
        std::string existing = folder + "/benchit.dm4";
        if (ZelFileExists(existing))
            return existing;
        return ZelCompileDM4(BenchLexicon(Lemmas), folder, false).DescriptionPath;
    }();
    return description;
}

ZelRef<TZelMorphModuleFile> Open() {
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    module->SetFileName(ZelUtf8ToWide(Compiled()));
    return module;
}

void BM_CompileLexicon(benchmark::State& state) {
    std::string lexicon = BenchLexicon(Lemmas);
    std::string folder = (std::filesystem::temp_directory_path() / "norvel-bench-dm4-c").string();
    for (auto _ : state) {
        TZelDM4CompileReport report = ZelCompileDM4(lexicon, folder, false);
        state.counters["forms"] = report.Readings;
        state.counters["paradigms"] = report.Paradigms;
    }
    std::string base = folder + "/benchit";
    state.counters["auto_bytes"] = double(std::filesystem::file_size(base + "_auto.kv2"));
    state.counters["pool_bytes"] = double(std::filesystem::file_size(base + "_data.kv2"));
}
BENCHMARK(BM_CompileLexicon)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenModule(benchmark::State& state) {
    Compiled();
    for (auto _ : state)
        benchmark::DoNotOptimize(Open());
}
BENCHMARK(BM_OpenModule)->Unit(benchmark::kMillisecond);

void BM_AnalyzeText(benchmark::State& state) {
    ZelRef<TZelMorphModuleFile> module = Open();
    constexpr int Words = 100000;
    std::u16string text = BenchText(Lemmas, Words);
    // Sentence by sentence, as the program analyses.
    std::vector<std::u16string> sentences;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(u". ", start);
        end = end == std::u16string::npos ? text.size() : end + 2;
        sentences.push_back(text.substr(start, end - start));
        start = end;
    }
    for (auto _ : state)
        for (const auto& sentence : sentences)
            benchmark::DoNotOptimize(module->Analyze(sentence));
    state.counters["words_per_second"] =
        benchmark::Counter(double(Words) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyzeText)->Unit(benchmark::kMillisecond);

void BM_WordExists(benchmark::State& state) {
    ZelRef<TZelMorphModuleFile> module = Open();
    std::u16string text = BenchText(Lemmas, 10000);
    std::vector<std::u16string> words;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find_first_of(u" ,.", start);
        if (end == std::u16string::npos)
            end = text.size();
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    for (auto _ : state)
        for (const auto& w : words)
            benchmark::DoNotOptimize(module->WordExists(w, 0));
    state.counters["words_per_second"] = benchmark::Counter(
        double(words.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WordExists)->Unit(benchmark::kMillisecond);

class TCount : public IZelMorphEnumCallback {
public:
    bool AcceptInfo(int32_t, int32_t) override { return true; }
    bool Progress(int32_t, int32_t) override { return true; }
    bool WordForm(const std::u16string& form) override {
        Characters += form.size();
        ++Forms;
        return true;
    }
    size_t Forms = 0, Characters = 0;
};

void BM_EnumAllForms(benchmark::State& state) {
    ZelRef<TZelMorphModuleFile> module = Open();
    size_t forms = 0;
    for (auto _ : state) {
        TCount count;
        module->EnumWordForms(ZelEnumAllForms, TZelVariant(), count);
        forms += count.Forms;
    }
    state.counters["forms_per_second"] =
        benchmark::Counter(double(forms), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EnumAllForms)->Unit(benchmark::kMillisecond);

// The free-text road: the text cut into sentences, each analysed and converted into
// sentence items.
void BM_SentencesSplitAnalyseConvert(benchmark::State& state) {
    ZelRef<TZelDM4> dic = ZelMake<TZelDM4>("DM4KNVIT1", Compiled());
    std::u16string text = BenchText(Lemmas, 100000);
    int64_t sentences = 0;
    for (auto _ : state) {
        TZelSentenceList list;
        list.SetText(text);
        for (int32_t i = 0; i < list.GetCount(); ++i)
            list.SetAnalysis(i, dic->Analyze(list.GetSentenceText(i)));
        sentences += list.GetCount();
    }
    state.counters["sentences_per_second"] =
        benchmark::Counter(double(sentences), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SentencesSplitAnalyseConvert)->Unit(benchmark::kMillisecond);

// Word-form search: a wildcard pattern tested against every form the lexicon generates
// (a pattern without a fixed length), and an anagram (whose length narrows the walk).
void WordFormSearch(benchmark::State& state, TZelOpKind op, const std::string& value) {
    ZelRef<TZelDM4> dic = ZelMake<TZelDM4>("DM4KNVIT1", Compiled());
    ZelRef<TZelWordFormQuery> query = ZelMake<TZelWordFormQuery>();
    query->SetDic(dic);
    TZelLXQueryItemData& item = query->GetFieldData(0).Item(0);
    item.Operator = op;
    item.Arg1 = value;
    for (auto _ : state)
        query->Run();
    state.counters["found"] = query->GetResult()->GetCount();
}

void BM_WordFormWildcards(benchmark::State& state) {
    WordFormSearch(state, okWildcards, "ba*a?e");
}
BENCHMARK(BM_WordFormWildcards)->Unit(benchmark::kMillisecond);

void BM_WordFormAnagram(benchmark::State& state) {
    // The reverse of a form the lexicon has, so that something is found.
    ZelRef<TZelWordFormQuery> query = ZelMake<TZelWordFormQuery>();
    query->SetDic(ZelMake<TZelDM4>("DM4KNVIT1", Compiled()));
    query->GetFieldData(0).Item(0).Operator = okWildcards;
    query->GetFieldData(0).Item(0).Arg1 = "ba*a?e";
    query->Run();
    ZelRef<IZelArrayCursor> forms = query->GetResult();
    forms->SetIndex(forms->GetCount() / 2);
    std::string form = ZelQuery<IZelLu>(forms)->GetText();
    state.SetLabel(form);
    WordFormSearch(state, okAnagramOf, std::string(form.rbegin(), form.rend()));
}
BENCHMARK(BM_WordFormAnagram)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
