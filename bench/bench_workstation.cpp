// The workstation as a person meets it, on a real X display (Xvfb; bench/run-all.sh starts
// one): the program started as a process until its window is shown and painted (warm: one
// start before the timed ones); the resident memory of the program after 1,000 look-ups
// with its growth from the tenth (measured before anything else loads into this process);
// a click on a word of the text until its entry is painted; and a key typed into the
// headword list of a generated 1,000,000-entry dictionary until the list is painted. Each
// time is a median over its rounds, reported as a counter.
#include "BenchData.h"
#include "BenchProgram.h"
#include "BenchQt.h"
#include "ZelDic.h"
#include "ZelDicViewPageUnit.h"
#include "ZelLuListUnit.h"
#include "ZelRichEdit.h"
#include "ZelViewManagerUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTextCursor>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile90(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() * 9 / 10];
}

bool HaveDisplay(benchmark::State& state) {
    if (QGuiApplication::platformName() == "xcb")
        return true;
    state.SkipWithError("no X display (run under Xvfb: bench/run-all.sh starts one)");
    return false;
}

// Counts the paint events some widgets receive.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    explicit TPaintCounter(const std::vector<QWidget*>& widgets) {
        for (QWidget* widget : widgets)
            widget->installEventFilter(this);
    }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

