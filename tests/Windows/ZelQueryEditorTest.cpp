// The query editor on a small compiled dictionary with four query fields (a headword field
// of kind S, a translation field of kind T, a kind X field with its own name for "equal",
// and a kind C field with values and sub-values).
#include "ZelDD6.h"
#include "ZelDicLookProgressUnit.h"
#include "ZelLXQueryItemUnit.h"
#include "ZelLXQueryItemsUnit.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelSettingsStore.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "ZelComboBox.h"

namespace {

class TEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZEL_USER_HIVE", Hives.UserHive().c_str(), 1);
        ZelSettings().Reset();
        std::string description = CompileDD6Fixture(Dir, "lulist.xml");
        std::string out = Dir.File("out") + "/";
        Master = ZelMake<TZelDD6Master>("DD6KLIST1", out, out, description);
        English = ZelMake<TZelDD6>(Master, ZelLangEnglish, ZelLangItalian);
        InstallDics({English});
        Dics = ZelMake<TZelDicList>();
        Dics->Add(ZelRef<IZelUnknown>(English));
        Editor.resize(900, 300);
        Editor.show();
        Editor.SetDictionaries(Dics.get());
    }
    void TearDown() override {
        ZelReleaseDicList(true);
        unsetenv("ZEL_USER_HIVE");
        ZelSettings().Reset();
    }
    TZelLXQueryItemFrame& Box(int row, int column = 0) {
        return *Editor.Rows()[size_t(row)]->Boxes()[size_t(column)];
    }
    void PickOperator(TZelLXQueryItemFrame& box, TZelOpKind op) {
        box.OperatorList()->setCurrentIndex(box.OperatorList()->findData(int(op)));
    }

    TTempHives Hives;
    TTempDir Dir;
    ZelRef<TZelDD6Master> Master;
    ZelRef<TZelDD6> English;
    ZelRef<TZelDicList> Dics;
    TZelLemmaQueryFrame Editor;
};

TEST_F(TEditorTest, RowsBoxesAndOperators) {
    ASSERT_EQ(Editor.Rows().size(), 4u);
    EXPECT_FALSE(Editor.DictionaryPanel()->isVisible());           // one dictionary
    EXPECT_EQ(Editor.Rows()[0]->FieldLabel()->text(), "Headword"); // through the names table
    // Kind S: "begins with" first, the value typed.
    TZelLXQueryItemFrame& headword = Box(0);
    EXPECT_EQ(headword.OperatorList()->currentText(), "begins with");
    EXPECT_TRUE(headword.Arg1Edit()->isVisibleTo(&Editor));
    EXPECT_TRUE(headword.Arg1Edit()->isEnabled());
    EXPECT_EQ(Editor.FirstControl(), headword.Arg1Edit());
    EXPECT_FALSE(headword.ConnectorList()->isVisibleTo(&Editor)); // the first of its row
    QTest::keyClicks(headword.Arg1Edit(), "ab 3");
    EXPECT_EQ(headword.Arg1Edit()->text(), "ab3"); // a space does not begin anything
    EXPECT_EQ(headword.Item()->Arg1, "ab3");
    EXPECT_TRUE(Editor.SearchAction()->isEnabled());
    PickOperator(headword, okLengthIs);
    EXPECT_EQ(headword.Arg1Edit()->text(), "3"); // only digits stay
    PickOperator(headword, okContains);
    QTest::keyClicks(headword.Arg1Edit(), " x");
    EXPECT_EQ(headword.Arg1Edit()->text(), "3 x");

    // Kind T: "near" has a distance (5) and a second value sharing the width.
    TZelLXQueryItemFrame& translation = Box(1);
    PickOperator(translation, okNear);
    EXPECT_TRUE(translation.DistanceList()->isVisibleTo(&Editor));
    EXPECT_EQ(translation.DistanceList()->currentText(), "5");
    EXPECT_TRUE(translation.Arg2Edit()->isVisibleTo(&Editor));
    QApplication::processEvents();
    EXPECT_LE(std::abs(translation.Arg1Edit()->width() - translation.Arg2Edit()->width()), 1);
    translation.DistanceList()->setCurrentIndex(0);
    EXPECT_EQ(translation.Item()->NearDistance, 2);

    // Kind X: its own name for "equal", the values through the names table.
    TZelLXQueryItemFrame& kind = Box(2);
    EXPECT_EQ(kind.OperatorList()->itemText(kind.OperatorList()->findData(int(okEqInt))),
              "is of kind");
    PickOperator(kind, okEqInt);
    EXPECT_TRUE(kind.ValueList()->isVisibleTo(&Editor));
    EXPECT_FALSE(kind.Arg1Edit()->isVisibleTo(&Editor));
    EXPECT_EQ(kind.ValueList()->itemText(1), "noun");

    // Kind C with sub-values: picking a value offers its own.
    TZelLXQueryItemFrame& category = Box(3);
    EXPECT_TRUE(category.SubValueList()->isVisibleTo(&Editor));
    EXPECT_FALSE(category.SubValueList()->isEnabled());
    category.ValueList()->setCurrentIndex(1);
    EXPECT_EQ(category.Item()->Arg1, "1");
    EXPECT_TRUE(category.SubValueList()->isEnabled());
    EXPECT_EQ(category.SubValueList()->itemText(1), "masculine");
    category.ValueList()->setCurrentIndex(2);
    EXPECT_FALSE(category.SubValueList()->isEnabled());
}

