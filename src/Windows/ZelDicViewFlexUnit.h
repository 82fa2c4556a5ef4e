// The word-forms view ("Word Forms"): for each reading of the unit, its token box and then
// every inflected form of its lemma, one per line, with the grammatical descriptions that
// lead to it.
#pragma once

#include "ZelDM4.h"
#include "ZelDicRichViewUnit.h"

#include <functional>
#include <string>

// Collects the descriptions met on the way to each form and hands the form over with them.
class TZelEnumWordFormsCallback : public IZelEnumWordFormsCallback {
public:
    using TLineWriter =
        std::function<void(const std::u16string& form, const std::string& descriptions)>;

    bool AcceptDescription(const std::string& description) override;
    bool Progress(int32_t done, int32_t total) override;
    void WordForm(const std::u16string& form) override;

    TLineWriter LineWriter;

private:
    std::string Descriptions; // ", " between them, in the system code page
};

class TZelDicViewFlexForm : public TZelDicRichViewForm {
    Q_OBJECT
public:
    explicit TZelDicViewFlexForm(QWidget* parent = nullptr);

    // Where the view finds the morphological dictionary of the shown language.
    using TMorphDicSource = std::function<ZelRef<IZelDicMorphEx>()>;
    void SetMorphDicSource(TMorphDicSource source) { MorphDic = std::move(source); }

    void Render(IZelSentenceItem& item, bool& shown) override;

private:
    void WriteLine(const std::u16string& form, const std::string& descriptions);

    TZelEnumWordFormsCallback Callback;
    TMorphDicSource MorphDic;
};
