#include "ZelFlagDataModule.h"

#include "ZelUtils.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QMenu>
#include <QPainter>

namespace {

TZelFlagDataModule*& Current() {
    static TZelFlagDataModule* current = nullptr;
    return current;
}

// The file name part of a language's flag ("IT" for Italian).
QString FlagName(uint16_t language) {
    try {
        return QString::fromStdString(GetLangAbbrev2(language));
    } catch (const std::exception&) {
        return QString::number(language, 16);
    }
}

} // namespace

TZelFlagDataModule* ZelFlagDataModule() {
    return Current();
}

TZelFlagDataModule::TZelFlagDataModule(QObject* parent) : QObject(parent) {
    setObjectName("FlagDataModule");
    Current() = this;
}

QPixmap TZelFlagDataModule::Picture(uint16_t language, bool small) {
    auto key = std::make_pair(uint16_t(language & 0x3FF), small);
    auto found = Cache.find(key);
    if (found != Cache.end())
        return found->second;
    QSize size = small ? QSize(16, 11) : QSize(32, 22);
    QPixmap picture(size);
    QString path = ":/images/flags/" + FlagName(key.first) + ".svg";
    if (QFile::exists(path)) {
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        QIcon(path).paint(&painter, picture.rect());
    } else {
        // A language without a picture: its two letters on a grey field.
        picture.fill(QColor(0xD0, 0xD0, 0xD0));
        QPainter painter(&picture);
        painter.setPen(Qt::black);
        QFont font = painter.font();
        font.setPixelSize(size.height() - 3);
        painter.setFont(font);
        painter.drawText(picture.rect(), Qt::AlignCenter, FlagName(key.first));
    }
    Cache[key] = picture;
    return picture;
}

QPixmap TZelFlagDataModule::Flag(uint16_t language) {
    return Picture(language, false);
}

QIcon TZelFlagDataModule::SmallFlag(uint16_t language) {
    return QIcon(Picture(language, true));
}

QAction* TZelFlagDataModule::CreateFlagItem(QObject* owner, uint16_t language) {
    QString name;
    try {
        name = QString::fromStdString(GetNativeLangName(language));
    } catch (const std::exception&) {
        name = FlagName(language);
    }
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    auto* item = new QAction(SmallFlag(language), name, owner);
    item->setCheckable(true);
    item->setData(int(language));
    return item;
}

void TZelFlagDataModule::CheckFlagItem(QMenu& menu, uint16_t language) {
    for (QAction* item : menu.actions())
        if (item->data().isValid())
            item->setChecked(item->data().toInt() == int(language));
}