// Conditions come and go; the header has a section per column that any row uses.
TEST_F(TEditorTest, AddingAndDeletingConditions) {
    Box(0).DeleteButton()->click(); // the only one: a new empty one takes its place
    ASSERT_EQ(Editor.Rows()[0]->Boxes().size(), 1u);
    EXPECT_TRUE(Editor.Query().GetFieldData(0).Item(0).IsEmpty());
    QTest::keyClick(Box(1).Arg1Edit(), Qt::Key_Insert, Qt::ControlModifier);
    Box(1, 1).AddButton()->click();
    Box(3).AddButton()->click();
    QApplication::processEvents();
    EXPECT_EQ(Editor.Rows()[1]->Boxes().size(), 3u);
    EXPECT_EQ(Editor.Rows()[3]->Boxes().size(), 2u);
    EXPECT_TRUE(Box(1, 1).ConnectorList()->isVisibleTo(&Editor));
    QHeaderView* header = Editor.Header();
    ASSERT_EQ(header->count(), 4);
    EXPECT_EQ(header->model()->headerData(1, Qt::Horizontal).toString(), "Condition 1");
    EXPECT_EQ(header->model()->headerData(3, Qt::Horizontal).toString(), "Condition 3");
    EXPECT_EQ(header->sectionSize(0), Editor.Rows()[0]->FieldLabel()->width());
    header->resizeSection(2, 400); // dragging a section widens that column of every row
    EXPECT_EQ(Box(1, 1).width(), 400);
    EXPECT_EQ(Box(3, 1).width(), 400);
    QTest::keyClick(Box(1, 2).Arg1Edit(), Qt::Key_Delete, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(Editor.Rows()[1]->Boxes().size(), 2u);
    Editor.ClearQueryAction()->trigger();
    QApplication::processEvents();
    for (TZelLXQueryItemsFrame* row : Editor.Rows())
        EXPECT_EQ(row->Boxes().size(), 1u);
    EXPECT_FALSE(Editor.SearchAction()->isEnabled());
}

// A search through the editor: the progress window, the result, QueryChanged.
TEST_F(TEditorTest, ASearchShowsItsResult) {
    int changed = 0;
    QObject::connect(&Editor, &TZelLXQueryFrame::QueryChanged, [&] { ++changed; });
    QTest::keyClicks(Box(0).Arg1Edit(), "word1");
    ASSERT_TRUE(Editor.SearchAction()->isEnabled());
    Editor.SearchAction()->trigger();
    ASSERT_NE(Editor.Query().GetResult(), nullptr);
    EXPECT_EQ(Editor.Query().GetResult()->GetCount(), 10); // word10 ... word19
    EXPECT_EQ(changed, 1);
    TZelDicLookProgressForm* progress = Editor.ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->ItemsField()->text(), "10");
    if (!progress->CloseWhenDone()->isChecked()) {
        EXPECT_TRUE(progress->isVisible());
        EXPECT_EQ(progress->CancelButton()->text(), "&Close");
    }
}

} // namespace
