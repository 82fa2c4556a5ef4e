#include "ZelWideStrings.h"
#include "ZelErrors.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {
TZelWideStringList SortedList(TZelDuplicates duplicates) {
    TZelWideStringList list;
    list.SetSorted(true);
    list.Duplicates = duplicates;
    list.Locale = 0x10;
    for (const char16_t* s : {u"pera", u"Mela", u"arancia"})
        list.Add(s);
    return list;
}
} // namespace

TEST(WideStrings, SortedAddFollowsTheDuplicatesRule) {
    TZelWideStringList ignore = SortedList(TZelDuplicates::Ignore);
    EXPECT_EQ(ignore.At(0), u"arancia");
    EXPECT_EQ(ignore.At(1), u"Mela");
    EXPECT_EQ(ignore.Add(u"mela"), 1); // the existing string's index, nothing added
    EXPECT_EQ(ignore.GetCount(), 3);

    TZelWideStringList error = SortedList(TZelDuplicates::Error);
    EXPECT_THROW_MSG(error.Add(u"MELA"), EZelListError, "String list does not allow duplicates");

    TZelWideStringList accept = SortedList(TZelDuplicates::Accept);
    accept.Add(u"mela");
    accept.Add(u"MELA");
    EXPECT_EQ(accept.GetCount(), 5);
    int32_t index = -1;
    EXPECT_TRUE(accept.Find(u"Mela", index));
    EXPECT_EQ(index, 1); // the first of the equal ones
    EXPECT_FALSE(accept.Find(u"zucca", index));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(accept.IndexOf(u"PERA"), 4);
}

TEST(WideStrings, SortedListsRefusePositionalChanges) {
    TZelWideStringList list = SortedList(TZelDuplicates::Ignore);
    EXPECT_THROW_MSG(list.Insert(0, u"x"), EZelListError, "Operation not allowed on sorted list");
    EXPECT_THROW_MSG(list.Put(0, u"x"), EZelListError, "Operation not allowed on sorted list");
    EXPECT_THROW_MSG(list.Delete(3), EZelListError, "List index out of bounds (3)");

    TZelWideStringList unsorted;
    unsorted.Add(u"b");
    unsorted.Add(u"a");
    EXPECT_THROW(unsorted.SetSorted(true), EZelAssertion);
    int32_t index = 0;
    EXPECT_THROW(unsorted.Find(u"a", index), EZelAssertion);
    EXPECT_EQ(unsorted.IndexOf(u"A"), 1);
    unsorted.Insert(2, u"c");
    unsorted.Put(0, u"z");
    EXPECT_EQ(unsorted.At(0), u"z");
    EXPECT_THROW_MSG(unsorted.Insert(4, u"x"), EZelListError, "List index out of bounds (4)");
}

TEST(WideStrings, NormalisationAndObjects) {
    TZelWideStringList list;
    list.Normalization = TZelNormalization::NFC;
    list.AddObject(u"cafe\u0301", std::make_shared<int>(7));
    list.Add(u"");
    EXPECT_EQ(list.At(0), u"caf\u00E9");
    EXPECT_EQ(*std::static_pointer_cast<int>(list.GetObject(0)), 7);
    EXPECT_EQ(list.IndexOf(u"cafe\u0301"), 0);
    EXPECT_THROW(list.GetObject(2), EZelListError);
}

TEST(WideStrings, CapacityGrowsInSteps) {
    TZelWideStringList list;
    std::vector<int32_t> capacities;
    for (int i = 0; i < 100; ++i) {
        list.Add(u"x");
        if (capacities.empty() || capacities.back() != list.GetCapacity())
            capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(WideStrings, ReadOnlyListIgnoresChanges) {
    class TFixed : public TZelWideStringsReadOnly {
    public:
        int32_t GetCount() const override { return 1; }
        std::u16string Get(int32_t) const override { return u"only"; }
    } fixed;
    fixed.Add(u"more");
    fixed.Delete(0);
    fixed.Clear();
    EXPECT_EQ(fixed.GetCount(), 1);
    EXPECT_EQ(fixed.IndexOf(u"ONLY"), 0);
}
