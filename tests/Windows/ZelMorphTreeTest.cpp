// The analysis tree and the choice of a lemma.
#include "ZelChooseLemmaUnit.h"
#include "ZelErrors.h"
#include "ZelMorphTreeUnit.h"
#include "ZelWindowTestItems.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The tree as indented lines, "*" before the selected node.
std::string Show(TZelMorphTreeFrame& frame) {
    std::string out;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* node, int depth) {
        out += std::string(size_t(depth) * 2, ' ') + (node->isSelected() ? "*" : "") +
               node->text(0).toStdString() + "\n";
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), depth + 1);
    };
    QTreeWidget& tree = *frame.MorphTreeView();
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return out;
}

// "Le case": "Le" is three readings, "case" one.
ZelRef<IZelSentenceItem> LeCase() {
    return Group(ZelItemSequence, {Group(ZelItemAlternatives,
                                         {Reading(u"il", u"Le", 0, 13), Reading(u"lo", u"Le", 0, 6),
                                          Reading(u"bank", u"Le", 2, 0)}),
                                   Reading(u"casa", u"case", 0, 2)});
}

// Answers the dialog as a user would: selects the node with the text, then OK or Cancel.
struct TAnswer {
    QString Node;
    bool Ok = true;
    int Shown = 0;
    std::string TreeSeen;
    TZelChooseLemmaRunner Runner() {
        return [this](TZelChooseLemmaForm& form) {
            ++Shown;
            TreeSeen = Show(*form.TreeFrame());
            QTreeWidget& tree = *form.TreeFrame()->MorphTreeView();
            auto found = tree.findItems(Node, Qt::MatchExactly | Qt::MatchRecursive);
            if (!found.isEmpty())
                tree.setCurrentItem(found.front());
            return Ok;
        };
    }
};

} // namespace

TEST(MorphTree, BuildsTheTreeOfEachKindOfAnalysis) {
    TZelMorphTreeFrame frame;
    const std::vector<std::pair<ZelRef<IZelSentenceItem>, std::string>> cases = {
        // One word with one reading: its form and category under the root.
        {Group(ZelItemSequence, {Reading(u"casa", u"case", 0, 2)}), "Analysis\n  *case [n]\n"},
        // Alternatives: the first reading's form, then each reading (in the order the item
        // keeps them) as ordinal, lemma and category; a sequence at the top adds no node.
        {LeCase(), "Analysis\n  *Le\n    2bank\n    il [art]\n    lo [pron]\n  case [n]\n"},
        // A sequence below the top is a node with its form.
        {Group(ZelItemSequence,
               {Group(ZelItemSequence, {Reading(u"a", u"a"), Reading(u"b", u"b")}, u"a b")}),
         "Analysis\n  *a b\n    a\n    b\n"},
    };
    for (const auto& [item, expected] : cases) {
        frame.SetAnalysis(item.get());
        EXPECT_EQ(Show(frame), expected);
        EXPECT_TRUE(frame.MorphTreeView()->isEnabled());
    }
}

TEST(MorphTree, SelectsOnlyWhatNamesAReading) {
    TZelMorphTreeFrame frame;
    ZelRef<IZelSentenceItem> analysis = LeCase();
    frame.SetAnalysis(analysis.get());
    QTreeWidget& tree = *frame.MorphTreeView();
    QSignalSpy selected(&frame, &TZelMorphTreeFrame::Selected);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_FALSE(frame.IsSelectable(root));
    tree.setCurrentItem(root);
    EXPECT_FALSE(root->isSelected()); // refused
    QTreeWidgetItem* lo = root->child(0)->child(1);
    tree.setCurrentItem(lo);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(frame.GetSelected(), analysis->GetItem(0)->GetItem(1).get());
    // Lemmas only: a node without a lemma cannot be chosen.
    frame.SetLemmasOnly(true);
    ZelRef<IZelSentenceItem> unknown =
        Group(ZelItemSequence, {Reading(u"", u"xyz"), Reading(u"casa", u"case")});
    frame.SetAnalysis(unknown.get());
    EXPECT_EQ(Show(frame), "Analysis\n  xyz\n  *case\n");
    // The same item again changes nothing.
    tree.clearSelection();
    frame.SetAnalysis(unknown.get());
    EXPECT_EQ(Show(frame), "Analysis\n  xyz\n  case\n");
}

