// The main look-up window as the program starts it, on the sample installation of this
// build (Release, offscreen): a caret move onto a word of an analysed Italian text until
// the word's unit is rendered in every view of the pair (the page views and the
// word-forms view); Paste and Analyze of a 1,000-word text (the text cut into sentences,
// the first analysed and shown with its first word's entry); and every sentence of that
// text analysed, as browsing the whole of it would.
#include "BenchProgram.h"
#include "ZelDic.h"
#include "ZelDicViewPageUnit.h"
#include "ZelMorphTreeUnit.h"
#include "ZelNVMainUnit.h"
#include "ZelRichEdit.h"
#include "ZelViewManagerUnit.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMessageBox>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

// A short Italian passage of everyday prose (ours), 93 words; eleven of them make 1,023.
const char16_t* const Passage =
    u"Ogni mattina la signora Rossi apre la finestra della cucina e guarda il mare. "
    u"I bambini dormono ancora, ma il caffè è già pronto sul tavolo. "
    u"Più tardi andranno tutti insieme al mercato, dove comprano frutta fresca e pane caldo. "
    u"Il marito lavora in città e torna a casa soltanto la sera, stanco ma contento. "
    u"Quando piove, la famiglia resta in casa e legge vecchi libri vicino al fuoco. "
    u"La nonna racconta storie della guerra e della sua giovinezza in montagna. "
    u"Nessuno ricorda se quelle storie siano vere, però tutti le ascoltano volentieri. ";

std::u16string Text(int copies) {
    std::u16string text;
    for (int i = 0; i < copies; ++i)
        text += Passage;
    return text;
}

int Words(const std::u16string& text) {
    int words = 0;
    bool inWord = false;
    for (char16_t c : text) {
        bool letter = c != u' ' && c != u'.' && c != u',';
        words += letter && !inWord;
        inWord = letter;
    }
    return words;
}

// Every view of the pair renders the unit shown.
void RenderEveryView(TZelViewManagerFrame& views) {
    views.RefreshNow();
    std::vector<TZelDicViewForm*> all = views.PageViews();
    if (views.FlexView())
        all.push_back(views.FlexView());
    for (TZelDicViewForm* view : all)
        if (!view->IsRendered())
            view->RenderNow();
}

// Times a step the given number of rounds (its round number passed) and reports the
// median and the 90th percentile.
void TimeRounds(benchmark::State& state, int rounds, const std::function<void(int)>& step) {
    std::vector<double> times;
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer timer;
            timer.start();
            step(round);
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p90_ms"] = times[times.size() * 9 / 10];
}

void BM_CaretMoveToEveryViewRendered(benchmark::State& state) {
    TBenchProgram program;
    TZelNVMainForm* main = program.Start(state);
    if (!main)
        return;
    std::u16string text = Text(1);
    main->LookUp(QString::fromStdU16String(text));
    // The starts of the words, and every sentence analysed once (warm).
    std::vector<int> starts;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != u' ' && text[i] != u'.' && text[i] != u',' &&
            (i == 0 || text[i - 1] == u' '))
            starts.push_back(int(i) + 1);
    TZelRichEdit* edit = main->SourceEdit();
    for (int start : starts) {
        main->FindAction("ActionsAnalyzeAction")->trigger();
        edit->SetCaretPosition(start);
        RenderEveryView(*main->Views());
    }
    TimeRounds(state, 500, [&](int round) {
        edit->SetCaretPosition(starts[size_t(round) % starts.size()]);
        RenderEveryView(*main->Views());
    });
    state.counters["words"] = double(starts.size());
}
BENCHMARK(BM_CaretMoveToEveryViewRendered)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PasteAndAnalyze1000Words(benchmark::State& state) {
    TBenchProgram program;
    TZelNVMainForm* main = program.Start(state);
    if (!main)
        return;
    std::u16string text = Text(11);
    QApplication::clipboard()->setText(QString::fromStdU16String(text));
    QAction* paste = main->FindAction("ActionsPasteAndAnalyzeAction");
    main->OnAskSave = [](const QString&) { return int(QMessageBox::No); };
    TimeRounds(state, 30, [&](int) {
        paste->trigger();
        RenderEveryView(*main->Views());
    });
    state.counters["words"] = Words(text);
    state.counters["sentences"] = main->Sentences().GetCount();
}
BENCHMARK(BM_PasteAndAnalyze1000Words)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Analyze1000WordsEverySentence(benchmark::State& state) {
    TBenchProgram program;
    TZelNVMainForm* main = program.Start(state);
    if (!main)
        return;
    std::u16string text = Text(11);
    TimeRounds(state, 30, [&](int) {
        TZelSentenceList& sentences = main->Sentences();
        sentences.SetText(text);
        for (int32_t s = 0; s < sentences.GetCount(); ++s)
            sentences.SetAnalysis(s, main->AnalyzeSentence(sentences.GetSentenceText(s)));
    });
    state.counters["words"] = Words(text);
}
BENCHMARK(BM_Analyze1000WordsEverySentence)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ZelReleaseDicList(true);
    return 0;
}
