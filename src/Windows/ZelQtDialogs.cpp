#include "ZelQtDialogs.h"

#include "ZelResStrings.h"

#include <QApplication>
#include <QMessageBox>

void TZelQtDialogs::ShowException(const std::exception& e) {
    MessageBox(ZelLoadStr(TZelResId::ErrorCaption), e.what(), TZelMsgButtons::Ok,
               TZelMsgIcon::Error);
}

TZelMsgResult TZelQtDialogs::MessageBox(const std::string& caption, const std::string& text,
                                        TZelMsgButtons buttons, TZelMsgIcon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption.empty() ? QApplication::applicationDisplayName()
                                       : QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case TZelMsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case TZelMsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case TZelMsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case TZelMsgIcon::None:
        break;
    }
    switch (buttons) {
    case TZelMsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case TZelMsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case TZelMsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return TZelMsgResult::Ok;
    case QMessageBox::Retry:
        return TZelMsgResult::Retry;
    default:
        return TZelMsgResult::Cancel;
    }
}
