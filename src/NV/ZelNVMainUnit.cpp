#include "ZelNVMainUnit.h"

#include "ZelDialogs.h"
#include "ZelDicViewPageUnit.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelGradient.h"
#include "ZelHelpContext.h"
#include "ZelLangConfig.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelMainData.h"
#include "ZelMorphTreeUnit.h"
#include "ZelProcess.h"
#include "ZelRichEdit.h"
#include "ZelSettingsStore.h"
#include "ZelViewManagerUnit.h"
#include "ZelXML.h"

#include <QAction>
#include <QMenu>
#include <QStandardPaths>
#include <QToolButton>

#include <memory>
#include <vector>

namespace {

void Rename(QAction* action, const QString& caption, const QString& hint) {
    action->setText(caption);
    action->setToolTip(hint);
    action->setStatusTip(hint);
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

// A menu element of the templates' index: its caption, the letter it opens (leaves), the
// elements under it (submenus).
struct TTemplateItem {
    QString Text;
    int Index = 0;
    std::vector<std::unique_ptr<TTemplateItem>> Children;
};

// Reads the templates' index into its document element; raises the file or XML error.
std::unique_ptr<TTemplateItem> ReadTemplateIndex(const std::string& path) {
    std::string document = ZelReadWholeFile(path);
    auto root = std::make_unique<TTemplateItem>();
    std::vector<TTemplateItem*> open;
    TTemplateItem pending;
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    parser->SetOnAttribute([&](const std::u16string& name, const std::u16string& value) {
        if (name == u"text")
            pending.Text = QString::fromStdU16String(value);
        else if (name == u"index")
            pending.Index = QString::fromStdU16String(value).toInt();
    });
    parser->SetOnStartElement([&](const std::u16string&) {
        TTemplateItem* item = root.get();
        if (!open.empty()) {
            open.back()->Children.push_back(std::make_unique<TTemplateItem>());
            item = open.back()->Children.back().get();
        }
        item->Text = pending.Text;
        item->Index = pending.Index;
        pending = TTemplateItem();
        open.push_back(item);
    });
    parser->SetOnEndElement([&](const std::u16string&) { open.pop_back(); });
    parser->Parse(document);
    if (!parser->GetError().empty())
        throw EZelXmlError(path + ": " + parser->GetError());
    return root;
}

} // namespace

TZelNVMainForm::TZelNVMainForm() : TZelSlv2MainForm("NVMainForm") {
    FindAction("ViewAvailableDictionariesAction")->setVisible(false);
    Rename(FindAction("ToolsRunQuickAnswerAction"), tr("Quick Norvel"), tr("Run Quick Norvel"));
    BuildTemplatesMenu();
}

QString TZelNVMainForm::GetCompanionPath() const {
    return QString::fromStdString(ZelExecutableFolder() + "/QNV");
}

TZelDicViewForm* TZelNVMainForm::CreateView(int kind, TZelDicViewConfig* config) {
    TZelDicViewForm* made = TZelSlv2MainForm::CreateView(kind, config);
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
    // The product's blue, the publisher's logo at the left and the product's at the right.
    QColor face = view->palette().color(QPalette::Button);
    QColor start =
        ZelCanShowGradients(view) ? QColor(0, 93, 167) : view->palette().color(QPalette::Dark);
    view->BackgroundPanel()->SetGradient({start, face, Qt::Vertical, 128});
    if (auto* module = dynamic_cast<TMainDataModule*>(ZelDataModule()))
        view->BackgroundPanel()->SetLeftCornerPicture(module->PublisherLogo(), 8);
    return view;
}

// The product's multi-word headwords are phrasal verbs.
TZelLemmaQueryFrame* TZelNVMainForm::CreateQueryFrame() {
    TZelLemmaQueryFrame* frame = TZelSlv2MainForm::CreateQueryFrame();
    Rename(frame->QueryMultiwordsAction(), tr("Query Phrasal Verbs"),
           tr("Query also phrasal verbs"));
    return frame;
}

TZelLuListFrame* TZelNVMainForm::CreateLuListFrame() {
    TZelLuListFrame* frame = TZelSlv2MainForm::CreateLuListFrame();
    Rename(frame->ShowMultiwordsAction(), tr("Show Phrasal Verbs"), tr("Show also phrasal verbs"));
    return frame;
}

// The correspondence templates installed with the product: a menu of the View menu built
// from the folder's "index.xml". An index that cannot be read is told once, and the window
// carries on without the menu.
void TZelNVMainForm::BuildTemplatesMenu() {
    std::unique_ptr<TZelSettingsKey> key =
        ZelSettings().OpenKey(TZelHive::LocalMachine, "Software\\Zel\\Dics\\TypKNV1", false);
    std::optional<std::string> folder = key ? key->ReadString("") : std::nullopt;
    if (!folder || folder->empty())
        return;
    Templates = *folder;
    if (Templates.back() != '/')
        Templates += '/';
    std::unique_ptr<TTemplateItem> root;
    try {
        root = ReadTemplateIndex(Templates + "index.xml");
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
        return;
    }
    std::function<void(QMenu*, TTemplateItem&)> fill = [&](QMenu* menu, TTemplateItem& item) {
        for (auto& child : item.Children) {
            if (child->Children.empty()) {
                QAction* leaf = menu->addAction(child->Text);
                int index = child->Index;
                connect(leaf, &QAction::triggered, this, [this, index] { OpenTemplate(index); });
            } else {
                fill(menu->addMenu(child->Text), *child);
            }
        }
    };
    QString caption = root->Text;
    TemplateMenu = new QMenu(caption.isEmpty() ? tr("English &Correspondence") : caption, this);
    TemplateMenu->setObjectName("TemplatesMenu");
    if (caption.isEmpty())
        ZelSetHelpContext(TemplateMenu->menuAction(), 10321);
    fill(TemplateMenu, *root);
    // Just before the separator above Toolbars.
    QMenu* view = ViewMenu();
    QList<QAction*> items = view->actions();
    qsizetype toolbars = items.indexOf(ToolbarsMenu()->menuAction());
    QAction* before = toolbars > 0 && items[toolbars - 1]->isSeparator() ? items[toolbars - 1]
                                                                         : items.value(toolbars);
    view->insertMenu(before, TemplateMenu);
}

void TZelNVMainForm::OpenTemplate(int index) {
    std::string file = Templates + "lettera " + std::to_string(index) + ".rtf";
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    try {
        ZelProcessStarter().StartDetached("xdg-open", {file}, documents.toStdString());
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
    }
}

void TZelNVMainForm::LoadDefaults() {
    if (!NoDictionaries() && IsKnownPair(ZelLangItalian, ZelLangEnglish))
        SetLanguagePair(ZelLangItalian, ZelLangEnglish);
    TZelSlv2MainForm::LoadDefaults();
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
