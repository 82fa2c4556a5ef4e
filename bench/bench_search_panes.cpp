// The panes of searching on a generated dictionary of 1,000,000 headwords (Release,
// offscreen): the headword list positioning as a person types, the memory of the pane with
// the whole list shown, and how long the window goes without handling its events during an
// advanced search that reads every entry.
#include "BenchData.h"
#include "BenchQt.h"
#include "ZelComboBox.h"
#include "ZelDicLookProgressUnit.h"
#include "ZelLXQueryItemUnit.h"
#include "ZelLXQueryItemsUnit.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelLuListUnit.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int Entries = 1000000;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Typing 200 headwords letter by letter into the find box: the time of each key until the
// list is positioned and painted.
void BM_ListPositionsPerKey(benchmark::State& state) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(Entries);
    ZelRef<TZelDicList> dics = ZelMake<TZelDicList>();
    dics->Add(ZelRef<IZelUnknown>(dic));
    double before = BenchResidentMegabytes();
    TZelLuListFrame list;
    list.resize(260, 700);
    list.show();
    list.ShowDictionaries(dics.get());
    QApplication::processEvents();
    double shown = BenchResidentMegabytes();
    std::vector<double> keys;
    for (auto _ : state) {
        for (uint32_t w = 0; w < 200; ++w) {
            std::string word = BenchWord(w * 48611u % uint32_t(Entries));
            list.FindEdit()->clear();
            for (char c : word) {
                QElapsedTimer timer;
                timer.start();
                QTest::keyClick(list.FindEdit(), c);
                QApplication::processEvents();
                keys.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
        }
    }
    state.counters["rows"] = list.List()->model()->rowCount();
    state.counters["median_key_ms"] = Median(keys);
    state.counters["keys"] = double(keys.size());
    state.counters["pane_rss_mb"] = shown - before;
}
BENCHMARK(BM_ListPositionsPerKey)->Unit(benchmark::kMillisecond)->Iterations(1);

// An advanced search whose condition reads every entry ("ends with" has no index): the
// longest time between two ticks of a 1 ms timer while it runs.
void BM_LongestEventGapDuringFullScan(benchmark::State& state) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(Entries);
    ZelRef<TZelDicList> dics = ZelMake<TZelDicList>();
    dics->Add(ZelRef<IZelUnknown>(dic));
    TZelLemmaQueryFrame editor;
    editor.resize(900, 200);
    editor.show();
    editor.SetDictionaries(dics.get());
    TZelLXQueryItemFrame& headword = *editor.Rows()[0]->Boxes()[0];
    headword.OperatorList()->setCurrentIndex(headword.OperatorList()->findData(int(okEndsWith)));
    headword.Arg1Edit()->setText("rus");
    double longest = 0, found = 0, seconds = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 last = 0;
        QTimer ticks;
        ticks.setInterval(1);
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, double(now - last) / 1e6);
            last = now;
        });
        clock.start();
        ticks.start();
        editor.Search();
        ticks.stop();
        seconds = double(clock.nsecsElapsed()) / 1e9;
        found = editor.Query().GetResult() ? editor.Query().GetResult()->GetCount() : 0;
        if (editor.ProgressWindow())
            editor.ProgressWindow()->hide();
    }
    state.counters["longest_gap_ms"] = longest;
    state.counters["found"] = found;
    state.counters["search_s"] = seconds;
}
BENCHMARK(BM_LongestEventGapDuringFullScan)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return BenchQtMain(argc, argv);
}
