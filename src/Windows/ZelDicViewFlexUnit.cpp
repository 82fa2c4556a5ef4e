#include "ZelDicViewFlexUnit.h"

#include "ZelCodePage.h"

bool TZelEnumWordFormsCallback::AcceptDescription(const std::string& description) {
    if (!Descriptions.empty())
        Descriptions += ", ";
    Descriptions += description;
    return true;
}

bool TZelEnumWordFormsCallback::Progress(int32_t, int32_t) {
    return true;
}

void TZelEnumWordFormsCallback::WordForm(const std::u16string& form) {
    if (LineWriter)
        LineWriter(form, Descriptions);
    Descriptions.clear();
}

TZelDicViewFlexForm::TZelDicViewFlexForm(QWidget* parent)
    : TZelDicRichViewForm("ZelDicViewFlexForm", parent) {
    setWindowTitle(tr("Word Forms"));
    Callback.LineWriter = [this](const std::u16string& form, const std::string& descriptions) {
        WriteLine(form, descriptions);
    };
}

void TZelDicViewFlexForm::WriteLine(const std::u16string& form, const std::string& descriptions) {
    AppendText(form + u": " + ZelCodePageToWide(descriptions, ZelGetSystemCodePage()));
    AppendParagraph();
}

void TZelDicViewFlexForm::Render(IZelSentenceItem& item, bool& shown) {
    switch (item.GetKind()) {
    case ZelItemReading: {
        shown = true;
        AppendTokenBox(item);
        AppendParagraph();
        ZelRef<IZelDicMorphEx> dic = MorphDic ? MorphDic() : nullptr;
        if (!dic)
            return;
        // The number that tells homographs apart: the ordinal, or the category for a
        // morphology that names lemmas by category.
        int32_t code = item.GetOrdinal() >= 0 ? item.GetOrdinal() : item.GetCatCode();
        dic->EnumWordForms(ZelFormsOfLemmas, TZelVariant::TArray{item.GetLemma(), code}, Callback);
        break;
    }
    case ZelItemAlternatives:
    case ZelItemSequence:
        for (int32_t i = 0; i < item.GetCount(); ++i)
            Render(*item.GetItem(i), shown);
        break;
    default:
        break;
    }
}
