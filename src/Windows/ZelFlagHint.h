// The language-flag window: a small see-through window beside the pointer that shows the
// flag of the language of the word under it.
#pragma once

#include <QWidget>

#include <cstdint>

class TZelFlagHintForm : public QWidget {
    Q_OBJECT
public:
    TZelFlagHintForm();

    // Shows the flag of the language beside the pointer's position (screen coordinates).
    void ShowFlag(uint16_t language, const QPoint& pointer);
    uint16_t GetLanguage() const { return Language; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint16_t Language = 0;
};

TZelFlagHintForm* ZelFlagHintForm();
