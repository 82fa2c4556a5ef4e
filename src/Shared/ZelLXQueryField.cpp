#include "ZelLXQueryField.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

TZelLXQueryField::TZelLXQueryField(TZelQueryFieldParameter* parameter, TZelLXQueryFieldKind kind,
                                   const std::string& name)
    : Name(name), Kind(kind), Parameter(parameter) {}

TZelLXQueryField::~TZelLXQueryField() = default;

TZelLXQueryField& TZelLXQueryFields::Get(int32_t index) const {
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return *Items[size_t(index)];
}

void TZelLXQueryFields::Add(std::unique_ptr<TZelLXQueryField> field) {
    field->Index = GetCount();
    Items.push_back(std::move(field));
}
