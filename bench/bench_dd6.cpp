// DD6 dictionaries on a generated dictionary of 300,000 entries: opening, FindLu, entry
// rendering and advanced search.
#include "BenchData.h"
#include "ZelDD6.h"
#include "ZelFiles.h"
#include "ZelLXQuery.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Entries = 300000;

void BM_OpenDictionary(benchmark::State& state) {
    BenchDD6(Entries);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BenchOpenDD6(Entries));
    }
}
BENCHMARK(BM_OpenDictionary)->Unit(benchmark::kMillisecond);

void BM_FindLu(benchmark::State& state) {
    BenchFindLu(state, Entries);
}
BENCHMARK(BM_FindLu)->Unit(benchmark::kMicrosecond);

void BM_GetEntryRtf(benchmark::State& state) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(Entries);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    int32_t i = 0;
    for (auto _ : state) {
        entries->SetIndex(i);
        benchmark::DoNotOptimize(dic->GetEntryRtf(*lu, 0));
        i = (i + 7919) % Entries;
    }
}
BENCHMARK(BM_GetEntryRtf)->Unit(benchmark::kMicrosecond);

void BM_EnumFieldValues(benchmark::State& state) {
    BenchEnumFieldValues(state, Entries);
}
BENCHMARK(BM_EnumFieldValues)->Unit(benchmark::kMicrosecond);

// Advanced search on the translations: a word looked up in the field's word index, and a
// substring tested against every entry's field texts.
ZelRef<TZelLemmaQuery> TranslationQuery(const ZelRef<TZelDD6>& dic, TZelOpKind op) {
    ZelRef<TZelLemmaQuery> query = ZelMake<TZelLemmaQuery>();
    query->SetDic(dic);
    TZelLXQueryItemData& item = query->GetFieldData(1).Item(0);
    item.Operator = op;
    item.Arg1 = BenchWord(150000 + 12);
    return query;
}

void BM_AdvancedSearchWordWithIndex(benchmark::State& state) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(Entries);
    ZelRef<TZelLemmaQuery> query = TranslationQuery(dic, okWholeWords);
    for (auto _ : state)
        query->Run();
    state.counters["found"] = query->GetResult()->GetCount();
}
BENCHMARK(BM_AdvancedSearchWordWithIndex)->Unit(benchmark::kMicrosecond);

void BM_AdvancedSearchContainsWithoutIndex(benchmark::State& state) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(Entries);
    ZelRef<TZelLemmaQuery> query = TranslationQuery(dic, okContains);
    TZelExpRef expression = query->GetFieldData(1).Build(false);
    for (auto _ : state)
        query->Execute(expression);
    state.counters["found"] = query->GetResult()->GetCount();
}
BENCHMARK(BM_AdvancedSearchContainsWithoutIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
