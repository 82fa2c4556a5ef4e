#include "ZelNVMainUnit.h"

#include "ZelBaseDataModule.h"
#include "ZelConfig.h"
#include "ZelDM4.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelDicViewPageUnit.h"
#include "ZelHelpContext.h"
#include "ZelLangConfig.h"
#include "ZelMorphTreeUnit.h"
#include "ZelRichEdit.h"
#include "ZelViewManagerUnit.h"

#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

TZelLanguage OtherLanguage(TZelLanguage language) {
    return language == ZelLangItalian ? ZelLangEnglish : ZelLangItalian;
}

template <class I> ZelRef<I> MorphologyOf(TZelLanguage language) {
    return ZelFirstDic<I>(language, language);
}

// The readings under an analysis.
int CountReadings(IZelSentenceItem& item) {
    if (item.GetKind() == ZelItemReading)
        return 1;
    int count = 0;
    for (int32_t i = 0; i < item.GetCount(); ++i)
        count += CountReadings(*item.GetItem(i));
    return count;
}

} // namespace

TZelNVMainForm::TZelNVMainForm()
    : TZelLangForm("NVMainForm"), AnalysisTree(new TZelMorphTreeFrame),
      ViewManager(new TZelViewManagerFrame) {
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(AnalysisTree);
    splitter->addWidget(ViewManager);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({220, 780});
    auto* layout = new QVBoxLayout(TargetPane());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    ViewManager->SetViewFactory(
        [this](int kind, TZelDicViewConfig* config) { return CreateView(kind, config); });
    connect(FindAction("ActionsAnalyzeAction"), &QAction::triggered, this,
            [this] { AnalyzeSentence(); });
    connect(AnalysisTree, &TZelMorphTreeFrame::Selected, this, [this](IZelSentenceItem* item) {
        if (item)
            ViewManager->ShowLu(item);
    });
    FindAction("ActionsAnalyzeAction")->setEnabled(true);
    SetAnalysisState(1);
    statusBar()->showMessage(tr("Ready"));
    resize(1000, 640);
    // The first idle moment: once the window is shown and every pending event is handled.
    QTimer::singleShot(0, this, [this] { emit FirstIdle(); });
}

namespace {

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

TZelDicViewForm* TZelNVMainForm::CreateView(int kind, TZelDicViewConfig* config) {
    if (kind == 0) {
        auto* view = new TZelDicViewPageForm;
        view->SetViewConfig(config);
        int position = -1;
        if (TZelLangConfig* pair = ViewManager->LangConfig())
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
    if (kind == 1) {
        auto* view = new TZelDicViewFlexForm;
        view->setWindowTitle(tr("Word forms"));
        view->SetImageIndex(22);
        view->SetMorphDicSource([this] { return MorphologyOf<IZelDicMorphEx>(SourceLanguage()); });
        return view;
    }
    return nullptr;
}

void TZelNVMainForm::BuildSourceLanguageMenu() {
    AddSourceLanguageItem(ZelLangItalian);
    AddSourceLanguageItem(ZelLangEnglish);
}

void TZelNVMainForm::SetSourceLanguage(TZelLanguage language) {
    TZelLangForm::SetSourceLanguage(language);
    Sentences.SetText({}); // the analyses were of the other language
    UseLanguagePair();
}

// The views of the pair from the source language to the other one.
void TZelNVMainForm::UseLanguagePair() {
    TZelBaseAppDataModule* module = ZelDataModule();
    auto* config = module ? dynamic_cast<TZelDicLookConfig*>(module->GetConfig()) : nullptr;
    if (!config)
        return;
    TZelLanguage source = SourceLanguage();
    if (TZelLangConfig* pair = config->LangConfigList.FindOrAdd(source, OtherLanguage(source)))
        ViewManager->SetLangConfig(pair);
    ViewManager->SetMorphDic(MorphologyOf<IZelDicMorph>(source));
}

void TZelNVMainForm::LoadDefaults() {
    SetSourceLanguage(ZelLangItalian);
}

void TZelNVMainForm::LoadSettings(TZelSettingsKey& key) {
    TZelLangForm::LoadSettings(key);
    std::optional<int32_t> language;
    try {
        language = key.ReadInteger("SourceLanguage");
    } catch (const EZelError&) {
    }
    SetSourceLanguage(language == ZelLangEnglish ? ZelLangEnglish : ZelLangItalian);
}

void TZelNVMainForm::SaveSettings(TZelSettingsKey& key) {
    TZelLangForm::SaveSettings(key);
    key.WriteInteger("SourceLanguage", SourceLanguage());
}

int TZelNVMainForm::LookUp(const QString& text) {
    Initialize();
    SourceEdit()->setPlainText(text);
    SourceEdit()->SetCaretPosition(0);
    return AnalyzeSentence();
}

QString TZelNVMainForm::ShownText() {
    ViewManager->RefreshNow();
    auto* page = dynamic_cast<TZelDicRichViewForm*>(ViewManager->CurrentView());
    if (page && !page->IsRendered())
        page->RenderNow();
    return page ? page->PageEdit()->toPlainText() : QString();
}

int TZelNVMainForm::AnalyzeSentence() {
    std::u16string text = SourceEdit()->toPlainText().toStdU16String();
    if (Sentences.GetText() != text)
        Sentences.SetText(text);
    if (Sentences.GetCount() == 0) {
        AnalysisTree->SetAnalysis(nullptr);
        ViewManager->ShowLu(nullptr);
        statusBar()->showMessage(tr("No entry found"));
        return 0;
    }
    int32_t index = Sentences.IndexAt(SourceEdit()->CaretPosition());
    ZelRef<IZelSentenceItem> analysis = Sentences.GetAnalysis(index);
    if (!analysis) {
        ZelRef<IZelDicMorph> morph = MorphologyOf<IZelDicMorph>(SourceLanguage());
        std::u16string sentence = Sentences.GetSentenceText(index);
        analysis = morph ? morph->Analyze(sentence) : PlainTokenize(sentence);
        Sentences.SetAnalysis(index, analysis);
    }
    AnalysisTree->SetAnalysis(analysis.get());
    ViewManager->ShowLu(analysis.get());
    int readings = CountReadings(*analysis);
    statusBar()->showMessage(readings ? tr("%n readings", nullptr, readings)
                                      : tr("No entry found"));
    return readings;
}
