// The main look-up window. Three work areas: the source pane at the top (the source text, or
// a query editor) with the run panel's button at its right, the browse pane at the left
// (the analysis tree of a sentence, or the headword list) and the target pane (the view
// manager with the dictionary views of the current unit). Five modes switch what the
// panes hold: Free Text, Headword List, Advanced Search, Tagger (a product's) and Word Form
// Search. The window holds the language pair and its dictionaries, keeps what each mode
// looked like per source language, follows the caret and the resting pointer into the
// analysis, and answers the quick-lookup companion.
#pragma once

#include "ZelAdvSpeller.h"
#include "ZelCompanion.h"
#include "ZelDic.h"
#include "ZelLangUnit.h"
#include "ZelLuListUnit.h"
#include "ZelSentenceList.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QActionGroup;
class QLocalSocket;
class QTimer;
class QToolButton;
class TZelDicViewConfig;
class TZelDicViewForm;
class TZelLangConfig;
class TZelLemmaQueryFrame;
class TZelMorphTreeFrame;
class TZelViewManagerFrame;
class TZelWordFormQueryFrame;

enum TZelGUIMode : uint8_t {
    ZelModeFreeText = 0,
    ZelModeLemmaList = 1,
    ZelModeLemmaSearch = 2,
    ZelModeTagger = 3,
    ZelModeWordFormSearch = 4,
};
inline constexpr int ZelGUIModeCount = 5;

enum TZelAnalysisState : uint8_t {
    ZelStateNotReady = 0,
    ZelStateReady = 1,
    ZelStateBrowse = 3,
};

// What a mode looked like when the user left it.
class IZelGUIState : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{5E3B9A40-2C7D-4F1E-9B6A-0D8C4E7F1A23}");

    virtual QWidget* GetActiveControl() = 0;
    virtual void GetLuListState(TZelLuListState& state) = 0;
    virtual void SetActiveControl(QWidget* control) = 0;
    virtual void SetLuListState(const TZelLuListState& state) = 0;
};

class TZelGUIState : public TZelInterfacedObject, public virtual IZelGUIState {
public:
    void* QueryInterface(const ZelGuid& iid) override;
    QWidget* GetActiveControl() override { return ActiveControl; }
    void GetLuListState(TZelLuListState& state) override { state = LuListState; }
    void SetActiveControl(QWidget* control) override { ActiveControl = control; }
    void SetLuListState(const TZelLuListState& state) override { LuListState = state; }

private:
    QPointer<QWidget> ActiveControl;
    TZelLuListState LuListState;
};

// The window of the available dictionaries: made once and asked to show itself; it has
// nothing to show in this program.
class TZelAvailableDicsForm : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void Show() { ++ShowCount; }
    int TimesShown() const { return ShowCount; }

private:
    int ShowCount = 0;
};

class TZelDicLookForm : public TZelLangForm {
    Q_OBJECT
public:
    explicit TZelDicLookForm(const QString& name, QWidget* parent = nullptr);
    ~TZelDicLookForm() override;

    // ----- modes, languages, dictionaries
    uint8_t GUIMode() const { return Mode; }
    void SetGUIMode(uint8_t mode);
    void SetSourceLanguage(TZelLanguage language) override;
    void SetTargetLanguage(TZelLanguage language);
    void SetLanguagePair(TZelLanguage source, TZelLanguage target);
    static bool IsKnownPair(TZelLanguage source, TZelLanguage target);
    TZelLanguage TargetLanguage() const { return Target; }
    void ReloadDictionaries();
    void SetAnalysisState(uint8_t state) override;
    virtual void SetTaggerAvailable(bool on) { TaggerAvailable = on; }
    virtual void SetTaggerMode(bool on) { TaggerMode = on; }
    bool IsTaggerMode() const { return TaggerMode; }
    bool NoDictionaries() const { return NoDics; }

    // ----- analysis and the unit shown
    virtual ZelRef<IZelSentenceItem> AnalyzeSentence(const std::u16string& text);
    void SetCurrentLu(IZelSentenceItem* lu);
    IZelSentenceItem* CurrentLu() const { return Current.get(); }
    // One tick of the hover timer (the timer calls it every 100 ms in browse).
    void BrowseTick();
    // Where the pointer is, in screen coordinates (the system's cursor unless a test says).
    std::function<QPoint()> CursorPosition;

    // ----- settings
    void ApplySettings() override;
    void LoadSettings(TZelSettingsKey& key) override;
    void SaveSettings(TZelSettingsKey& key) override;
    void ZoomIn();
    void ZoomOut();
    void SetQueryFrameHeight(int height) { QueryHeight = height; }

    // ----- the companion
    virtual QString GetCompanionWindowClass() const { return "ZelQuickAnswerForm"; }
    // Listens for the companion's commands under a server name (the start-up's: the one
    // ZelCompanionServerName makes of the settings key).
    bool ListenForCompanion(const QString& serverName);
    // Message 1225 with its two parameters.
    void HandleCompanionCommand(uint32_t first, uint32_t second);

