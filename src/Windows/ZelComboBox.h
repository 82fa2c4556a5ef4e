// The flat drop-down list of the condition boxes: two thin frames and, while the pointer is
// elsewhere, a flat button with a small triangle (only when there is something to choose).
#pragma once

#include <QComboBox>

class TZelComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TZelComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showPopup() override;
    void hidePopup() override;

private:
    bool Hovered = false;
    bool Dropped = false;
};
