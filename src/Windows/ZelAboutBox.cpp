#include "ZelAboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TZelAboutBox::TZelAboutBox(QWidget* parent)
    : QDialog(parent), ProductName(new QLabel), Version(new QLabel), Copyright(new QLabel),
      Comments(new QLabel) {
    setObjectName("ZelAboutBox");
    setWindowTitle(tr("About"));
    auto* picture = new QLabel;
    picture->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    ProductName->setFont(bold);
    ProductName->setText(QApplication::applicationDisplayName());
    QString version = QApplication::applicationVersion();
    QString copyright = qApp->property("legalCopyright").toString();
    QString comments = qApp->property("comments").toString();
    if (!version.isEmpty())
        Version->setText(tr("Version") + " " + version);
    if (!copyright.isEmpty())
        Copyright->setText("Copyright " + copyright);
    Comments->setText(comments);
    Comments->setWordWrap(true);
    auto* texts = new QVBoxLayout;
    for (QLabel* label : {ProductName, Version, Copyright, Comments}) {
        label->setVisible(!label->text().isEmpty());
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        texts->addWidget(label);
    }
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
