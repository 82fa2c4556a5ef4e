#include "ZelNVMainUnit.h"

#include "ZelAppEvents.h"
#include "ZelBaseDataModule.h"
#include "ZelCodePage.h"
#include "ZelFlagDataModule.h"
#include "ZelQtText.h"
#include "ZelRtfReader.h"
#include "ZelSentenceItem.h"
#include "ZelSentenceList.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace {

// An entry's RTF as HTML for the browser.
class THtmlSink : public IZelRtfSink {
public:
    void Text(const std::u16string& text, const TZelRtfFormat& format) override {
        QString escaped = ZelQString(text).toHtmlEscaped();
        if (format.Bold)
            escaped = "<b>" + escaped + "</b>";
        if (format.Italic)
            escaped = "<i>" + escaped + "</i>";
        if (format.Underline)
            escaped = "<u>" + escaped + "</u>";
        Html += escaped;
    }
    void ParagraphBreak() override { Html += "<br>"; }
    void LineBreak() override { Html += "<br>"; }
    QString Html;
};

// The lemmas of a text, each once, in order.
std::vector<std::u16string> Lemmas(IZelDicMorph& morph, const std::u16string& text) {
    std::vector<std::u16string> lemmas;
    std::set<std::u16string> seen;
    TZelSentenceList sentences;
    sentences.SetText(text);
    for (int32_t s = 0; s < sentences.GetCount(); ++s) {
        ZelRef<IZelSentenceItem> item = morph.Analyze(sentences.GetSentenceText(s));
        for (int32_t i = 0; item && i < item->GetCount(); ++i) {
            ZelRef<IZelSentenceItem> word = item->GetItem(i);
            int32_t count = word->GetKind() == ZelItemAlternatives ? word->GetCount() : 1;
            for (int32_t r = 0; r < count; ++r) {
                ZelRef<IZelSentenceItem> reading =
                    word->GetKind() == ZelItemAlternatives ? word->GetItem(r) : word;
                if (reading->GetKnown() && seen.insert(reading->GetLemma()).second)
                    lemmas.push_back(reading->GetLemma());
            }
        }
    }
    return lemmas;
}

} // namespace

TZelNVMainForm::TZelNVMainForm() {
    setObjectName("NVMainForm");
    setWindowTitle(QApplication::applicationDisplayName());
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("&Look up:"), central));
    Line = new QLineEdit(central);
    Line->setObjectName("LookupLine");
    Line->setPlaceholderText(tr("Type a word or a sentence and press Enter"));
    qobject_cast<QLabel*>(top->itemAt(0)->widget())->setBuddy(Line);
    top->addWidget(Line, 1);
    Pair = new QComboBox(central);
    Pair->setObjectName("PairBox");
    Pair->addItem(tr("Italian → English"), int(ZelLangItalian));
    Pair->addItem(tr("English → Italian"), int(ZelLangEnglish));
    top->addWidget(Pair);
    layout->addLayout(top);
    auto* splitter = new QSplitter(central);
    Dictionaries = new QListWidget(splitter);
    Dictionaries->setObjectName("DictionaryList");
    Entries = new QTextBrowser(splitter);
    Entries->setObjectName("EntryView");
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({330, 570});
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    BuildMenus();
    FillDictionaries();
    connect(Line, &QLineEdit::returnPressed, this, [this] { LookUp(Line->text()); });
    statusBar()->showMessage(tr("Ready"));
    resize(900, 600);
    // The first idle moment: once the window is shown and every pending event is handled.
    QTimer::singleShot(0, this, [this] { emit FirstIdle(); });
}

void TZelNVMainForm::BuildMenus() {
    QMenu* options = menuBar()->addMenu(tr("&Options"));
    if (TZelBaseAppDataModule* module = ZelDataModule()) {
        if (module->GetLocaleCount() >= 2 && ZelFlagDataModule()) {
            QMenu* languages = options->addMenu(tr("Interface &Language"));
            auto* group = new QActionGroup(languages);
            for (int i = 0; i < module->GetLocaleCount(); ++i) {
                uint16_t language = module->GetLocaleAt(i);
                QAction* item = ZelFlagDataModule()->CreateFlagItem(languages, language);
                group->addAction(item);
                languages->addAction(item);
                bool current = (language & 0x3FF) == (module->GetLocale() & 0x3FF);
                item->setChecked(current);
                item->setEnabled(!current);
                connect(item, &QAction::triggered, module,
                        [module, language] { module->ChangeInterfaceLanguage(language); });
            }
        }
        options->addAction(module->SaveSettingsOnExitAction());
        options->addAction(module->SaveSettingsNowAction());
        options->addAction(module->SetInstallationDefaultsAction());
    }
    options->addSeparator();
    QAction* exit = options->addAction(tr("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void TZelNVMainForm::FillDictionaries() {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        Dictionaries->addItem(ZelQString(dic->GetName()));
    }
}

TZelLanguage TZelNVMainForm::SourceLanguage() const {
    return TZelLanguage(Pair->currentData().toInt());
}

int TZelNVMainForm::LookUp(const QString& text) {
    TZelLanguage source = SourceLanguage();
    TZelLanguage target = source == ZelLangItalian ? ZelLangEnglish : ZelLangItalian;
    std::u16string wide = text.trimmed().toStdU16String();
    Entries->clear();
    if (wide.empty())
        return 0;
    ZelRef<TZelInterfaceList> morphs = ZelMake<TZelInterfaceList>();
    CollectDics(source, source, *morphs, IZelDicMorph::IID);
    std::vector<std::u16string> lemmas;
    if (morphs->GetCount() > 0)
        lemmas = Lemmas(*ZelQuery<IZelDicMorph>(morphs->Get(0)), wide);
    if (lemmas.empty())
        lemmas.push_back(wide);
    ZelRef<TZelInterfaceList> dics = ZelMake<TZelInterfaceList>();
    CollectDics(source, target, *dics, IZelDic::IID);
    QString html;
    int shown = 0;
    for (const std::u16string& lemma : lemmas)
        for (int32_t d = 0; d < dics->GetCount(); ++d) {
            ZelRef<IZelDic> dic = ZelQuery<IZelDic>(dics->Get(d));
            if (!dic || ZelQuery<IZelDicMorph>(dic) || !dic->HasLuList())
                continue;
            ZelRef<IZelArrayCursor> found = dic->LookupLu(lemma, lemma, -1, 0);
            for (int32_t i = 0; found && i < found->GetCount(); ++i) {
                found->SetIndex(i);
                THtmlSink sink;
                ZelReadRtf(dic->GetEntryRtf(*ZelQuery<IZelLu>(found), 0), ZelGetSystemCodePage(),
                           sink);
                html += "<p style='color:#666'>" + ZelQString(dic->GetName()).toHtmlEscaped() +
                        "</p><p>" + sink.Html + "</p><hr>";
                ++shown;
            }
        }
    Entries->setHtml(html);
    statusBar()->showMessage(shown ? tr("%n entries", nullptr, shown) : tr("No entry found"));
    return shown;
}

QString TZelNVMainForm::ShownText() const {
    return Entries->toPlainText();
}

bool TZelNVMainForm::event(QEvent* event) {
    if (event->type() == QEvent::Type(ZelSaveSettingsEvent) ||
        event->type() == QEvent::Type(ZelSettingsChangedEvent)) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}
