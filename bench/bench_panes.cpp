// The analysis panes on the sample installation of this build (Release, offscreen): a
// typical rendered entry streamed into the rich view (its token box, its descriptions and
// the entry of "casa" from the main dictionary), and the word-forms view of the verb
// "essere" with every form.
#include "BenchQt.h"
#include "ZelDM4.h"
#include "ZelDicRichViewUnit.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelNVDics.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

ZelRef<IZelDicMorphEx> ItalianMorphology() {
    return ZelFirstDic<IZelDicMorphEx>(ZelLangItalian, ZelLangItalian);
}

ZelRef<IZelDic> MainDictionary() {
    ZelRef<TZelInterfaceList> found = ZelMake<TZelInterfaceList>();
    CollectDics(ZelLangItalian, ZelLangEnglish, *found, IZelDic::IID);
    for (int32_t i = 0; i < found->GetCount(); ++i) {
        ZelRef<IZelDic> dic = ZelQuery<IZelDic>(found->Get(i));
        if (dic && !ZelQuery<IZelDicMorph>(dic) && dic->HasLuList())
            return dic;
    }
    return nullptr;
}

ZelRef<IZelSentenceItem> FirstReading(IZelSentenceItem& item, const std::string& suffix) {
    if (item.GetKind() == ZelItemReading && item.GetCatSuffix() == suffix)
        return &item;
    for (int32_t i = 0; i < item.GetCount(); ++i)
        if (ZelRef<IZelSentenceItem> found = FirstReading(*item.GetItem(i), suffix))
            return found;
    return nullptr;
}

void BM_StreamEntryIntoRichView(benchmark::State& state) {
    ZelRef<IZelDicMorphEx> morph = ItalianMorphology();
    ZelRef<IZelDic> dic = MainDictionary();
    if (!morph || !dic) {
        state.SkipWithError("the sample installation of this build is missing");
        return;
    }
    ZelRef<IZelSentenceItem> reading = FirstReading(*morph->Analyze(u"case"), " [n]");
    ZelRef<IZelArrayCursor> entries = dic->LookupLu(u"casa", u"casa", -1, 0);
    entries->SetIndex(0);
    std::string rtf = dic->GetEntryRtf(*ZelQuery<IZelLu>(entries), 0);
    TZelDicRichViewForm view("ZelDicViewPageForm");
    view.resize(560, 420);
    view.show();
    for (auto _ : state) {
        view.BeginRender();
        view.AppendTokenBox(*reading);
        view.AppendMorphInfo(*reading);
        view.AppendParagraph();
        view.AppendRtf(dic.get(), rtf);
        view.EndRender();
        QApplication::processEvents(); // the page is laid out and painted
    }
    state.counters["rtf_bytes"] = double(rtf.size());
}
BENCHMARK(BM_StreamEntryIntoRichView)->Unit(benchmark::kMillisecond);

void BM_WordFormsOfEssere(benchmark::State& state) {
    ZelRef<IZelDicMorphEx> morph = ItalianMorphology();
    if (!morph) {
        state.SkipWithError("the sample installation of this build is missing");
        return;
    }
    ZelRef<IZelSentenceItem> verb = FirstReading(*morph->Analyze(u"essere"), " [v]");
    TZelDicViewFlexForm view;
    view.SetMorphDicSource([&] { return morph; });
    view.resize(560, 520);
    view.show();
    int forms = 0;
    for (auto _ : state) {
        view.SetLu(nullptr);
        view.SetLu(verb.get());
        QApplication::processEvents();
        forms = view.PageEdit()->document()->blockCount() - 2;
    }
    state.counters["forms"] = forms;
}
BENCHMARK(BM_WordFormsOfEssere)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return BenchQtMain(argc, argv);
}
