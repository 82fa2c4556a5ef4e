#include "ZelQNVUnit.h"

#include "ZelBaseAppData.h"
#include "ZelDicViewPageUnit.h"
#include "ZelRichEdit.h"
#include "ZelSettingsStore.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

TZelLanguage OtherLanguage(TZelLanguage language) {
    return language == ZelLangItalian ? ZelLangEnglish : ZelLangItalian;
}

// The window's own values, under the companion's key.
std::string WindowKey() {
    return ZelAppData().GetSettingsKey() + "\\QNVForm";
}

} // namespace

TZelQNVForm::TZelQNVForm()
    : Pair(new QComboBox), Word(new QLineEdit), Send(new QToolButton),
      Page(new TZelDicViewPageForm), Status(new QLabel), Typing(new QTimer(this)) {
    setObjectName("QNVForm");
    setWindowTitle(tr("Quick Norvel"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Pair->addItem(tr("Italiano → English"), int(ZelLangItalian));
    Pair->addItem(tr("English → Italiano"), int(ZelLangEnglish));
    Word->setObjectName("WordEdit");
    Word->setPlaceholderText(tr("Type a word"));
    Word->setClearButtonEnabled(true);
    Send->setObjectName("SendButton");
    Send->setText(tr("Norvel"));
    Send->setToolTip(tr("Look the word up in Norvel's main window (Ctrl+Enter)"));
    Page->ViewToolbar()->hide();
    auto* line = new QHBoxLayout;
    line->addWidget(Pair);
    line->addWidget(Word, 1);
    line->addWidget(Send);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(line);
    layout->addWidget(Page, 1);
    layout->addWidget(Status);
    resize(420, 300);

    Typing->setSingleShot(true);
    Typing->setInterval(150);
    connect(Typing, &QTimer::timeout, this, [this] { LookUp(Word->text()); });
    connect(Word, &QLineEdit::textEdited, Typing, qOverload<>(&QTimer::start));
    connect(Word, &QLineEdit::returnPressed, this, [this] {
        if (QApplication::keyboardModifiers() & Qt::ControlModifier)
            SendToMainWindow(Word->text());
        else
            LookUp(Word->text());
    });
    connect(Send, &QToolButton::clicked, this, [this] { SendToMainWindow(Word->text()); });
    connect(Pair, &QComboBox::currentIndexChanged, this, [this](int index) {
        auto source = TZelLanguage(Pair->itemData(index).toInt());
        SetPair(source, OtherLanguage(source));
    });
    connect(&Server, &TZelCompanionServer::Received, this, &TZelQNVForm::OnCompanionMessage);
    Server.Listen(ZelCompanionServerName("TQNVForm"));
    ViewConfig = std::make_unique<TZelDicViewConfig>();
    LoadWindowSettings();
    SetPair(SourceLanguage, OtherLanguage(SourceLanguage));
    UpdateStatus(ZelCompanionListening(MainWindowServer()));
}

TZelQNVForm::~TZelQNVForm() = default;

QString TZelQNVForm::MainWindowServer() const {
    // The main window's key is the companion's with "\QNV\" made "\NV\".
    QString key = QString::fromStdString(ZelAppData().GetSettingsKey());
    key.replace("\\QNV\\", "\\NV\\");
    return ZelCompanionServerName(key);
}

void TZelQNVForm::SetPair(TZelLanguage source, TZelLanguage target) {
    SourceLanguage = source;
    Pair->setCurrentIndex(std::max(Pair->findData(int(source)), 0));
    ZelSynchronizeView(*ViewConfig, source, target);
    Page->SetViewConfig(ViewConfig.get());
    if (!Word->text().isEmpty())
        LookUp(Word->text());
}

bool TZelQNVForm::LookUp(const QString& word) {
    QString trimmed = word.trimmed();
    if (trimmed.isEmpty()) {
        Page->SetLu(nullptr);
        return false;
    }
    std::u16string text = trimmed.toStdU16String();
    ZelRef<IZelSentenceItem> item;
    if (ZelRef<IZelDicMorph> morph = ZelFirstDic<IZelDicMorph>(SourceLanguage, SourceLanguage))
        item = morph->Analyze(text);
    // A word the morphology does not know is looked up as it stands.
    if (!item || item->GetCount() == 0)
        item = ZelReferenceItem(text, SourceLanguage);
    Page->SetLu(item.get());
    if (!Page->IsRendered())
        Page->RenderNow();
    bool found = !Page->PageEdit()->toPlainText().trimmed().isEmpty();
    Status->setText(found ? QString() : tr("No entry for \"%1\"").arg(trimmed));
    return found;
}

QString TZelQNVForm::ShownText() const {
    return Page->PageEdit()->toPlainText();
}

bool TZelQNVForm::SendToMainWindow(const QString& word) {
    if (!word.trimmed().isEmpty())
        QApplication::clipboard()->setText(word.trimmed());
    uint32_t pair = uint32_t(SourceLanguage) | uint32_t(OtherLanguage(SourceLanguage)) << 16;
    bool sent = ZelSendCompanionMessage(
        MainWindowServer(), {ZelCompanionCommandMessage, ZelCompanionCommand(2, 0, 0), pair});
    UpdateStatus(sent);
    return sent;
}

bool TZelQNVForm::BringMainWindowToFront() {
    bool sent = ZelSendCompanionMessage(
        MainWindowServer(), {ZelCompanionCommandMessage, ZelCompanionCommand(1, 0, 0), 0});
    UpdateStatus(sent);
    return sent;
}

void TZelQNVForm::OnCompanionMessage(const TZelCompanionMessage& message) {
    if (message.Message == ZelCompanionAnnounceMessage)
        UpdateStatus(true);
}

void TZelQNVForm::UpdateStatus(bool mainWindowUp) {
    Send->setEnabled(mainWindowUp);
    if (!mainWindowUp)
        Status->setText(tr("Norvel is not running."));
    else if (Status->text() == tr("Norvel is not running."))
        Status->clear();
}

void TZelQNVForm::LoadWindowSettings() {
    try {
        std::unique_ptr<TZelSettingsKey> key =
            ZelSettings().OpenKey(TZelHive::CurrentUser, WindowKey(), false);
        if (!key)
            return;
        if (auto source = key->ReadInteger("Source"); source && *source == ZelLangEnglish)
            SourceLanguage = ZelLangEnglish;
        auto x = key->ReadInteger("Left"), y = key->ReadInteger("Top");
        auto width = key->ReadInteger("Width"), height = key->ReadInteger("Height");
        if (x && y && width && height && *width > 100 && *height > 100)
            setGeometry(*x, *y, *width, *height);
    } catch (const std::exception&) {
        // unreadable values keep the defaults
    }
}

void TZelQNVForm::SaveWindowSettings() {
    try {
        std::unique_ptr<TZelSettingsKey> key =
            ZelSettings().OpenKey(TZelHive::CurrentUser, WindowKey(), true);
        key->WriteInteger("Source", SourceLanguage);
        key->WriteInteger("Left", geometry().x());
        key->WriteInteger("Top", geometry().y());
        key->WriteInteger("Width", width());
        key->WriteInteger("Height", height());
    } catch (const std::exception&) {
        // the settings store reported its own failure; the window closes anyway
    }
}

void TZelQNVForm::closeEvent(QCloseEvent* event) {
    SaveWindowSettings();
    event->accept();
}
