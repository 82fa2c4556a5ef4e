// How look-up and search times grow with the size of the data: generated dictionaries of
// 10,000, 100,000 and 1,000,000 entries, and generated lexicons of about as many forms.
// Each benchmark takes the size as its argument, so bench/run-all.sh can put the three
// sizes side by side.
//
// The generated data is kept in the system's temporary folder; the first run compiles it
// (about two minutes for the largest dictionary).
#include "BenchData.h"
#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelDM4.h"
#include "ZelDM4Compiler.h"
#include "ZelFiles.h"
#include "ZelLXQuery.h"
#include "ZelMorphModuleFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

namespace {

ZelRef<TZelDD6> Dictionary(int entries) {
    static std::map<int, ZelRef<TZelDD6>> opened;
    ZelRef<TZelDD6>& dic = opened[entries];
    if (!dic)
        dic = BenchOpenDD6(entries);
    return dic;
}

// The lexicon's paradigms give about 9.7 forms per lemma on average. formCount receives
// the number of forms the compiled lexicon has.
ZelRef<TZelDM4> Morphology(int forms, int32_t& formCount) {
    static std::map<int, std::pair<ZelRef<TZelDM4>, int32_t>> opened;
    auto& [dic, count] = opened[forms];
    if (!dic) {
        int lemmas = int(int64_t(forms) * 6 / 58);
        std::string folder = (std::filesystem::temp_directory_path() /
                              ("norvel-bench-dm4-" + std::to_string(lemmas)))
                                 .string();
        std::string description = folder + "/benchit.dm4";
        if (!ZelFileExists(description))
            description = ZelCompileDM4(BenchLexicon(lemmas), folder, false).DescriptionPath;
        dic = ZelMake<TZelDM4>("DM4KNVIT1", description);
        ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
        module->SetFileName(ZelUtf8ToWide(description));
        count = module->GetWordCount();
    }
    formCount = count;
    return dic;
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Arg(1000000);
}

void BM_ScalingFindLu(benchmark::State& state) {
    BenchFindLu(state, int(state.range(0)));
}
BENCHMARK(BM_ScalingFindLu)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// The field texts of one entry (three fields), entries taken in order.
void BM_ScalingEnumFieldValues(benchmark::State& state) {
    BenchEnumFieldValues(state, int(state.range(0)));
}
BENCHMARK(BM_ScalingEnumFieldValues)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// Advanced search on the translations for a word of an entry in the middle.
void AdvancedSearch(benchmark::State& state, TZelOpKind op) {
    int entries = int(state.range(0));
    ZelRef<TZelLemmaQuery> query = ZelMake<TZelLemmaQuery>();
    query->SetDic(Dictionary(entries));
    TZelLXQueryItemData& item = query->GetFieldData(1).Item(0);
    item.Operator = op;
    item.Arg1 = BenchWord(uint32_t(entries / 2 + 12));
    // With the index, building the condition (the word's look-up in the word list) is part
    // of the search; without it, the condition is built once and every entry read.
    bool useIndex = op == okWholeWords;
    TZelExpRef expression = query->GetFieldData(1).Build(false);
    for (auto _ : state)
        if (useIndex)
            query->Run();
        else
            query->Execute(expression);
    state.counters["found"] = query->GetResult()->GetCount();
}

// "contains word", answered from the field's word index.
void BM_ScalingSearchWordWithIndex(benchmark::State& state) {
    AdvancedSearch(state, okWholeWords);
}
BENCHMARK(BM_ScalingSearchWordWithIndex)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// "contains", every entry's field texts read.
void BM_ScalingSearchContainsWithoutIndex(benchmark::State& state) {
    AdvancedSearch(state, okContains);
}
BENCHMARK(BM_ScalingSearchContainsWithoutIndex)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Word-form search: a wildcard pattern tested against every form of the lexicon.
void BM_ScalingWordFormWildcards(benchmark::State& state) {
    ZelRef<TZelWordFormQuery> query = ZelMake<TZelWordFormQuery>();
    int32_t forms = 0;
    query->SetDic(Morphology(int(state.range(0)), forms));
    TZelLXQueryItemData& item = query->GetFieldData(0).Item(0);
    item.Operator = okWildcards;
    item.Arg1 = "ba*a?e";
    for (auto _ : state)
        query->Run();
    state.counters["found"] = query->GetResult()->GetCount();
    state.counters["forms"] = forms;
}
BENCHMARK(BM_ScalingWordFormWildcards)->Apply(Sizes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
