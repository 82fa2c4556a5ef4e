// The panes of searching: the progress window's figures and its close-when-done choice,
// and the headword list pane on a small compiled dictionary (neighbours that differ by
// case, multi-word headwords hidden by default, homographs, sixty more rows to page).
#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelDicLookProgressUnit.h"
#include "ZelLuListUnit.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class TProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZEL_USER_HIVE", Hives.UserHive().c_str(), 1);
        ZelSettings().Reset();
    }
    void TearDown() override {
        unsetenv("ZEL_USER_HIVE");
        ZelSettings().Reset();
    }
    TTempHives Hives;
};

TEST_F(TProgressTest, TheFiguresOfASearch) {
    EXPECT_EQ(TZelProgressForm::FormatDuration(65), "1' 05\"");
    EXPECT_EQ(TZelProgressForm::FormatDuration(0), "0' 00\"");
    EXPECT_EQ(TZelProgressForm::FormatDuration(-1), "?");

    TZelDicLookProgressForm progress;
    progress.Start();
    EXPECT_FALSE(progress.Progress(0, 0, 0));
    EXPECT_EQ(progress.Gauge()->value(), progress.Gauge()->maximum()); // a total of 0

    progress.Start();
    progress.SetStartTime(QDateTime::currentDateTime().addSecs(-40));
    progress.Progress(0, 0, 40);
    progress.UpdateTimes();
    EXPECT_EQ(progress.EstimatedTotal(), progress.Elapsed()); // position 0: the elapsed time
    EXPECT_EQ(progress.TimeField(2)->text(), "?");
    progress.Progress(10, 3, 40);
    progress.UpdateTimes();
    EXPECT_EQ(progress.Elapsed(), 40);
    EXPECT_EQ(progress.EstimatedTotal(), 160);
    EXPECT_EQ(progress.EstimatedLeft(), 120);
    EXPECT_EQ(progress.TimeField(1)->text(), "2' 40\"");
    EXPECT_EQ(progress.ItemsField()->text(), "3");
    EXPECT_EQ(progress.Gauge()->value(), 25);
}

