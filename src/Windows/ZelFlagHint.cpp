#include "ZelFlagHint.h"

#include "ZelFlagDataModule.h"

#include <QPainter>

namespace {
TZelFlagHintForm*& Current() {
    static TZelFlagHintForm* current = nullptr;
    return current;
}
// The toolbar picture size the flag takes.
constexpr int ImageSize = 16;
} // namespace

TZelFlagHintForm* ZelFlagHintForm() {
    return Current();
}

TZelFlagHintForm::TZelFlagHintForm()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("FlagHintForm");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(160.0 / 255.0);
    Current() = this;
}

void TZelFlagHintForm::ShowFlag(uint16_t language, const QPoint& pointer) {
    Language = language;
    // English's flag is a pixel lower than the others.
    int height = ImageSize - 5 - ((language & 0x3FF) == 0x09 ? 1 : 0);
    setFixedSize(ImageSize, height);
    move(pointer.x() - 4, pointer.y() + 24);
    show();
    update();
}

void TZelFlagHintForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (TZelFlagDataModule* flags = ZelFlagDataModule())
        flags->SmallFlag(Language).paint(&painter, rect());
}
