// A view of a pane: visible or not, initialised the first time it becomes visible.
#pragma once

class TZelView {
public:
    virtual ~TZelView() = default;

    // Nothing when the value is unchanged; a view becoming visible for the first time is
    // initialised first.
    virtual void SetVisible(bool visible) {
        if (visible == Visible)
            return;
        if (visible && !Initialized)
            Initialize();
        Visible = visible;
    }
    virtual void Initialize() { Initialized = true; }

    bool IsVisible() const { return Visible; }
    bool IsInitialized() const { return Initialized; }

private:
    bool Visible = false;
    bool Initialized = false;
};
