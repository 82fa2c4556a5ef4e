// The views of the look-up window on the sample installation of this build (Release,
// offscreen): a unit handed to the view manager until every view of its pair has rendered
// it (the page views of the dictionary, the notes and the annotations, and the word-forms
// view), over 100 common headwords of each side; and the resident memory that 1,000 such
// look-ups add.
#include "BenchData.h"
#include "BenchQt.h"
#include "ZelDM4.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelDicViewPageUnit.h"
#include "ZelLangConfig.h"
#include "ZelNVDics.h"
#include "ZelViewManagerUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// Common lemmas of everyday text, verbs and nouns first.
const std::vector<std::u16string> ItalianWords{
    u"essere",  u"avere",    u"fare",      u"dire",      u"potere",     u"volere",     u"sapere",
    u"stare",   u"dovere",   u"vedere",    u"andare",    u"venire",     u"dare",       u"parlare",
    u"trovare", u"sentire",  u"lasciare",  u"prendere",  u"guardare",   u"mettere",    u"pensare",
    u"passare", u"credere",  u"portare",   u"tornare",   u"sembrare",   u"tenere",     u"capire",
    u"morire",  u"chiamare", u"conoscere", u"rimanere",  u"chiedere",   u"cercare",    u"entrare",
    u"vivere",  u"aprire",   u"uscire",    u"ricordare", u"cominciare", u"rispondere", u"aspettare",
    u"perdere", u"riuscire", u"scrivere",  u"leggere",   u"mangiare",   u"bere",       u"dormire",
    u"correre", u"casa",     u"anno",      u"uomo",      u"giorno",     u"tempo",      u"vita",
    u"mano",    u"cosa",     u"parte",     u"donna",     u"volta",      u"mondo",      u"paese",
    u"occhio",  u"lavoro",   u"padre",     u"madre",     u"città",      u"notte",      u"figlio",
    u"acqua",   u"testa",    u"porta",     u"strada",    u"amico",      u"nome",       u"storia",
    u"libro",   u"voce",     u"cuore",     u"terra",     u"parola",     u"problema",   u"momento",
    u"sera",    u"mattina",  u"fine",      u"ora",       u"mese",       u"settimana",  u"guerra",
    u"bambino", u"famiglia", u"lingua",    u"scuola",    u"sole",       u"mare",       u"fuoco",
    u"cielo",   u"nuovo",
};
const std::vector<std::u16string> EnglishWords{
    u"be",         u"have",    u"do",       u"say",        u"get",     u"make",   u"go",
    u"know",       u"take",    u"see",      u"come",       u"think",   u"look",   u"want",
    u"give",       u"use",     u"find",     u"tell",       u"ask",     u"work",   u"seem",
    u"feel",       u"try",     u"leave",    u"call",       u"keep",    u"let",    u"begin",
    u"help",       u"talk",    u"turn",     u"start",      u"show",    u"hear",   u"play",
    u"run",        u"move",    u"like",     u"live",       u"believe", u"hold",   u"bring",
    u"happen",     u"write",   u"provide",  u"sit",        u"stand",   u"lose",   u"pay",
    u"meet",       u"include", u"continue", u"set",        u"learn",   u"change", u"lead",
    u"understand", u"watch",   u"follow",   u"stop",       u"time",    u"year",   u"people",
    u"way",        u"day",     u"man",      u"thing",      u"woman",   u"life",   u"child",
    u"world",      u"school",  u"state",    u"family",     u"student", u"group",  u"country",
    u"problem",    u"hand",    u"part",     u"place",      u"case",    u"week",   u"company",
    u"system",     u"program", u"question", u"government", u"number",  u"night",  u"point",
    u"home",       u"water",   u"room",     u"mother",     u"area",    u"money",  u"story",
    u"fact",       u"month",
};

ZelRef<IZelDicMorphEx> Morphology(TZelLanguage language) {
    return ZelFirstDic<IZelDicMorphEx>(language, language);
}

// The look-up window's target pane: a view manager whose views are made as the program
// makes them.
struct TViews {
    TZelLangConfigList Pairs;
    QMainWindow Window;
    TZelViewManagerFrame* Manager = new TZelViewManagerFrame;
    TZelLanguage Source = ZelLangItalian;

    TViews() {
        Window.setCentralWidget(Manager);
        Manager->SetViewFactory([this](int kind, TZelDicViewConfig* config) -> TZelDicViewForm* {
            if (kind == 0) {
                auto* page = new TZelDicViewPageForm;
                page->SetViewConfig(config);
                return page;
            }
            if (kind == 1) {
                auto* forms = new TZelDicViewFlexForm;
                forms->SetMorphDicSource([this] { return Morphology(Source); });
                return forms;
            }
            return nullptr;
        });
        Manager->SetLangConfigSource([this](TZelLanguage source, TZelLanguage target) {
            return Pairs.FindOrAdd(source, target);
        });
        Window.resize(900, 600);
        Window.show();
    }

    // One look-up: the unit handed over, the idle moment, every view rendered; the
    // characters the page views hold.
    int LookUp(const std::u16string& word, TZelLanguage language) {
        Source = language;
        TZelLanguage target = language == ZelLangItalian ? ZelLangEnglish : ZelLangItalian;
        Manager->SetLangConfig(Pairs.FindOrAdd(language, target));
        Manager->ShowLu(ZelReferenceItem(word, language).get());
        QApplication::processEvents();
        std::vector<TZelDicViewForm*> views = Manager->PageViews();
        if (Manager->FlexView())
            views.push_back(Manager->FlexView());
        int characters = 0;
        for (TZelDicViewForm* view : views) {
            if (!view->IsRendered())
                view->RenderNow();
            if (auto* page = dynamic_cast<TZelDicViewPageForm*>(view))
                characters += page->Position();
        }
        return characters;
    }
};

void BM_UnitToEveryViewRendered(benchmark::State& state) {
    if (!Morphology(ZelLangItalian)) {
        state.SkipWithError("the sample installation of this build is missing");
        return;
    }
    TViews views;
    std::vector<std::pair<std::u16string, TZelLanguage>> words;
    for (const auto& word : ItalianWords)
        words.emplace_back(word, ZelLangItalian);
    for (const auto& word : EnglishWords)
        words.emplace_back(word, ZelLangEnglish);
    // Warm: every pair's views made once, every word's pages once.
    for (const auto& [word, language] : words)
        views.LookUp(word, language);
    std::vector<double> times;
    double characters = 0;
    double before = BenchResidentMegabytes();
    size_t next = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const auto& [word, language] = words[next++ % words.size()];
            QElapsedTimer timer;
            timer.start();
            characters += views.LookUp(word, language);
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    double after = BenchResidentMegabytes();
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p90_ms"] = times[times.size() * 9 / 10];
    state.counters["rss_mb"] = after;
    state.counters["characters_per_lookup"] = characters / double(times.size());
    state.counters["rss_growth_per_1000_mb"] = (after - before) / double(state.iterations());
}
BENCHMARK(BM_UnitToEveryViewRendered)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return BenchQtMain(argc, argv);
}
