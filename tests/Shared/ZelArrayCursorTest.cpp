#include "ZelArrayCursor.h"
#include "ZelDic.h"
#include "ZelErrors.h"
#include "ZelStrings.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A cursor over sorted integers, with a marker interface to test forwarding.
class TNumbers : public TZelArrayCursor {
public:
    explicit TNumbers(std::vector<int> values) : Values(std::move(values)) {}
    int32_t GetCount() override { return int32_t(Values.size()); }
    int Current() const { return Values[size_t(Index)]; }
    std::vector<int> Values;
};

int CompareWith(TNumbers& numbers, int key) {
    return numbers.Current() < key ? -1 : (numbers.Current() > key ? 1 : 0);
}

} // namespace

TEST(ArrayCursor, PositionRules) {
    ZelRef<TNumbers> cursor = ZelMake<TNumbers>(std::vector<int>{1, 2, 3});
    EXPECT_EQ(cursor->GetIndex(), -1);
    cursor->SetIndex(2);
    EXPECT_EQ(cursor->GetIndex(), 2);
    EXPECT_THROW_MSG(cursor->SetIndex(3), EZelListError, "List index out of bounds (3)");
    EXPECT_THROW_MSG(cursor->SetIndex(-2), EZelListError, "List index out of bounds (-2)");
    cursor->SetIndex(-1);

    ZelRef<TNumbers> empty = ZelMake<TNumbers>(std::vector<int>{});
    empty->SetIndex(-1);
    EXPECT_THROW(empty->SetIndex(0), EZelListError);
}

TEST(ArrayCursor, FilterMovesItsBase) {
    ZelRef<TNumbers> base = ZelMake<TNumbers>(std::vector<int>{0, 10, 20, 30, 40, 50});
    ZelRef<TZelArrayCursorFilter> filter = ZelMake<TZelArrayCursorFilter>();
    filter->SetBase(base);
    for (int i : {5, 2, 5})
        filter->Add(i);
    EXPECT_EQ(filter->GetCount(), 3);
    filter->SetIndex(2);
    EXPECT_EQ(base->GetIndex(), 5);
    filter->SetIndex(-1);
    EXPECT_EQ(base->GetIndex(), -1);

    // The same base keeps the position; another base moves both to -1.
    filter->SetIndex(1);
    filter->SetBase(base);
    EXPECT_EQ(filter->GetIndex(), 1);
    EXPECT_EQ(base->GetIndex(), 2);
    ZelRef<TNumbers> other = ZelMake<TNumbers>(std::vector<int>{7, 8, 9});
    other->SetIndex(0);
    filter->SetBase(other);
    EXPECT_EQ(filter->GetIndex(), -1);
    EXPECT_EQ(other->GetIndex(), -1);

    filter->Clear();
    EXPECT_EQ(filter->GetCount(), 0);
    EXPECT_EQ(filter->GetIndex(), -1);
}

TEST(ArrayCursor, FilterAnswersForItsBaseThroughChains) {
    ZelRef<IZelLu> lu = ZelMake<TZelLu>(nullptr, u"casa", -1, 2);
    // A lexical unit is no cursor, but a filter whose base answers IZelLu does.
    class TLuCursor : public TNumbers, public virtual IZelLu {
    public:
        TLuCursor() : TNumbers({1, 2}) {}
        void* QueryInterface(const ZelGuid& iid) override {
            if (iid == IZelLu::IID)
                return static_cast<IZelLu*>(this);
            return TNumbers::QueryInterface(iid);
        }
        uint8_t GetCatCode() override { return 0; }
        ZelRef<IZelDic> GetDic() override { return nullptr; }
        std::string GetText() override { return std::to_string(Current()); }
        int32_t GetLength() override { return 1; }
        int32_t GetOrdinal() override { return -1; }
        std::u16string GetWideText() override { return u""; }
        uint8_t GetLuStyle() override { return 2; }
    };
    ZelRef<TLuCursor> base = ZelMake<TLuCursor>();
    ZelRef<TZelArrayCursorFilter> first = ZelMake<TZelArrayCursorFilter>(base);
    first->Add(1);
    ZelRef<TZelArrayCursorFilter> second = ZelMake<TZelArrayCursorFilter>(first);
    second->Add(0);
    second->SetIndex(0);
    ZelRef<IZelLu> found = ZelQuery<IZelLu>(second);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->GetText(), "2");
    // Its own interfaces come first.
    EXPECT_EQ(ZelQuery<IZelArrayCursorFilter>(second).get(),
              static_cast<IZelArrayCursorFilter*>(second.get()));
    // Without a base nothing is forwarded.
    EXPECT_FALSE(ZelQuery<IZelLu>(ZelMake<TZelArrayCursorFilter>()));
}

