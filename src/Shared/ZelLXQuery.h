// Advanced searches and word-form searches: the conditions a user has entered, turned into
// an expression tree and run over a dictionary's headwords (lemma query) or over every form
// a morphology generates (word-form query).
#pragma once

#include "ZelArrayCursor.h"
#include "ZelDic.h"
#include "ZelExp.h"
#include "ZelLXQueryField.h"
#include "ZelStrings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TZelLXQuery;
class TZelLXQueryItemsData;

// One condition.
struct TZelLXQueryItemData {
    std::string Arg1; // the value typed, or the picked value's 1-based position
    std::string Arg2; // the second value of "near"
    TZelLXQueryItemsData* Owner = nullptr;
    bool AndWithPrevious = true; // "and" (else "or") with the conditions before it
    bool Negated = false;
    int32_t SubValue = 0; // 1-based picked sub-value; 0 or -1 for none
    TZelOpKind Operator = okNone;
    int32_t NearDistance = 5;

    bool IsEmpty() const;
};

// The conditions on one field.
class TZelLXQueryItemsData {
public:
    TZelLXQueryItemsData(TZelLXQuery& query, TZelLXQueryField& field)
        : Query(query), Field(field) {}

    int32_t GetCount() const { return int32_t(Items.size()); }
    TZelLXQueryItemData& Item(int32_t index) const { return *Items.at(size_t(index)); }
    // A new empty condition (its operator the first of the field's kind).
    TZelLXQueryItemData& InsertCondition(int32_t position);
    void DeleteCondition(int32_t position);
    TZelLXQueryField& GetField() const { return Field; }
    TZelLXQuery& GetQuery() const { return Query; }

    // The field's conditions combined left to right.
    TZelExpRef Build(bool useIndex);

    TZelExpRef WithIndex, WithoutIndex;
    std::u16string CurrentFieldText;

private:
    TZelLXQuery& Query;
    TZelLXQueryField& Field;
    std::vector<std::unique_ptr<TZelLXQueryItemData>> Items;
};

// Called every 64 candidates: (query, position, found, total) -> true asks to stop.
using TZelQueryProgress = std::function<bool(TZelLXQuery&, int32_t, int32_t, int32_t)>;

class TZelLXQuery : public TZelInterfacedObject {
public:
    virtual ~TZelLXQuery() override;

    virtual void Execute(const TZelExpRef& expression) = 0;
    virtual void SetDic(const ZelRef<IZelDic>& dic);
    const ZelRef<IZelDic>& GetDic() const { return Dic; }

    void ResetConditions();
    int32_t GetFieldCount() const { return int32_t(Data.size()); }
    TZelLXQueryItemsData& GetFieldData(int32_t index) const { return *Data.at(size_t(index)); }

    // True when no field has a condition that tests anything (a bad pattern counts too).
    bool IsEmpty();
    // Why a condition cannot be built (the matcher's message for a bad pattern); empty when
    // every condition can.
    std::string GetConditionError();
    // Builds the expression and runs it.
    void Run();
    bool DoProgress(int32_t position, int32_t total, int32_t found);
    // Selects the installed dictionary of that display name.
    void SelectDicByName(const std::u16string& name);

    ZelRef<IZelArrayCursor> GetResult() const { return Result; }
    TZelQueryProgress OnProgress;

    // The expression of one condition (not negated), for this query type.
    virtual TZelExpRef ConditionExpression(TZelLXQueryItemData& item, bool useIndex) = 0;

protected:
    TZelExpRef BuildExpression();

    ZelRef<IZelArrayCursor> Result;
    ZelRef<IZelDic> Dic;
    std::vector<std::unique_ptr<TZelLXQueryItemsData>> Data;
};

class TZelLemmaQuery : public TZelLXQuery {
public:
    TZelLemmaQuery();
    ~TZelLemmaQuery() override;

    void Execute(const TZelExpRef& expression) override;
    void SetDic(const ZelRef<IZelDic>& dic) override;
    TZelExpRef ConditionExpression(TZelLXQueryItemData& item, bool useIndex) override;

    void SetCaseSensitive(bool value) { CaseSensitive = value; }
    bool GetCaseSensitive() const { return CaseSensitive; }
    void SetQueryMultiwords(bool value) { QueryMultiwords = value; }
    bool GetQueryMultiwords() const { return QueryMultiwords; }
    // Registers the query as the dictionary's field-text event, so that a rendered entry
    // shows what the conditions found.
    void SetShowTextFound(bool value);
    bool OnFieldText(int32_t fieldIndex, const std::u16string& text, const TZelAddRangeProc& hit);

private:
    TZelExpRef FieldCondition(TZelLXQueryItemData& item,
                              const std::function<TZelExpRef(const TZelExpRef&)>& inner);
    TZelExpRef WildcardCondition(TZelLXQueryItemData& item, int mode, bool useIndex);
    TZelExpRef WordIndexCondition(TZelLXQueryItemData& item, const std::string& value, int mode,
                                  bool keepWildcards);
    TZelExpRef ValueIndexFilter(TZelLXQueryField& field, int32_t value);
    TZelCurrentEntryProc CurrentEntry();
    void ExecuteOverSubset(IZelExp& expression, TZelExpBoolFilter& subset,
                           IZelArrayCursor& entries);

    bool CaseSensitive = false;
    bool ShowTextFound = false;
    bool QueryMultiwords = false;
    TZelAddRangeProc Hit;
};

// The result of a word-form query: a sorted list of texts that is also a cursor of lexical
// units.
class TZelArrayCursorData : public TZelArrayCursorOnStrings, public virtual IZelLu {
public:
    TZelArrayCursorData(const ZelRef<IZelDic>& dic, uint8_t style);

    void* QueryInterface(const ZelGuid& iid) override;
    uint8_t GetCatCode() override;
    ZelRef<IZelDic> GetDic() override { return Dic; }
    std::string GetText() override;
    int32_t GetLength() override { return int32_t(GetText().size()); }
    int32_t GetOrdinal() override;
    std::u16string GetWideText() override;
    uint8_t GetLuStyle() override { return Style; }

private:
    const std::string& Current();
    ZelRef<IZelDic> Dic;
    uint8_t Style;
};

class TZelWordFormQuery : public TZelLXQuery {
public:
    TZelWordFormQuery();

    void Execute(const TZelExpRef& expression) override;
    TZelExpRef ConditionExpression(TZelLXQueryItemData& item, bool useIndex) override;

private:
    TZelExpRef LetterSet(const std::u16string& value, bool vowels);
    ZelRef<TZelExpWideStringPtr> Subject;
    std::u16string Form;
};

// Binds a condition to one query field of the current entry.
class TZelExpBoolOrQueryField : public TZelExpBool {
public:
    TZelExpBoolOrQueryField(ZelRef<IZelDic> dic, int32_t fieldIndex, TZelExpRef inner,
                            TZelExpRef subject, std::u16string* currentFieldText);
    bool Evaluate() override;
    void CollectHits() override;
    TZelOpKind GetKind() override { return okNone; }

private:
    ZelRef<IZelDic> Dic;
    int32_t FieldIndex;
    TZelExpRef Inner;
    bool Result = false;
    TZelExpRef Subject;
    std::u16string* CurrentFieldText;
};
