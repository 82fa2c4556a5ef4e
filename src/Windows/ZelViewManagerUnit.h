// The view manager: the target pane's views of the current lexical unit, one page view per
// view configuration of the language pair, the word-forms view and one more of the
// program's own, switched like tabs through the actions of its toolbar. It keeps the units
// shown in a history (Back, Forward) and renders the views lazily, at the next idle moment
// after a unit was handed over, so that a burst of requests renders once.
#pragma once

#include "ZelDic.h"
#include "ZelHistory.h"
#include "ZelSentenceItem.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QStackedWidget;
class QToolBar;
class TZelDicViewConfig;
class TZelDicViewForm;
class TZelGradientPanel;
class TZelLangConfig;

// One tab of the manager: checked while its docked view is the one shown.
class TZelDockedControlAction : public QAction {
    Q_OBJECT
public:
    TZelDockedControlAction(TZelDicViewForm* view, QObject* parent);
    TZelDicViewForm* View() const { return DockedView; }

private:
    TZelDicViewForm* DockedView;
};

// Makes the view of a kind (0 a page view of the configuration, 1 the word-forms view, 2
// the program's own), or none.
using TZelViewFactory = std::function<TZelDicViewForm*(int kind, TZelDicViewConfig* config)>;
// The configuration of a language pair, found or created in the settings.
using TZelLangConfigSource =
    std::function<TZelLangConfig*(TZelLanguage source, TZelLanguage target)>;

class TZelViewManagerFrame : public QWidget {
    Q_OBJECT
public:
    explicit TZelViewManagerFrame(QWidget* parent = nullptr);
    ~TZelViewManagerFrame() override;

    void SetViewFactory(TZelViewFactory factory) { Factory = std::move(factory); }
    // Where a unit of the other language finds its pair (the settings object by default).
    void SetLangConfigSource(TZelLangConfigSource source) { LangConfigs = std::move(source); }

    // Forgets the history, then shows the unit (and keeps it as the first entry).
    void ShowLu(IZelSentenceItem* item);
    // Shows the unit as the next entry of the history.
    void NavigateTo(IZelSentenceItem* item);
    void GoBack();
    void GoForward();
    // Renders every view again at the next idle moment.
    void RefreshViews();
    // The idle moment's work: when views wait for a refresh, hands them the current unit.
    void RefreshNow();
    // Rebuilds the views from the configuration's views unless it equals the one held.
    void SetLangConfig(TZelLangConfig* config);
    TZelLangConfig* LangConfig() const { return Config.get(); }
    // Every page view hears of the pointer's moves over the window.
    void Hover(QWidget* window, const QPoint& screenPoint);
    // Brings a page view to the front (its tab, or its floating window) with an argument.
    void SelectView(int index, int argument);
    void Dock(TZelDicViewForm* view);
    void Undock(TZelDicViewForm* view);

    IZelSentenceItem* CurrentLu() const { return Current.get(); }
    const std::vector<TZelDicViewForm*>& PageViews() const { return Views; }
    TZelDicViewForm* FlexView() const { return FormsView; }
    TZelDicViewForm* OwnView() const { return Kind2View; }
    const std::vector<TZelDockedControlAction*>& TabActions() const { return Tabs; }
    // The view shown in the manager (none while no tab is checked).
    TZelDicViewForm* CurrentView() const;
    QAction* GoBackAction() const { return Back; }
    QAction* GoForwardAction() const { return Forward; }
    QToolBar* Toolbar() const { return Bar; }
    // The annotation dictionary of the pair found at the last rebuild, or none.
    ZelRef<IZelDicEditable> AnnotationDic() const { return Annotations; }
    void SetMorphDic(ZelRef<IZelDicMorph> morph) { Morph = std::move(morph); }
    ZelRef<IZelDicMorph> MorphDic() const { return Morph; }

signals:
    // A unit became the current one (before the views render it).
    void LuChanged(IZelSentenceItem* item);

private:
    void Display(IZelSentenceItem* item);
    void ScheduleRefresh();
    void UpdateNavigation();
    void FreeViews();
    void FreeView(TZelDicViewForm* view);
    TZelDicViewForm* CreateView(int kind, TZelDicViewConfig* config);
    QString WithAccelerator(const QString& caption);
    void SelectNearestTab(int from);
    void ExecuteTab(TZelDockedControlAction* tab);
    void UpdateBackground();
    int IndexOfTab(TZelDicViewForm* view) const;

    TZelViewFactory Factory;
    TZelLangConfigSource LangConfigs;
    QToolBar* Bar;
    QAction* Back;
    QAction* Forward;
    QStackedWidget* Stack;
    TZelGradientPanel* EmptyPanel;
    std::vector<TZelDockedControlAction*> Tabs;
    std::vector<QAction*> TabItems; // the separators and items of the tabs in the toolbar
    std::vector<TZelDicViewForm*> Views;
    TZelDicViewForm* FormsView = nullptr;
    TZelDicViewForm* Kind2View = nullptr;
    TZelInterfaceHistory History;
    std::unique_ptr<TZelLangConfig> Config;
    ZelRef<IZelSentenceItem> Current;
    ZelRef<IZelDicMorph> Morph;
    ZelRef<IZelDicEditable> Annotations;
    bool Dirty = false;
    bool RefreshScheduled = false;
    QString UsedLetters;
};
