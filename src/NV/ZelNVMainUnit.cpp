#include "ZelNVMainUnit.h"

#include "ZelDicRichViewUnit.h"
#include "ZelMorphTreeUnit.h"
#include "ZelRichEdit.h"

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

ZelRef<IZelDicMorph> MorphologyOf(TZelLanguage language) {
    ZelRef<TZelInterfaceList> found = ZelMake<TZelInterfaceList>();
    CollectDics(language, language, *found, IZelDicMorph::IID);
    return found->GetCount() > 0 ? ZelQuery<IZelDicMorph>(found->Get(0)) : nullptr;
}

} // namespace

TZelNVMainForm::TZelNVMainForm()
    : TZelLangForm("NVMainForm"), AnalysisTree(new TZelMorphTreeFrame),
      EntryPage(new TZelDicRichViewForm("ZelDicViewPageForm")) {
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(AnalysisTree);
    splitter->addWidget(EntryPage);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({240, 660});
    auto* layout = new QVBoxLayout(TargetPane());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    connect(FindAction("ActionsAnalyzeAction"), &QAction::triggered, this,
            [this] { AnalyzeSentence(); });
    connect(AnalysisTree, &TZelMorphTreeFrame::Selected, this, [this](IZelSentenceItem* item) {
        if (item)
            Render(item);
    });
    FindAction("ActionsAnalyzeAction")->setEnabled(true);
    SetAnalysisState(1);
    statusBar()->showMessage(tr("Ready"));
    resize(900, 620);
    // The first idle moment: once the window is shown and every pending event is handled.
    QTimer::singleShot(0, this, [this] { emit FirstIdle(); });
}

void TZelNVMainForm::BuildSourceLanguageMenu() {
    AddSourceLanguageItem(ZelLangItalian);
    AddSourceLanguageItem(ZelLangEnglish);
}

void TZelNVMainForm::SetSourceLanguage(TZelLanguage language) {
    TZelLangForm::SetSourceLanguage(language);
    Sentences.SetText({}); // the analyses were of the other language
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

QString TZelNVMainForm::ShownText() const {
    return EntryPage->PageEdit()->toPlainText();
}

int TZelNVMainForm::AnalyzeSentence() {
    std::u16string text = SourceEdit()->toPlainText().toStdU16String();
    if (Sentences.GetText() != text)
        Sentences.SetText(text);
    if (Sentences.GetCount() == 0) {
        AnalysisTree->SetAnalysis(nullptr);
        return Render(nullptr);
    }
    int32_t index = Sentences.IndexAt(SourceEdit()->CaretPosition());
    ZelRef<IZelSentenceItem> analysis = Sentences.GetAnalysis(index);
    if (!analysis) {
        ZelRef<IZelDicMorph> morph = MorphologyOf(SourceLanguage());
        std::u16string sentence = Sentences.GetSentenceText(index);
        analysis = morph ? morph->Analyze(sentence) : PlainTokenize(sentence);
        Sentences.SetAnalysis(index, analysis);
    }
    AnalysisTree->SetAnalysis(analysis.get());
    return Render(analysis.get());
}

int TZelNVMainForm::Render(IZelSentenceItem* item) {
    EntryPage->BeginRender();
    int shown = 0;
    try {
        if (item)
            shown = RenderItem(*item);
    } catch (...) {
        EntryPage->EndRender();
        throw;
    }
    EntryPage->EndRender();
    EntryPage->SetContentVisible(true);
    statusBar()->showMessage(shown ? tr("%n entries", nullptr, shown) : tr("No entry found"));
    return shown;
}

// A reading, or every reading under a token, alternative or sentence.
int TZelNVMainForm::RenderItem(IZelSentenceItem& item) {
    if (item.GetKind() == ZelItemReading)
        return RenderReading(item);
    int shown = 0;
    for (int32_t i = 0; i < item.GetCount(); ++i)
        shown += RenderItem(*item.GetItem(i));
    return shown;
}

// The reading's box and description, then its entries in every dictionary of the pair.
int TZelNVMainForm::RenderReading(IZelSentenceItem& reading) {
    EntryPage->AppendTokenBox(reading);
    EntryPage->AppendMorphInfo(reading);
    if (reading.GetLemma().empty())
        return 0;
    ZelRef<TZelInterfaceList> dics = ZelMake<TZelInterfaceList>();
    CollectDics(SourceLanguage(), OtherLanguage(SourceLanguage()), *dics, IZelDic::IID);
    int shown = 0;
    for (int32_t d = 0; d < dics->GetCount(); ++d) {
        ZelRef<IZelDic> dic = ZelQuery<IZelDic>(dics->Get(d));
        if (!dic || ZelQuery<IZelDicMorph>(dic) || !dic->HasLuList())
            continue;
        ZelRef<IZelArrayCursor> found =
            dic->LookupLu(reading.GetLemma(), reading.GetLemma(), -1, 0);
        for (int32_t i = 0; found && i < found->GetCount(); ++i) {
            found->SetIndex(i);
            EntryPage->AppendParagraph();
            try {
                EntryPage->AppendRtf(dic.get(), dic->GetEntryRtf(*ZelQuery<IZelLu>(found), 0));
                ++shown;
            } catch (const EZelError& e) {
                EntryPage->AppendText(QString::fromUtf8(e.what()).toStdU16String());
            }
        }
    }
    return shown;
}