    // ----- the parts, for the product window and tests
    TZelMorphTreeFrame* Tree() const { return AnalysisTree; }
    TZelViewManagerFrame* Views() const { return ViewManager; }
    TZelLuListFrame* LuList() const { return LuListPane; }
    TZelLemmaQueryFrame* LemmaQuery() const { return LemmaQueryPane; }
    TZelWordFormQueryFrame* WordFormQuery() const { return WordFormQueryPane; }
    TZelAdvSpeller* Speller() const { return SpellerHolder.get(); }
    IZelDicList* Dics() const { return DicList.get(); }
    IZelDicMorph* MorphDic() const { return Morph.get(); }
    TZelLangConfig* LangConfig() const { return Config.get(); }
    TZelAvailableDicsForm* AvailableDics() const { return AvailableDicsForm; }
    QWidget* BrowsePane() const { return BrowsePanel; }
    QTimer* BrowseTimer() const { return Timer; }
    QMenu* TargetLanguageMenu() const { return TargetLanguages; }
    TZelSentenceList& Sentences() { return SentenceList; }
    // The text of the view in front, once rendered.
    QString ShownText();

signals:
    // The window's first idle moment (the splash closes then).
    void FirstIdle();

protected:
    // The view manager's factory: 0 a page view, 1 the word-forms view (with morphology).
    virtual TZelDicViewForm* CreateView(int kind, TZelDicViewConfig* config);
    virtual TZelLemmaQueryFrame* CreateQueryFrame();
    virtual TZelLuListFrame* CreateLuListFrame();
    void BuildSourceLanguageMenu() override;
    void Prepare() override;
    void FileNew() override;
    bool DocumentActionsAvailable() const override;
    void PasteAndAnalyze() override;
    // The language configuration of the pair is loaded (or was the same already).
    virtual void LangConfigLoaded() {}

private:
    void CreateModeActions();
    void CreateViewToolbar();
    void CreateZoomActions();
    void CreateTargetLanguageControls();
    void BuildPanes();
    void OnFirstIdle();
    void AnnounceToCompanion();

    TZelLuListFrame* EnsureLuList();
    TZelLemmaQueryFrame* EnsureLemmaQuery();
    TZelWordFormQueryFrame* EnsureWordFormQuery();
    void InsertQueryEditor(QWidget* editor);

    void CaptureState();
    void KeepingListStates(const std::function<void()>& change);
    void LeaveMode();
    void EnterMode(uint8_t mode);
    void EnterTextMode();
    void RestoreState();
    int LanguageSlot() const;
    void BindAnalyze(QAction* action);
    void BindFileNew(QAction* action);
    void SetSourcePaneHeight(int height);
    void RememberSourcePaneHeight();
    QAction* ModeAction(uint8_t mode) const;
    void SwitchToFreeTextIfChecked(uint8_t mode);

    TZelLanguage ChangeSource(TZelLanguage language);
    TZelLanguage FillTargetMenu();
    void LoadLangConfig();
    void UpdateTaggerAction();
    void SetDefaultTextSize(int size);

    void Analyze();
    void OnTextChanged();
    void OnCaretMoved();
    void ShowWordAt(int position);
    ZelRef<IZelSentenceItem> SentenceAnalysis(int index);
    void ShowSentence(int index);
    void ShowInTree(IZelSentenceItem* analysis);
    void Refresh();
    void MirrorInSourceText();
    void OnLuListSelect(IZelLu* lu);
    void OnQueryChanged(uint8_t mode);

    TZelMorphTreeFrame* AnalysisTree;
    TZelViewManagerFrame* ViewManager;
    TZelLuListFrame* LuListPane = nullptr;
    TZelLemmaQueryFrame* LemmaQueryPane = nullptr;
    TZelWordFormQueryFrame* WordFormQueryPane = nullptr;
    QWidget* BrowsePanel;
    QSplitter* BrowseSplitter;
    QTimer* Timer;
    QActionGroup* ModeGroup;
    QMenu* TargetLanguages = nullptr;
    QToolButton* TargetButton = nullptr;
    QAction* BoundAnalyze = nullptr;
    QAction* BoundFileNew = nullptr;
    TZelAvailableDicsForm* AvailableDicsForm = nullptr;
    TZelCompanionServer* CompanionServer = nullptr;

    uint8_t Mode = ZelModeFreeText;
    TZelLanguage Target = 0;
    ZelRef<TZelDicList> DicList;
    ZelRef<IZelDicMorph> Morph;
    std::unique_ptr<TZelLangConfig> Config;
    std::unique_ptr<TZelAdvSpeller> SpellerHolder;
    ZelRef<IZelSentenceItem> Current;
    TZelSentenceList SentenceList;
    int ShownSentence = -1;
    int SentenceStart = 0;
    bool Follow = false;
    std::vector<std::array<ZelRef<IZelGUIState>, ZelGUIModeCount>> SavedStates;
    QPoint LastCursor;
    int Ticks = 0;
    bool SettingSelection = false;
    bool NoDics = false;
    bool TaggerAvailable = false;
    bool TaggerMode = false;
    int TextHeight = 120;
    int QueryHeight = 0; // 0: the advanced-search editor's own
};