TEST(ArrayCursor, SearchSortedFindsTheFirstEqual) {
    ZelRef<TNumbers> cursor = ZelMake<TNumbers>(std::vector<int>{1, 2, 3, 7, 7, 7, 9});
    auto search = [&](int key, int32_t& index) {
        return SearchSorted(
            *cursor, [&](IZelArrayCursor&) { return CompareWith(*cursor, key); }, index);
    };
    int32_t index = -5;
    EXPECT_TRUE(search(7, index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(cursor->GetIndex(), 3);
    EXPECT_FALSE(search(10, index));
    EXPECT_EQ(index, 7);
    EXPECT_FALSE(search(5, index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(search(0, index));
    EXPECT_EQ(index, 0);

    ZelRef<TNumbers> empty = ZelMake<TNumbers>(std::vector<int>{});
    EXPECT_FALSE(SearchSorted(
        *empty, [](IZelArrayCursor&) { return 0; }, index));
    EXPECT_EQ(index, 0);
}

TEST(ArrayCursor, SearchLinearStopsAtTheFirstEqual) {
    ZelRef<TNumbers> cursor = ZelMake<TNumbers>(std::vector<int>{4, 8, 8, 1});
    int32_t index = -5;
    auto equals = [&](int key) {
        return [&cursor, key](IZelArrayCursor&) { return cursor->Current() == key ? 0 : 1; };
    };
    EXPECT_TRUE(SearchLinear(*cursor, equals(8), index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(cursor->GetIndex(), 1);
    index = -5;
    EXPECT_FALSE(SearchLinear(*cursor, equals(3), index));
    EXPECT_EQ(index, -5);
    EXPECT_EQ(cursor->GetIndex(), 3);
}

TEST(ArrayCursor, FileMapFilterReadsIndexesFromAFile) {
    TTempDir dir;
    std::string path = dir.File("filter");
    // Indexes 3 and 1, then two stray bytes that do not make an element.
    WriteBytes(path, std::string("\x03\0\0\0\x01\0\0\0\xff\xff", 10));
    ZelRef<TNumbers> base = ZelMake<TNumbers>(std::vector<int>{0, 10, 20, 30});
    ZelRef<TZelArrayCursorFilterOnFileMap> filter =
        ZelMake<TZelArrayCursorFilterOnFileMap>(path, base);
    EXPECT_EQ(filter->GetCount(), 2);
    filter->SetIndex(0);
    EXPECT_EQ(base->GetIndex(), 3);
    filter->SetIndex(1);
    EXPECT_EQ(base->GetIndex(), 1);
    EXPECT_THROW(filter->SetIndex(2), EZelListError);
    EXPECT_THROW(filter->Add(1), EZelAssertion);
    EXPECT_THROW(filter->Clear(), EZelAssertion);
}

TEST(ArrayCursor, FileMapFilterWithIndexesBeyondItsBaseFailsCleanly) {
    TTempDir dir;
    std::string path = dir.File("filter");
    WriteBytes(path, std::string("\x09\0\0\0", 4));
    ZelRef<TNumbers> base = ZelMake<TNumbers>(std::vector<int>{0, 10});
    ZelRef<TZelArrayCursorFilterOnFileMap> filter =
        ZelMake<TZelArrayCursorFilterOnFileMap>(path, base);
    EXPECT_THROW_MSG(filter->SetIndex(0), EZelListError, "List index out of bounds (9)");
    // The refused move leaves the filter where it was, in step with its base.
    EXPECT_EQ(filter->GetIndex(), -1);
    EXPECT_EQ(base->GetIndex(), -1);

    ZelRef<TZelArrayCursorFilter> memory = ZelMake<TZelArrayCursorFilter>(base);
    memory->Add(1);
    memory->Add(7);
    memory->SetIndex(0);
    EXPECT_THROW(memory->SetIndex(1), EZelListError);
    EXPECT_EQ(memory->GetIndex(), 0);
    EXPECT_EQ(base->GetIndex(), 1);
}

TEST(ArrayCursor, StringsCursor) {
    auto* strings = new TZelStrings;
    ZelRef<TZelArrayCursorOnStrings> cursor = ZelMake<TZelArrayCursorOnStrings>(strings, true);
    ZelRef<IZelArrayCursorOnStrings> own = ZelQuery<IZelArrayCursorOnStrings>(cursor);
    ASSERT_TRUE(own);
    own->Add("uno");
    own->Add("due");
    EXPECT_EQ(own->GetCount(), 2);
    own->SetIndex(1);
    own->Clear();
    EXPECT_EQ(own->GetCount(), 0);
    EXPECT_EQ(own->GetIndex(), -1);
    EXPECT_THROW(TZelArrayCursorOnStrings(nullptr, false), EZelAssertion);
}
