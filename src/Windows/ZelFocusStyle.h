// The programs' style: the platform's, with one addition. A person who works with the
// keyboard must see where the focus is; the platform's style shows it on line edits and
// buttons but not on lists, trees, text panes and closed combo boxes. Those get a frame in
// the highlight colour while they have the focus.
#pragma once

#include <QProxyStyle>

class TZelFocusStyle : public QProxyStyle {
    Q_OBJECT
public:
    TZelFocusStyle();
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};
