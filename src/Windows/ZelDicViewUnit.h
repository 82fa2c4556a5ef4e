// The view window: a window that shows one lexical unit (a sentence item) in its own way,
// on a gradient background with the product logo in its corner. It renders only when it
// is visible: setting a unit renders at once when the window shows, otherwise when it is
// next shown. Subclasses decide what they can show and how (the rich-text views).
#pragma once

#include "ZelSentenceItem.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

class TZelDicViewConfig;
class TZelGradientPanel;

class TZelDicViewForm : public QWidget {
    Q_OBJECT
public:
    // defaultName: the class's window name; further windows of the class alive at the same
    // time get "_1", "_2"... after it.
    TZelDicViewForm(const QString& defaultName, QWidget* parent = nullptr);
    ~TZelDicViewForm() override;

    // The caption becomes the configuration's name.
    virtual void SetViewConfig(TZelDicViewConfig* config);
    TZelDicViewConfig* ViewConfig() const { return Config; }
    // Whether the view can show the unit (the base: when there is one).
    virtual bool CanShow(IZelSentenceItem* item);
    virtual void Render(IZelSentenceItem& item, bool& shown);
    virtual void BeginRender() {}
    virtual void EndRender() {}
    virtual void ApplySettings() {}
    virtual void OnHover(QWidget* window, const QPoint& screenPoint);
    virtual void SetContentVisible(bool visible);
    virtual void SetViewArgument(int argument) { ViewArgument = argument; }

    // Stores the unit, renders it (now when visible, otherwise when next shown), and tells
    // whether the view can show it.
    bool SetLu(IZelSentenceItem* item);
    IZelSentenceItem* Lu() const { return Item.get(); }
    bool IsRendered() const { return Rendered; }
    // Renders the current unit now.
    void RenderNow();

    int ImageIndex() const { return TabImageIndex; }
    void SetImageIndex(int index) { TabImageIndex = index; }
    // The panel the content sits on.
    TZelGradientPanel* BackgroundPanel() const { return Background; }

signals:
    void Rendering();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refresh();

    TZelGradientPanel* Background;
    TZelDicViewConfig* Config = nullptr;
    ZelRef<IZelSentenceItem> Item;
    bool Rendered = false;
    int TabImageIndex = 0;
    int ViewArgument = 0;
};
