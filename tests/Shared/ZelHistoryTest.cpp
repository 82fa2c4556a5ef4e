#include "ZelHistory.h"

#include "ZelSentenceItem.h"

#include <gtest/gtest.h>

namespace {

std::string Show(const TZelHistory<char>& history) {
    std::string out;
    for (int32_t i = 0; i < history.GetCount(); ++i)
        out += i == history.GetIndex() ? std::string("[") + history.GetAt(i) + "]"
                                       : std::string(1, history.GetAt(i));
    return out;
}

} // namespace

TEST(History, MovesLikeABrowser) {
    TZelHistory<char> history;
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_FALSE(history.CanGoForward());
    history.Push('A');
    EXPECT_FALSE(history.CanGoBack()); // one entry: neither way
    EXPECT_FALSE(history.CanGoForward());
    history.Push('B');
    history.Push('C');
    history.GoBack();
    history.GoBack();
    EXPECT_EQ(Show(history), "[A]BC");
    EXPECT_TRUE(history.CanGoForward());
    history.Push('D'); // the entries ahead are forgotten
    EXPECT_EQ(Show(history), "A[D]");
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_THROW(history.GoForward(), EZelAssertion);
    history.Clear();
    EXPECT_EQ(history.GetIndex(), -1);
    EXPECT_THROW(history.GoBack(), EZelAssertion);
    history.Push('E');
    EXPECT_EQ(Show(history), "[E]");
    for (int i = 0; i < 100000; ++i) // no limit
        history.Push('x');
    EXPECT_EQ(history.GetCount(), 100001);
}

TEST(History, HoldsOneReferenceToEachUnit) {
    ZelRef<IZelSentenceItem> unit = ZelMake<TZelSentenceItem>(ZelItemReading, ZelLangItalian);
    IZelSentenceItem* raw = unit.get();
    {
        TZelInterfaceHistory history;
        history.Push(ZelRef<IZelUnknown>(raw));
        history.Push(ZelRef<IZelUnknown>(raw));
        history.GoBack();
        history.Push(ZelMake<TZelSentenceItem>(ZelItemReading, ZelLangItalian)); // drops one
        unit = nullptr;
        EXPECT_EQ(ZelQuery<IZelSentenceItem>(history.GetAt(0)).get(), raw); // still alive
    }
}