// Cancel only asks the search to stop; with "Close when done" off the window stays with
// the final figures and a Close button; the choice is remembered.
TEST_F(TProgressTest, CancelAndCloseWhenDone) {
    QWidget other;
    other.show();
    {
        TZelDicLookProgressForm progress;
        progress.CloseWhenDone()->setChecked(false);
        progress.Start();
        EXPECT_EQ(QApplication::activeModalWidget(), &progress); // the other windows wait
        progress.CancelButton()->click();
        EXPECT_TRUE(progress.Progress(5, 1, 10)); // the search is told at its next call
        progress.CloseProgress();                 // cancelled before Finish: closes at once
        EXPECT_FALSE(progress.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

        progress.Start();
        progress.Progress(10, 4, 10);
        progress.SetItemsFound(4);
        progress.Finish();
        progress.CloseProgress();
        EXPECT_TRUE(progress.isVisible());
        EXPECT_EQ(progress.CancelButton()->text(), "&Close");
        EXPECT_FALSE(progress.TimeField(1)->isEnabled());
        progress.CancelButton()->click();
        EXPECT_FALSE(progress.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    TZelDicLookProgressForm again;
    EXPECT_FALSE(again.CloseWhenDone()->isChecked());
    again.CloseWhenDone()->setChecked(true);
    again.Start();
    again.Finish();
    again.CloseProgress();
    EXPECT_FALSE(again.isVisible());
}

class TLuListTest : public ::testing::Test {
protected:
    void SetUp() override {
        Description = CompileDD6Fixture(Dir, "lulist.xml");
        std::string out = Dir.File("out") + "/";
        Master = ZelMake<TZelDD6Master>("DD6KLIST1", out, out, Description);
        English = ZelMake<TZelDD6>(Master, ZelLangEnglish, ZelLangItalian);
        Dics = ZelMake<TZelDicList>();
        Dics->Add(ZelRef<IZelUnknown>(English));
        Frame.resize(240, 10 * Frame.RowHeight() + 80);
        Frame.show();
        Frame.OnSelect = [this](IZelLu* lu) { Chosen.push_back(ZelWideToUtf8(lu->GetWideText())); };
    }
    // Types into the find box as a person does.
    void Type(const QString& text) {
        Frame.FindEdit()->selectAll();
        QTest::keyClicks(Frame.FindEdit(), text);
        if (text.isEmpty())
            QTest::keyClick(Frame.FindEdit(), Qt::Key_Backspace);
    }
    QString Row(int row) { return Frame.List()->model()->index(row, 0).data().toString(); }
    QString Selected() { return Row(Frame.SelectedRow()); }

    TTempDir Dir;
    std::string Description;
    ZelRef<TZelDD6Master> Master;
    ZelRef<TZelDD6> English;
    ZelRef<TZelDicList> Dics;
    TZelLuListFrame Frame;
    std::vector<std::string> Chosen;
};

TEST_F(TLuListTest, TypingPositionsOnTheExactHeadword) {
    Frame.ShowDictionaries(Dics.get());
    EXPECT_FALSE(Frame.ChooserPanel()->isVisible()); // one dictionary: no chooser
    ASSERT_TRUE(Frame.ShowMultiwordsAction()->isEnabled());
    EXPECT_FALSE(Frame.ShowMultiwordsAction()->isChecked()); // hidden by default
    int rows = Frame.List()->model()->rowCount();
    EXPECT_EQ(rows, 65); // the two multi-word headwords left out
    // "ab" and "Ab" are loosely equal: typing the second of them in the list's order finds
    // the first, then steps on to the exact one.
    QString second = Row(1);
    ASSERT_EQ(Row(0).toLower(), "ab");
    ASSERT_EQ(second.toLower(), "ab");
    Type(second);
    EXPECT_EQ(Frame.SelectedRow(), 1);
    EXPECT_EQ(Frame.FindEdit()->text(), second); // positioning does not write into the box
    Type("AB");                                  // neither is exact: the last loosely equal one
    EXPECT_EQ(Frame.SelectedRow(), 1);
    Type("zzz");
    EXPECT_EQ(Frame.SelectedRow(), rows - 1);
    Type("a b");
    EXPECT_TRUE(Frame.ShowMultiwordsAction()->isChecked());
    EXPECT_EQ(Frame.List()->model()->rowCount(), 67);
    EXPECT_EQ(Selected(), "a b");
    EXPECT_EQ(Frame.FindEdit()->text(), "a b");
    QTest::keyClick(Frame.FindEdit(), Qt::Key_Backspace);
    QTest::keyClick(Frame.FindEdit(), Qt::Key_Backspace);
    QTest::keyClicks(Frame.FindEdit(), "b");
    EXPECT_EQ(Frame.FindEdit()->text(), "ab");
    EXPECT_FALSE(Frame.ShowMultiwordsAction()->isChecked());
    EXPECT_EQ(Frame.List()->model()->rowCount(), 65);
    EXPECT_EQ(Selected(), "ab");
    ASSERT_FALSE(Chosen.empty());
    EXPECT_EQ(Chosen.back(), "ab"); // the window is told of every position
}

TEST_F(TLuListTest, PagingKeepsTheLastPageFull) {
    Frame.ShowDictionaries(Dics.get());
    int rows = Frame.List()->model()->rowCount();
    int visible = Frame.VisibleRows();
    ASSERT_LT(visible, rows);
    Type("word50");
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(Frame.FindEdit(), Qt::Key_PageDown);
    EXPECT_EQ(Frame.SelectedRow(), rows - 1);
    EXPECT_EQ(Frame.TopRow(), rows - visible);
    QTest::keyClick(Frame.FindEdit(), Qt::Key_Up);
    EXPECT_EQ(Frame.SelectedRow(), rows - 2);
    QTest::keyClick(Frame.FindEdit(), Qt::Key_PageUp);
    EXPECT_EQ(Frame.SelectedRow(), rows - 2 - visible + 1);
    // A click on a row writes its headword into the find box and tells the window.
    Frame.List()->setCurrentIndex(Frame.List()->model()->index(2, 0));
    EXPECT_EQ(Frame.FindEdit()->text(), Row(2));
    EXPECT_EQ(Chosen.back(), Row(2).toStdString());
}

TEST_F(TLuListTest, AResultShownWithoutChooserAndTheStateComesBack) {
    ZelRef<TZelArrayCursorFilter> result = ZelMake<TZelArrayCursorFilter>(English->GetEntries());
    for (int32_t i : {2, 3, 4, 30})
        result->Add(i);
    Frame.ShowCursor(result);
    EXPECT_EQ(Frame.DicChooser()->count(), 0);
    EXPECT_FALSE(Frame.ChooserPanel()->isVisible());
    EXPECT_FALSE(Frame.ShowMultiwordsAction()->isVisible());
    EXPECT_FALSE(Frame.MultiwordsButton()->isVisible());
    EXPECT_EQ(Frame.List()->model()->rowCount(), 4);
    Type("zzz");
    EXPECT_EQ(Frame.SelectedRow(), 3);

    Frame.ShowDictionaries(Dics.get());
    Type("word1");
    TZelLuListState state = Frame.GetState();
    Type("apple");
    Frame.SetState(state);
    EXPECT_EQ(Frame.FindEdit()->text(), "word1");
    EXPECT_EQ(Frame.SelectedRow(), state.SelectedRow);
    EXPECT_EQ(Selected(), "word10"); // the first headword after the text
    EXPECT_EQ(Frame.TopRow(), state.TopRow);
}

} // namespace
