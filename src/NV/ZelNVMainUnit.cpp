#include "ZelNVMainUnit.h"

#include "ZelDicViewPageUnit.h"
#include "ZelHelpContext.h"
#include "ZelLangConfig.h"
#include "ZelMorphTreeUnit.h"
#include "ZelRichEdit.h"
#include "ZelViewManagerUnit.h"

#include <QAction>

namespace {

// The readings under an analysis.
int CountReadings(IZelSentenceItem& item) {
    if (item.GetKind() == ZelItemReading)
        return 1;
    int count = 0;
    for (int32_t i = 0; i < item.GetCount(); ++i)
        count += CountReadings(*item.GetItem(i));
    return count;
}

// The product's four views, by the position of their configuration in the pair's.
struct TViewLook {
    const char* Caption;
    int HelpContext;
    int Image;
    bool Hypertext;
};

const TViewLook& LookOfView(int position) {
    static const TViewLook looks[] = {
        {QT_TRANSLATE_NOOP("TZelNVMainForm", "Dictionary"), 8030, 19, true},
        {QT_TRANSLATE_NOOP("TZelNVMainForm", "Grammar notes"), 8050, 44, false},
        {QT_TRANSLATE_NOOP("TZelNVMainForm", "Lexical notes"), 8040, 45, false},
        {QT_TRANSLATE_NOOP("TZelNVMainForm", "Annotations"), 8055, 46, false},
    };
    static const TViewLook further{nullptr, 8030, 19, false};
    return position >= 0 && position < 4 ? looks[position] : further;
}

} // namespace

TZelNVMainForm::TZelNVMainForm() : TZelDicLookForm("NVMainForm") {}

TZelDicViewForm* TZelNVMainForm::CreateView(int kind, TZelDicViewConfig* config) {
    TZelDicViewForm* made = TZelDicLookForm::CreateView(kind, config);
    auto* view = dynamic_cast<TZelDicViewPageForm*>(made);
    if (kind != 0 || !view)
        return made;
    int position = -1;
    if (TZelLangConfig* pair = Views()->LangConfig())
        for (int32_t i = 0; i < pair->DicViewConfigList.GetItemCount(); ++i)
            if (&pair->DicViewConfigList.GetItem(i) == config)
                position = i;
    const TViewLook& look = LookOfView(position);
    if (look.Caption)
        view->setWindowTitle(tr(look.Caption));
    else if (config->GetDisplayName().empty())
        view->setWindowTitle(tr("View %1").arg(position + 1));
    ZelSetHelpContext(view, look.HelpContext);
    view->SetImageIndex(look.Image);
    // The notes are text to read and copy: they open in selection mode.
    if (!look.Hypertext) {
        view->SetMode(TZelDicViewPageForm::SelectionMode);
        view->HypertextAction()->setEnabled(false);
    }
    return view;
}

void TZelNVMainForm::LoadDefaults() {
    if (!NoDictionaries() && IsKnownPair(ZelLangItalian, ZelLangEnglish))
        SetLanguagePair(ZelLangItalian, ZelLangEnglish);
}

int TZelNVMainForm::LookUp(const QString& text) {
    Initialize();
    SetGUIMode(ZelModeFreeText);
    SourceEdit()->setPlainText(text);
    SourceEdit()->SetCaretPosition(0);
    if (AnalysisState() == ZelStateBrowse)
        SetAnalysisState(ZelStateReady);
    FindAction("ActionsAnalyzeAction")->trigger();
    IZelSentenceItem* analysis = Tree()->Analysis();
    return analysis ? CountReadings(*analysis) : 0;
}
