// The page view: the dictionary view of the look-up window. For the unit shown it renders,
// one after the other, the entries the dictionaries of its view configuration hold, and
// makes the text live through hot spots, the ranges the stylesheets mark with custom tags:
// an entry (its dictionary), an abbreviation (its expansion in a hint), a cross-reference
// (a click follows it), a sound (a click plays it) and a picture. In hypertext mode every
// word its language's morphology knows lights up under the pointer and a click looks it up.
#pragma once

#include "ZelDicRichViewUnit.h"

#include <QAction>

#include <map>
#include <memory>
#include <set>
#include <vector>

class TZelDicConfig;
class TZelDicViewPageForm;
class TZelRichEdit;
class TZelShadowHint;
struct TZelViewOption;

// A range [Start, End) of the page's text.
class TZelHotSpot {
public:
    TZelHotSpot(TZelRichEdit* edit, int start, int end) : Edit(edit), Start(start), End(end) {}
    virtual ~TZelHotSpot() = default;
    // A click on the range; true when handled.
    virtual bool Execute() { return false; }
    bool Contains(int position) const { return position >= Start && position < End; }

    TZelRichEdit* Edit;
    int Start;
    int End;
};

// The whole of one rendered entry.
class TZelHotSpotDic : public TZelHotSpot {
public:
    TZelHotSpotDic(TZelRichEdit* edit, int start, int end, ZelRef<IZelDic> dic)
        : TZelHotSpot(edit, start, end), Dic(std::move(dic)) {}
    ZelRef<IZelDic> Dic;
};

// An abbreviation: hovering shows its expansion.
class TZelHotSpotAbbr : public TZelHotSpot {
public:
    using TZelHotSpot::TZelHotSpot;
};

// A cross-reference: "2.casa" is homograph 2 of "casa", any other text is the lemma whole.
class TZelHotSpotRef : public TZelHotSpot {
public:
    TZelHotSpotRef(TZelRichEdit* edit, int start, int end, TZelLanguage language,
                   TZelDicViewPageForm* view)
        : TZelHotSpot(edit, start, end), Language(language), View(view) {}
    bool Execute() override;
    TZelLanguage Language;

private:
    TZelDicViewPageForm* View;
};

// A recorded pronunciation of the dictionary.
class TZelHotSpotSound : public TZelHotSpot {
public:
    TZelHotSpotSound(TZelRichEdit* edit, int start, int end, ZelRef<IZelDic> dic, int32_t sound)
        : TZelHotSpot(edit, start, end), Dic(std::move(dic)), Sound(sound) {}
    bool Execute() override;
    ZelRef<IZelDic> Dic;
    int32_t Sound;
};

using TZelHotSpotList = std::vector<std::unique_ptr<TZelHotSpot>>;

// The reading a cross-reference's text names: "2.casa" → casa, ordinal 2; "casa", "0casa",
// "3D" or "1984" → the whole text, any ordinal (-1).
ZelRef<IZelSentenceItem> ZelReferenceItem(const std::u16string& text, TZelLanguage language);

// A display option of a dictionary of the view, as a checkable item of its toolbar.
class TZelViewOptionAction : public QAction {
    Q_OBJECT
public:
    TZelViewOptionAction(TZelDicViewPageForm* view, TZelViewOption* option);
    TZelViewOption* Option() const { return ViewOption; }

private:
    TZelViewOption* ViewOption;
};

class TZelDicViewPageForm : public TZelDicRichViewForm {
    Q_OBJECT
public:
    enum TMode { HypertextMode = 0, SelectionMode = 1 };

    explicit TZelDicViewPageForm(QWidget* parent = nullptr);
    ~TZelDicViewPageForm() override;

    void SetViewConfig(TZelDicViewConfig* config) override;
    bool CanShow(IZelSentenceItem* item) override;
    void Render(IZelSentenceItem& item, bool& shown) override;
    void BeginRender() override;
    void EndRender() override;
    void ApplySettings() override;
    void OnHover(QWidget* window, const QPoint& screenPoint) override;

    void SetMode(TMode mode);
    TMode Mode() const { return CurrentMode; }
    QAction* HypertextAction() const { return Hypertext; }
    QAction* SelectionAction() const { return Selection; }
    const std::vector<TZelViewOptionAction*>& ViewOptionActions() const { return OptionActions; }

    const TZelHotSpotList& HotSpots() const { return Spots; }
    // The highlighted range, [start, end); start == end when none.
    int HighlightStart() const { return Light.Start; }
    int HighlightEnd() const { return Light.End; }
    QString HighlightText() const { return Light.Text; }
    // The abbreviation hint's text, empty while hidden.
    QString HintText() const { return HintShown; }
    TZelShadowHint* Hint() const { return AbbrHint; }
    // The pictures that could not be shown at the last rendering.
    const QStringList& PictureErrors() const { return PictureFailures; }

    // The pointer over a point of the page (viewport coordinates), and a click there; the
    // events of the text come here, tests call them directly.
    void PointerMovedTo(const QPoint& point);
    bool ClickAt(const QPoint& point);
    bool IsHandPointer() const { return Hand; }
    // Shows a unit as the next one of the view manager (or tells Navigate without one).
    void NavigateTo(IZelSentenceItem* item);

signals:
    void Navigate(IZelSentenceItem* item);

protected:
    void OnCustomTag(IZelDic* dic, const std::string& name,
                     const std::vector<std::string>& parameters, int position) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct THighlight {
        ZelRef<IZelDicMorph> Morph;
        int Start = 0;
        int End = 0;
        QColor Color;
        QString Text;
        bool Active() const { return Start < End; }
    };

    void RenderUnit(IZelSentenceItem& item, bool& shown);
    void RenderReading(IZelSentenceItem& item);
    void RenderEntries(IZelDic& dic, IZelArrayCursor& cursor, int32_t viewIndex);
    ZelRef<IZelArrayCursor> CursorOf(IZelSentenceItem& item, IZelDic& dic);
    // Dictionaries whose look-up failed (damaged files), with the error; and those whose
    // error the page being rendered shows already.
    std::map<IZelDic*, QString> LookupFailures;
    std::set<IZelDic*> FailuresShown;
    std::vector<TZelDicConfig*> ActivePositions() const;
    void Highlight(int start, int end, const QColor& color, ZelRef<IZelDicMorph> morph,
                   const QPoint& pointer);
    void ClearHighlight();
    void SetHint(const QString& text, const QPoint& anchor);
    void ShowPendingHint();
    bool HighlightWord(int start, int end, const QPoint& pointer);
    void RebuildViewOptions();
    void UpdateViewOptions();
    void SetPointer(bool hand);

    TZelHotSpotList Spots;
    std::vector<std::pair<QString, int>> PendingPictures;
    QStringList PictureFailures;
    THighlight Light;
    TZelShadowHint* AbbrHint;
    QString HintShown;
    QPoint HintAnchor;
    bool HintPending = false;
    TMode CurrentMode = HypertextMode;
    QAction* Hypertext;
    QAction* Selection;
    std::vector<TZelViewOptionAction*> OptionActions;
    bool Hand = false;
};
