// Start-up of the whole sample installation of this build: building the dictionary list
// (every installed dictionary opened), then the first look-up rendered; and the resident
// memory after opening and after 1,000 look-ups with their entries rendered.
#include "BenchData.h"
#include "ZelCodePage.h"
#include "ZelDicRegistry.h"
#include "ZelFiles.h"
#include "ZelNVDics.h"
#include "ZelSettingsStore.h"

#include <benchmark/benchmark.h>

namespace {

bool SampleInstalled() {
    return ZelFileExists(ZelSettings().GetHivePath(TZelHive::LocalMachine));
}

ZelRef<IZelDic> Dic(const std::string& id) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (list->GetDic(i)->GetId() == id)
            return list->GetDic(i);
    return nullptr;
}

std::string FirstEntry(IZelDic& dic, const std::u16string& word) {
    ZelRef<IZelArrayCursor> found = dic.LookupLu(word, word, -1, 0);
    if (!found)
        return {};
    found->SetIndex(0);
    return dic.GetEntryRtf(*ZelQuery<IZelLu>(found), 0);
}

void BM_StartupToFirstEntry(benchmark::State& state) {
    if (!SampleInstalled()) {
        state.SkipWithError("the sample installation of this build is missing");
        return;
    }
    ZelRegisterNVBuilders();
    for (auto _ : state) {
        ZelReleaseDicList(true);
        ZelRegisterNVBuilders();
        ZelRef<IZelDic> iten = Dic("DD6KNV1_ITEN");
        benchmark::DoNotOptimize(FirstEntry(*iten, u"casa"));
    }
    state.counters["dictionaries"] = GetDicList()->GetCount();
    ZelReleaseDicList(true);
}
BENCHMARK(BM_StartupToFirstEntry)->Unit(benchmark::kMillisecond);

void BM_MemoryOverLookups(benchmark::State& state) {
    if (!SampleInstalled()) {
        state.SkipWithError("the sample installation of this build is missing");
        return;
    }
    for (auto _ : state) {
        ZelReleaseDicList(true);
        ZelRegisterNVBuilders();
        ZelRef<IZelDic> iten = Dic("DD6KNV1_ITEN");
        FirstEntry(*iten, u"casa");
        double opened = BenchResidentMegabytes();
        ZelRef<IZelArrayCursor> entries = iten->GetEntries();
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
        for (int32_t i = 0; i < 1000; ++i) {
            entries->SetIndex((i * 7919) % entries->GetCount());
            std::u16string word = lu->GetWideText();
            benchmark::DoNotOptimize(FirstEntry(*iten, word));
        }
        double after = BenchResidentMegabytes();
        state.counters["rss_opened_mb"] = opened;
        state.counters["rss_after_1000_mb"] = after;
        state.counters["growth_mb"] = after - opened;
    }
    ZelReleaseDicList(true);
}
BENCHMARK(BM_MemoryOverLookups)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