TEST(MorphTree, TheHandShowsOverSelectableText) {
    TZelMorphTreeFrame frame;
    ZelRef<IZelSentenceItem> analysis = LeCase();
    frame.SetAnalysis(analysis.get());
    frame.resize(300, 200);
    frame.show();
    QTreeWidget& tree = *frame.MorphTreeView();
    auto pointerAt = [&](QTreeWidgetItem* node, int dx) {
        QRect rect = tree.visualItemRect(node);
        QTest::mouseMove(tree.viewport(), QPoint(rect.left() + dx, rect.center().y()));
        return tree.viewport()->cursor().shape();
    };
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(pointerAt(root->child(1), 5), Qt::PointingHandCursor);
    EXPECT_EQ(pointerAt(root, 5), Qt::ArrowCursor);
    EXPECT_EQ(pointerAt(root->child(1), 250), Qt::ArrowCursor); // beyond its text
}

TEST(MorphTree, NoAnalysisDisablesTheTreeAndSaysSo) {
    TZelMorphTreeFrame frame;
    ZelRef<IZelSentenceItem> analysis = LeCase();
    frame.SetAnalysis(analysis.get());
    frame.show();
    QApplication::setActiveWindow(&frame);
    frame.MorphTreeView()->setFocus();
    ASSERT_TRUE(frame.MorphTreeView()->hasFocus());
    QSignalSpy selected(&frame, &TZelMorphTreeFrame::Selected);
    QSignalSpy cleared(&frame, &TZelMorphTreeFrame::ClearedWhileFocused);
    frame.SetAnalysis(nullptr);
    EXPECT_FALSE(frame.MorphTreeView()->isEnabled());
    EXPECT_EQ(frame.MorphTreeView()->topLevelItemCount(), 0);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.front().front().value<IZelSentenceItem*>(), nullptr);
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(frame.GetSelected(), nullptr);
}

TEST(ChooseLemma, AsksOnlyWhenThereIsAChoice) {
    TAnswer answer;
    ZelSetChooseLemmaRunner(answer.Runner());
    ZelRef<IZelSentenceItem> chosen;
    // One reading in a sequence: that reading, no dialog.
    ZelRef<IZelSentenceItem> one = Group(ZelItemSequence, {Reading(u"casa", u"case", 0, 2)});
    ChooseLemma(*one, false, chosen);
    EXPECT_EQ(chosen.get(), one->GetItem(0).get());
    // A reading without a lemma: itself, or none with lemmas only.
    ZelRef<IZelSentenceItem> unknown = Reading(u"", u"xyz");
    ChooseLemma(*unknown, false, chosen);
    EXPECT_EQ(chosen.get(), unknown.get());
    ChooseLemma(*unknown, true, chosen);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(answer.Shown, 0);
    // Alternatives: the dialog, its choice, or none when cancelled.
    ZelRef<IZelSentenceItem> le = Group(ZelItemSequence, {LeCase()->GetItem(0)});
    answer.Node = "lo [pron]";
    ChooseLemma(*le, true, chosen);
    EXPECT_EQ(answer.Shown, 1);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->GetLemma(), u"lo");
    answer.Ok = false;
    ChooseLemma(*le, false, chosen);
    EXPECT_EQ(chosen, nullptr);
    // A sequence of two readings holds no single one: a failed check.
    ZelSetChooseLemmaRunner({});
    ZelRef<IZelSentenceItem> broken = Group(ZelItemSequence, {Group(ZelItemSequence, {})});
    EXPECT_THROW(ChooseLemma(*broken, false, chosen), EZelAssertion);
}

TEST(ChooseLemma, TellsWhetherAnAnalysisHasALemma) {
    EXPECT_TRUE(HasLemma(*Reading(u"casa", u"case")));
    EXPECT_FALSE(HasLemma(*Reading(u"", u"xyz")));
    EXPECT_TRUE(HasLemma(*Group(
        ZelItemSequence, {Reading(u"", u"x"),
                          Group(ZelItemAlternatives, {Reading(u"", u"y"), Reading(u"y", u"y")})})));
    EXPECT_FALSE(HasLemma(*Group(ZelItemAlternatives, {Reading(u"", u"x")})));
    EXPECT_THROW(HasLemma(*ZelMake<TZelSentenceItem>(uint8_t(1), ZelLangItalian)), EZelAssertion);
}

TEST(ChooseLemma, TheDialogClosesWithOkOnADoubleClick) {
    TZelChooseLemmaForm form;
    EXPECT_EQ(form.windowTitle(), "Choose lemma:");
    EXPECT_EQ(form.size(), QSize(280, 240));
    ZelRef<IZelSentenceItem> analysis = LeCase();
    form.TreeFrame()->SetAnalysis(analysis.get());
    form.show();
    QWidget* viewport = form.TreeFrame()->MorphTreeView()->viewport();
    QTreeWidget& tree = *form.TreeFrame()->MorphTreeView();
    QPoint at = tree.visualItemRect(tree.topLevelItem(0)->child(1)).center();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}