// Handles events until the widget has painted since `before` (at most a second).
void WaitForPaint(const TPaintCounter& paints, int before) {
    QElapsedTimer limit;
    limit.start();
    while (paints.Count == before && limit.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void ShowAndWait(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    QTest::qWaitForWindowExposed(&widget, 5000);
    QApplication::processEvents();
}

// The pages of the entry views of the window: whichever shows the entry paints it.
std::vector<QWidget*> EntryPages(TZelNVMainForm& main) {
    std::vector<QWidget*> pages;
    for (TZelDicViewForm* view : main.Views()->PageViews())
        if (auto* page = dynamic_cast<TZelDicViewPageForm*>(view))
            pages.push_back(page->PageEdit()->viewport());
    return pages;
}

// The program in this process with its window shown on the display, or none (the
// benchmark skips).
TZelNVMainForm* StartShown(TBenchProgram& program, benchmark::State& state) {
    if (!HaveDisplay(state))
        return nullptr;
    TZelNVMainForm* main = program.Start(state);
    if (main)
        ShowAndWait(*main);
    return main;
}

// --- Start --------------------------------------------------------------------------------

// Starts the program and returns the milliseconds until it said it is up (its window shown
// and painted), or -1; the program then ends by itself.
double StartOnce(const TBenchProgramProcess& program) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    QElapsedTimer clock;
    clock.start();
    pid_t child = program.Spawn(&actions);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    double up = -1;
    char c = 0;
    while (child > 0 && read(out[0], &c, 1) == 1)
        if (c == '\n') {
            up = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
    close(out[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? up : -1;
}

void BM_Display_StartToWindowShown(benchmark::State& state) {
    TBenchProgramProcess program("xcb");
    if (!HaveDisplay(state) || !program.Available(state))
        return;
    StartOnce(program); // warm: the files in the page cache, settings written
    std::vector<double> starts;
    for (auto _ : state) {
        double up = StartOnce(program);
        if (up < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            break;
        }
        starts.push_back(up);
    }
    state.counters["median_ms"] = Median(starts);
    state.counters["target_ms"] = 400;
}
BENCHMARK(BM_Display_StartToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// --- Memory (first, while the process holds nothing else) -------------------------------

// Headwords of the Italian main dictionary, spread over it.
std::vector<QString> ItalianHeadwords(int wanted) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t d = 0; d < list->GetCount(); ++d) {
        ZelRef<IZelDic> dic = list->GetDic(d);
        if (dic->GetSourceLang() != ZelLangItalian)
            continue;
        ZelRef<IZelArrayCursor> entries = dic->GetEntries();
        ZelRef<IZelLu> lu = entries ? ZelQuery<IZelLu>(entries) : nullptr;
        if (!lu || entries->GetCount() == 0)
            continue;
        std::vector<QString> words;
        for (int i = 0; i < wanted; ++i) {
            entries->SetIndex((i * 37) % entries->GetCount());
            words.push_back(QString::fromStdU16String(lu->GetWideText()));
        }
        return words;
    }
    return {};
}

void BM_Display_Memory1000LookUps(benchmark::State& state) {
    TBenchProgram program;
    TZelNVMainForm* main = StartShown(program, state);
    if (!main)
        return;
    std::vector<QString> words = ItalianHeadwords(1000);
    if (words.empty()) {
        state.SkipWithError("the sample installation has no Italian dictionary");
        return;
    }
    double tenth = 0, last = 0;
    std::vector<double> lookUps;
    for (auto _ : state) {
        for (size_t i = 0; i < words.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            main->LookUp(words[i]);
            // The views' refresh at the idle moment, then the paint it asks for.
            QApplication::processEvents();
            QApplication::processEvents();
            lookUps.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (i == 9)
                tenth = BenchResidentMegabytes();
        }
        last = BenchResidentMegabytes();
    }
    state.counters["rss_mb"] = last;
    state.counters["growth_mb"] = last - tenth;
    state.counters["median_lookup_ms"] = Median(lookUps);
    state.counters["target_rss_mb"] = 120;
    state.counters["target_growth_mb"] = 20;
}
BENCHMARK(BM_Display_Memory1000LookUps)->Unit(benchmark::kMillisecond)->Iterations(1);

// --- Click to entry -------------------------------------------------------------------------

// One sentence: the caret shows the words of the sentences analysed, and Analyze analyses
// the first.
const char* const Sentence =
    "Ogni mattina la signora apre la finestra della cucina e guarda il mare, mentre i "
    "bambini dormono ancora e il caffè è già pronto sul tavolo della sala.";

// The middle of every word of the source text, where a click lands.
std::vector<QPoint> WordCentres(TZelRichEdit& edit) {
    std::vector<QPoint> centres;
    QString text = edit.toPlainText();
    for (int i = 0; i < text.size(); ++i) {
        if (!text[i].isLetter() || (i > 0 && text[i - 1].isLetter()))
            continue;
        int end = i;
        while (end < text.size() && text[end].isLetter())
            ++end;
        QTextCursor cursor(edit.document());
        cursor.setPosition((i + end) / 2);
        centres.push_back(edit.cursorRect(cursor).center());
    }
    return centres;
}

void BM_Display_ClickOnWordToEntryPainted(benchmark::State& state) {
    TBenchProgram program;
    TZelNVMainForm* main = StartShown(program, state);
    if (!main)
        return;
    main->LookUp(QString::fromUtf8(Sentence));
    TPaintCounter paints(EntryPages(*main));
    TZelRichEdit& source = *main->SourceEdit();
    std::vector<QPoint> words = WordCentres(source);
    std::vector<double> clicks;
    int painted = 0;
    for (auto _ : state) {
        for (int round = 0; round < 300; ++round) {
            QPoint at = words[size_t(round * 7) % words.size()];
            int before = paints.Count;
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(source.viewport(), Qt::LeftButton, {}, at);
            WaitForPaint(paints, before);
            clicks.push_back(double(timer.nsecsElapsed()) / 1e6);
            painted += paints.Count > before;
        }
    }
    state.counters["median_ms"] = Median(clicks);
    state.counters["p90_ms"] = Percentile90(clicks);
    state.counters["painted"] = painted;
    state.counters["target_ms"] = 20;
}
BENCHMARK(BM_Display_ClickOnWordToEntryPainted)->Unit(benchmark::kMillisecond)->Iterations(1);

// --- Typing in the headword list ------------------------------------------------------------

void BM_Display_HeadwordListKey1M(benchmark::State& state) {
    if (!HaveDisplay(state))
        return;
    constexpr int Entries = 1000000;
    ZelRef<TZelDD6> dic = BenchOpenDD6(Entries);
    ZelRef<TZelDicList> dics = ZelMake<TZelDicList>();
    dics->Add(ZelRef<IZelUnknown>(dic));
    TZelLuListFrame list;
    list.resize(260, 700);
    ShowAndWait(list);
    list.ShowDictionaries(dics.get());
    QApplication::processEvents();
    TPaintCounter paints(list.List()->viewport());
    std::vector<double> keys;
    for (auto _ : state) {
        for (uint32_t w = 0; w < 200; ++w) {
            std::string word = BenchWord(w * 48611u % uint32_t(Entries));
            list.FindEdit()->clear();
            QApplication::processEvents();
            for (char c : word) {
                int before = paints.Count;
                QElapsedTimer timer;
                timer.start();
                QTest::keyClick(list.FindEdit(), c);
                QApplication::processEvents();
                if (paints.Count == before) // the list moved: its paint is still to come
                    QApplication::processEvents();
                keys.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
        }
    }
    state.counters["rows"] = list.List()->model()->rowCount();
    state.counters["median_ms"] = Median(keys);
    state.counters["p90_ms"] = Percentile90(keys);
    state.counters["target_ms"] = 5;
}
BENCHMARK(BM_Display_HeadwordListKey1M)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    // A real display when there is one; without, every benchmark here says so and skips.
    return BenchQtMain(argc, argv, qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
}
