#include "ZelDicViewPageUnit.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"
#include "ZelChooseLemmaUnit.h"
#include "ZelDD6.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFlagHint.h"
#include "ZelGuiTranslations.h"
#include "ZelHelpContext.h"
#include "ZelHelpers.h"
#include "ZelLangConfig.h"
#include "ZelQtText.h"
#include "ZelRichEdit.h"
#include "ZelShadowHint.h"
#include "ZelViewManagerUnit.h"
#include "ZelWordChecker.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QSet>
#include <QToolBar>

namespace {

constexpr int ViewOptionHelpContext = 19099;

const std::vector<TZelActionSpec>& PageActions() {
    static const std::vector<TZelActionSpec> table{
        {"HypertextAction",
         QT_TRANSLATE_NOOP("TZelDicViewPageForm", "Hypertext Mode"),
         QT_TRANSLATE_NOOP("TZelDicViewPageForm", "Hypertext mode"),
         nullptr,
         19003,
         42,
         {},
         true},
        {"SelectionAction",
         QT_TRANSLATE_NOOP("TZelDicViewPageForm", "Selection Mode"),
         QT_TRANSLATE_NOOP("TZelDicViewPageForm", "Selection mode"),
         nullptr,
         19004,
         31,
         {},
         true},
    };
    return table;
}

// A tag's length parameter; anything but a decimal number is an error of the entry.
int TagLength(const std::string& text) {
    std::optional<int32_t> value = ZelParseInt32(text);
    if (!value || *value < 0)
        throw EZelError(
            QCoreApplication::translate("TZelDicViewPageForm", "'%1' is not a valid length")
                .arg(QString::fromStdString(text))
                .toStdString());
    return *value;
}

} // namespace

ZelRef<IZelSentenceItem> ZelReferenceItem(const std::u16string& text, TZelLanguage language) {
    ZelRef<IZelSentenceItem> item = ZelMake<TZelSentenceItem>(ZelItemReading, language);
    std::u16string lemma = text;
    int32_t ordinal = -1;
    if (text.size() > 2 && text[0] >= u'1' && text[0] <= u'9' && text[1] == u'.') {
        ordinal = text[0] - u'0';
        lemma = text.substr(2);
    }
    item->SetLemma(lemma);
    item->SetWordForm(lemma);
    item->SetOrdinal(ordinal);
    item->SetKnown(1);
    return item;
}

// The reference is in the language its text is marked with (a translation of a bilingual
// entry is in the other language), else in the dictionary's source language.
bool TZelHotSpotRef::Execute() {
    QString text = Edit->TextOfRange(Start, End);
    int marked = Edit->LanguageAt(Start);
    TZelLanguage language = marked ? ZelPrimaryLang(TZelLanguage(marked)) : Language;
    View->NavigateTo(ZelReferenceItem(text.toStdU16String(), language).get());
    return true;
}

bool TZelHotSpotSound::Execute() {
    Dic->PlayAudio(Sound);
    return true;
}

TZelViewOptionAction::TZelViewOptionAction(TZelDicViewPageForm* view, TZelViewOption* option)
    : QAction(view), ViewOption(option) {
    setText(ZelGuiTranslate(option->Caption));
    QString hint = ZelGuiTranslate(option->Hint.empty() ? option->Caption : option->Hint);
    setToolTip(hint.remove('&'));
    setStatusTip(hint);
    setCheckable(true);
    setChecked(option->Checked);
    setEnabled(false);
    ZelSetHelpContext(this, ViewOptionHelpContext);
    if (const TZelImageList* pictures = ZelToolbarPictures())
        setIcon(pictures->Icon(option->ImageIndex));
    connect(this, &QAction::triggered, view, [this, view](bool checked) {
        ViewOption->Checked = checked;
        view->Refresh();
    });
}

TZelDicViewPageForm::TZelDicViewPageForm(QWidget* parent)
    : TZelDicRichViewForm("ZelDicViewPageForm", parent), AbbrHint(new TZelShadowHint(this)) {
    AbbrHint->SetHintFont(ZelDefaultTextFont());
    std::vector<QAction*> actions =
        ZelCreateActions(this, "TZelDicViewPageForm", PageActions(), ZelToolbarPictures());
    Hypertext = actions[0];
    Selection = actions[1];
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    ViewToolbar()->addSeparator();
    for (QAction* action : actions) {
        group->addAction(action);
        ViewToolbar()->addAction(action);
        addAction(action);
    }
    Hypertext->setChecked(true);
    connect(Hypertext, &QAction::triggered, this, [this] { SetMode(HypertextMode); });
    connect(Selection, &QAction::triggered, this, [this] { SetMode(SelectionMode); });
    PageEdit()->viewport()->installEventFilter(this);
    PageEdit()->viewport()->setMouseTracking(true);
    PageEdit()->setContextMenuPolicy(Qt::NoContextMenu); // the view's menu shows instead
    SetMode(HypertextMode);
}

TZelDicViewPageForm::~TZelDicViewPageForm() {
    ClearHighlight();
}

// ----- configuration and view options -----------------------------------------------------

void TZelDicViewPageForm::SetViewConfig(TZelDicViewConfig* config) {
    TZelDicRichViewForm::SetViewConfig(config);
    RebuildViewOptions();
}

std::vector<TZelDicConfig*> TZelDicViewPageForm::ActivePositions() const {
    std::vector<TZelDicConfig*> positions;
    if (TZelDicViewConfig* config = ViewConfig())
        for (int32_t i = 0; i < config->DicConfigList.GetItemCount(); ++i) {
            TZelDicConfig& position = config->DicConfigList.GetItem(i);
            if (position.LookupMode != lmNever && position.GetDic())
                positions.push_back(&position);
        }
    return positions;
}

void TZelDicViewPageForm::RebuildViewOptions() {
    for (TZelViewOptionAction* action : OptionActions)
        delete action; // leaves the toolbar and the menu with it
    OptionActions.clear();
    for (TZelDicConfig* position : ActivePositions()) {
        ZelRef<IZelDic> dic = position->GetDic();
        try {
            int32_t count = dic->GetViewOptionCount(position->ViewIndex);
            for (int32_t i = 0; i < count; ++i)
                if (TZelViewOption* option = dic->GetViewOption(position->ViewIndex, i)) {
                    auto* action = new TZelViewOptionAction(this, option);
                    ViewToolbar()->addAction(action);
                    addAction(action);
                    OptionActions.push_back(action);
                }
        } catch (const EZelError& e) {
            // Damaged display options: told once, the view goes on without them.
            static QSet<QString> told;
            QString message = QString::fromUtf8(e.what());
            if (!told.contains(message)) {
                told.insert(message);
                ZelDialogs().ShowException(e);
            }
        }
    }
    if (!OptionActions.empty())
        ViewToolbar()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TZelDicViewPageForm::UpdateViewOptions() {
    for (TZelViewOptionAction* action : OptionActions) {
        action->setChecked(action->Option()->Checked);
        action->setEnabled(Lu() != nullptr && action->Option()->Present);
    }
}

// ----- rendering ----------------------------------------------------------------------------

ZelRef<IZelArrayCursor> TZelDicViewPageForm::CursorOf(IZelSentenceItem& item, IZelDic& dic) {
    ZelRef<IZelInterfaceList> aux = item.GetAuxList();
    for (int32_t i = 0; aux && i < aux->GetCount(); ++i) {
        ZelRef<IZelArrayCursor> cursor = ZelQuery<IZelArrayCursor>(aux->Get(i));
        ZelRef<IZelLu> current = ZelQuery<IZelLu>(cursor);
        if (current && current->GetDic().get() == &dic)
            return cursor;
    }
    if (item.GetLemma().empty() && item.GetWordForm().empty())
        return nullptr;
    ZelRef<IZelArrayCursor> cursor;
    try {
        cursor =
            dic.LookupLu(item.GetWordForm(), item.GetLemma(), item.GetOrdinal(), item.GetCatCode());
    } catch (const EZelError& e) {
        // A damaged dictionary: the page tells it in its place, the others are shown.
        LookupFailures[&dic] = QString::fromUtf8(e.what());
        return nullptr;
    }
    if (cursor && cursor->GetCount() > 0) {
        cursor->SetIndex(0); // its current unit tells the dictionary it belongs to
        if (aux)
            aux->Add(ZelRef<IZelUnknown>(cursor));
        return cursor;
    }
    return nullptr;
}

bool TZelDicViewPageForm::CanShow(IZelSentenceItem* item) {
    if (!item)
        return false;
    uint8_t kind = item->GetKind();
    if (kind <= 1) {
        for (TZelDicConfig* position : ActivePositions())
            if (CursorOf(*item, *position->GetDic()))
                return true;
        return false;
    }
    if (kind == ZelItemAlternatives || kind == ZelItemSequence)
        for (int32_t i = 0; i < item->GetCount(); ++i)
            if (CanShow(item->GetItem(i).get()))
                return true;
    return false;
}

void TZelDicViewPageForm::Render(IZelSentenceItem& item, bool& shown) {
    FailuresShown.clear();
    RenderUnit(item, shown);
}

void TZelDicViewPageForm::RenderUnit(IZelSentenceItem& item, bool& shown) {
    uint8_t kind = item.GetKind();
    if (kind <= 1) {
        shown = true;
        RenderReading(item);
    } else if (kind == ZelItemAlternatives || kind == ZelItemSequence) {
        for (int32_t i = 0; i < item.GetCount(); ++i) {
            if (i > 0)
                AppendParagraph();
            RenderUnit(*item.GetItem(i), shown);
        }
    }
}

void TZelDicViewPageForm::RenderReading(IZelSentenceItem& item) {
    AppendTokenBox(item);
    AppendMorphInfo(item);
    for (TZelDicConfig* position : ActivePositions()) {
        ZelRef<IZelDic> dic = position->GetDic();
        if (ZelRef<IZelArrayCursor> cursor = CursorOf(item, *dic)) {
            RenderEntries(*dic, *cursor, position->ViewIndex);
        } else if (auto failure = LookupFailures.find(dic.get());
                   failure != LookupFailures.end() && FailuresShown.insert(dic.get()).second) {
            Flush();
            if (Position() > 0)
                AppendParagraph();
            AppendText(failure->second.toStdU16String());
        }
    }
}

// Each entry with its dictionary's hot spot (which holds the line break before it, so that
// the entries' ranges meet); an entry that fails shows its error in its place and the next
// one follows.
void TZelDicViewPageForm::RenderEntries(IZelDic& dic, IZelArrayCursor& cursor, int32_t viewIndex) {
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(&cursor);
    for (int32_t i = 0; i < cursor.GetCount(); ++i) {
        size_t spots = Spots.size();
        size_t pictures = PendingPictures.size();
        try {
            cursor.SetIndex(i);
            Flush();
            int start = Position();
            if (start > 0)
                AppendParagraph(); // every entry begins a line of its own
            AppendRtf(&dic, dic.GetEntryRtf(*lu, viewIndex));
            Spots.push_back(std::make_unique<TZelHotSpotDic>(PageEdit(), start, Position(),
                                                             ZelRef<IZelDic>(&dic)));
        } catch (const std::exception& e) {
            Spots.resize(spots); // the tags of the failed entry point at nothing
            PendingPictures.resize(pictures);
            AppendText(QString::fromUtf8(e.what()).toStdU16String());
        }
    }
}

void TZelDicViewPageForm::OnCustomTag(IZelDic* dic, const std::string& name,
                                      const std::vector<std::string>& parameters, int position) {
    if (name == "Abbr") {
        ZEL_ASSERT(parameters.size() == 1);
        int length = TagLength(parameters[0]);
        Spots.push_back(std::make_unique<TZelHotSpotAbbr>(PageEdit(), position, position + length));
    } else if (name == "Ref") {
        ZEL_ASSERT(parameters.size() == 1);
        int length = TagLength(parameters[0]);
        Spots.push_back(std::make_unique<TZelHotSpotRef>(PageEdit(), position, position + length,
                                                         dic ? dic->GetSourceLang() : 0, this));
    } else if (name == "Sound") {
        ZEL_ASSERT(parameters.size() == 2);
        int32_t sound = ZelParseInt32(parameters[0]).value_or(-1);
        int length = TagLength(parameters[1]);
        if (sound >= 0 && dic)
            Spots.push_back(std::make_unique<TZelHotSpotSound>(
                PageEdit(), position, position + length, ZelRef<IZelDic>(dic), sound));
    } else if (name == "Image") {
        ZEL_ASSERT(parameters.size() == 1);
        QString file = QString::fromStdString(parameters[0]);
        // Relative to the folder of the dictionary's description file.
        if (QFileInfo(file).isRelative() && dic && !dic->GetBasePath().empty())
            file =
                QDir(QFileInfo(QString::fromStdString(dic->GetBasePath())).path()).filePath(file);
        PendingPictures.emplace_back(file, position);
    }
}

void TZelDicViewPageForm::BeginRender() {
    ClearHighlight();
    SetHint({}, {});
    TZelDicRichViewForm::BeginRender();
    Spots.clear();
    PendingPictures.clear();
    PictureFailures.clear();
}

// Each picture takes the place of the character after its tag; one that cannot be read is
// left out and reported once the page is finished.
void TZelDicViewPageForm::EndRender() {
    Flush();
    for (const auto& [file, position] : PendingPictures) {
        QImageReader reader(file);
        QImage image = reader.read();
        if (image.isNull() || position >= PageEdit()->CharacterCount())
            PictureFailures.append(tr("Cannot show the picture %1: %2")
                                       .arg(QFileInfo(file).fileName(), reader.errorString()));
        else
            PageEdit()->ReplaceWithPicture(position, image);
    }
    PendingPictures.clear();
    TZelDicRichViewForm::EndRender();
    UpdateViewOptions();
    if (!PictureFailures.isEmpty())
        ZelDialogs().ShowException(EZelError(PictureFailures.join('\n').toStdString()));
}

void TZelDicViewPageForm::ApplySettings() {
    TZelDicRichViewForm::ApplySettings();
    AbbrHint->SetHintFont(ZelDefaultTextFont());
}

// ----- modes ----------------------------------------------------------------------------------

void TZelDicViewPageForm::SetMode(TMode mode) {
    CurrentMode = mode;
    TZelRichEdit* edit = PageEdit();
    if (mode == SelectionMode) {
        ClearHighlight();
        edit->setFocusPolicy(Qt::StrongFocus);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        edit->SetSelectionHidden(false);
        Selection->setChecked(true);
    } else {
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setTextInteractionFlags(Qt::NoTextInteraction);
        edit->SetSelectionHidden(true);
        Hypertext->setChecked(true);
    }
}

// ----- the pointer ----------------------------------------------------------------------------

void TZelDicViewPageForm::SetPointer(bool hand) {
    Hand = hand;
    PageEdit()->viewport()->setCursor(
        hand ? Qt::PointingHandCursor
             : (CurrentMode == SelectionMode ? Qt::IBeamCursor : Qt::ArrowCursor));
}

void TZelDicViewPageForm::PointerMovedTo(const QPoint& point) {
    if (Spots.empty())
        return;
    TZelRichEdit* edit = PageEdit();
    QPoint global = edit->viewport()->mapToGlobal(point);
    int position = edit->CharacterAtPoint(point - QPoint(2, 0));
    QString hintText;
    QPoint anchor;
    bool hand = false;
    bool handled = false;
    IZelDic* entryDic = nullptr;
    for (const auto& spot : Spots) {
        if (position < 0 || !spot->Contains(position))
            continue;
        if (dynamic_cast<TZelHotSpotAbbr*>(spot.get())) {
            handled = true;
            hintText = edit->TextOfRange(spot->Start, spot->End);
            anchor = edit->PointOfCharacter(spot->Start);
        } else if (auto* dicSpot = dynamic_cast<TZelHotSpotDic*>(spot.get())) {
            entryDic = dicSpot->Dic.get();
        } else if (dynamic_cast<TZelHotSpotRef*>(spot.get())) {
            if (CurrentMode == HypertextMode) {
                hand = handled = true;
                ClearHighlight();
                Highlight(spot->Start, spot->End, QColor(0, 0, 255), nullptr, global);
            }
        } else if (dynamic_cast<TZelHotSpotSound*>(spot.get())) {
            hand = handled = true;
            ClearHighlight();
        }
    }
    if (entryDic && !hintText.isEmpty())
        SetHint(ZelQString(entryDic->GetAbbreviation(hintText.toStdU16String())), anchor);
    else
        SetHint({}, {});
    if (CurrentMode == HypertextMode && !handled && position >= 0) {
        int start = 0, end = 0;
        WordAt(position, start, end);
        if (Light.Active() && start == Light.Start && end == Light.End) {
            hand = true;
        } else {
            ClearHighlight();
            if (start < end)
                hand = HighlightWord(start, end, global);
        }
    }
    if (!hand)
        ClearHighlight();
    SetPointer(hand);
    // The flag follows the pointer while a word is lit.
    if (Light.Active() && Light.Morph)
        if (ZelRef<IZelDic> dic = ZelQuery<IZelDic>(Light.Morph))
            if (TZelFlagHintForm* flag = ZelFlagHintForm())
                flag->ShowFlag(uint16_t(dic->GetSourceLang()), global);
}

// A word of a language whose word checker knows it lights up in red.
bool TZelDicViewPageForm::HighlightWord(int start, int end, const QPoint& pointer) {
    TZelRichEdit* edit = PageEdit();
    int language = edit->LanguageAt(start);
    if (language == 0)
        return false;
    TZelLanguage wordLanguage = ZelPrimaryLang(TZelLanguage(language));
    // The first word checker of the language, in list order.
    ZelRef<IZelWordChecker> checker = ZelFirstDic<IZelWordChecker>(wordLanguage, wordLanguage);
    if (!checker)
        return false;
    std::u16string word = edit->TextOfRange(start, end).toStdU16String();
    if (!checker->WordExists(word))
        return false;
    Highlight(start, end, QColor(255, 0, 0), ZelQuery<IZelDicMorph>(checker), pointer);
    return true;
}

void TZelDicViewPageForm::Highlight(int start, int end, const QColor& color,
                                    ZelRef<IZelDicMorph> morph, const QPoint& pointer) {
    ZEL_ASSERT(start < end);
    if (Light.Active() && Light.Start == start && Light.End == end)
        return;
    TZelRichEdit* edit = PageEdit();
    Light.Morph = std::move(morph);
    Light.Start = start;
    Light.End = end;
    Light.Color = edit->TextColor(start);
    Light.Text = edit->TextOfRange(start, end);
    edit->SetTextColor(start, end, color);
    if (Light.Morph)
        if (ZelRef<IZelDic> dic = ZelQuery<IZelDic>(Light.Morph))
            if (TZelFlagHintForm* flag = ZelFlagHintForm())
                flag->ShowFlag(uint16_t(dic->GetSourceLang()), pointer);
}

void TZelDicViewPageForm::ClearHighlight() {
    if (!Light.Active())
        return;
    PageEdit()->SetTextColor(Light.Start, Light.End, Light.Color);
    Light = THighlight{};
    if (TZelFlagHintForm* flag = ZelFlagHintForm())
        flag->hide();
}

// The hint stands 3 pixels left of the abbreviation's first character, its own height plus
// 4 pixels above it.
void TZelDicViewPageForm::SetHint(const QString& text, const QPoint& anchor) {
    if (text == HintShown)
        return;
    HintShown = text;
    HintAnchor = anchor;
    if (text.isEmpty()) {
        HintPending = false;
        AbbrHint->hide();
        return;
    }
    HintPending = !PageEdit()->isVisible();
    if (!HintPending)
        ShowPendingHint();
}

void TZelDicViewPageForm::ShowPendingHint() {
    HintPending = false;
    QPoint origin = PageEdit()->viewport()->mapToGlobal(HintAnchor);
    QSize size = AbbrHint->SizeFor(HintShown);
    AbbrHint->ShowAt(HintShown, QPoint(origin.x() - 3, origin.y() - size.height() - 4));
}

void TZelDicViewPageForm::OnHover(QWidget* window, const QPoint&) {
    if (window != PageEdit()->viewport() && window != PageEdit()) {
        SetHint({}, {});
        ClearHighlight();
    } else if (HintPending) {
        ShowPendingHint();
    }
}

bool TZelDicViewPageForm::ClickAt(const QPoint& point) {
    TZelRichEdit* edit = PageEdit();
    int position = edit->CharacterAtPoint(point - QPoint(2, 0));
    for (const auto& spot : Spots)
        if (position >= 0 && spot->Contains(position)) {
            if (CurrentMode == SelectionMode && !dynamic_cast<TZelHotSpotSound*>(spot.get()))
                continue;
            if (spot->Execute())
                return true;
        }
    if (CurrentMode != HypertextMode || !Light.Active() || !Light.Morph)
        return false;
    ZelRef<IZelSentenceItem> analysis = Light.Morph->Analyze(Light.Text.toStdU16String());
    ZEL_ASSERT(analysis && analysis->GetCount() > 0);
    ZelRef<IZelSentenceItem> chosen;
    ChooseLemma(*analysis, false, chosen);
    if (!chosen)
        return false;
    NavigateTo(chosen.get());
    return true;
}

void TZelDicViewPageForm::NavigateTo(IZelSentenceItem* item) {
    ZelRef<IZelSentenceItem> keep(item); // the page may be rebuilt under the call
    ClearHighlight();
    SetHint({}, {});
    if (ViewManager())
        ViewManager()->NavigateTo(item);
    else
        emit Navigate(item);
}

bool TZelDicViewPageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PageEdit()->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove:
            PointerMovedTo(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::Leave:
            SetHint({}, {});
            ClearHighlight();
            SetPointer(false);
            break;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && Hand) {
                try {
                    ClickAt(mouse->position().toPoint());
                } catch (const std::exception& e) {
                    ZelDialogs().ShowException(e);
                }
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return TZelDicRichViewForm::eventFilter(watched, event);
}
