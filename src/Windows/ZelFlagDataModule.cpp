#include "ZelFlagDataModule.h"

#include "ZelUtils.h"

#include "ZelBaseDataModule.h"

#include <QAction>
#include <QApplication>
#include <QResource>

#include <QActionGroup>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <cerrno>
#include <cstring>

namespace {

bool& Missing() {
    static bool missing = false;
    return missing;
}

TZelFlagDataModule*& Current() {
    static TZelFlagDataModule* current = nullptr;
    return current;
}

// The name of a language's flag ("IT" for Italian).
QString FlagName(uint16_t language) {
    try {
        return QString::fromStdString(GetLangAbbrev2(language));
    } catch (const std::exception&) {
        return QString::number(language, 16);
    }
}

// The resource of a flag: with a sub-language, the three-letter name first; then the first
// two letters; "_S" after the name for a small one. Empty when there is none.
QString FlagResource(uint16_t language, bool small) {
    QStringList names;
    if (language >> 10) {
        try {
            names << QString::fromStdString(GetLangAbbrev3(language));
        } catch (const std::exception&) {
        }
    }
    names << FlagName(language & 0x3FF);
    for (const QString& name : names)
        for (const char* extension : {".svg", ".png"}) {
            QString path = ":/lang/flags/" + name + (small ? "_S" : "") + extension;
            if (QFile::exists(path))
                return path;
        }
    return {};
}

} // namespace

TZelFlagDataModule* ZelFlagDataModule() {
    return Current();
}

TZelFlagDataModule::TZelFlagDataModule(QObject* parent) : QObject(parent) {
    setObjectName("FlagDataModule");
    Current() = this;
}

bool TZelFlagDataModule::ResourcesMissing() {
    return Missing();
}

QString ZelLoadLanguageResources(const QString& folder) {
    QString path = folder + "/Lang.rcc";
    if (QResource::registerResource(path, "/lang")) {
        Missing() = false;
        return {};
    }
    Missing() = true;
    QString reason = QFile::exists(path)
                         ? QCoreApplication::translate("TZelFlagDataModule", "The file is damaged")
                         : QString::fromLocal8Bit(std::strerror(ENOENT));
    return QString("%1 (%2).").arg(reason, "Lang.rcc");
}

QPixmap TZelFlagDataModule::Picture(uint16_t language, bool small) {
    auto key = std::make_pair(uint16_t(language & 0x3FF), small);
    auto found = Cache.find(key);
    if (found != Cache.end())
        return found->second;
    QSize size = small ? QSize(16, 11) : QSize(32, 22);
    QPixmap picture(size);
    QString path = FlagResource(language, small);
    if (path.isEmpty() && small)
        path = FlagResource(language, false); // the large picture, scaled
    if (!path.isEmpty()) {
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        QIcon(path).paint(&painter, picture.rect());
    } else {
        // A language without a picture: its two letters in a frame.
        picture.fill(QApplication::palette().color(QPalette::Base));
        QPainter painter(&picture);
        painter.setPen(QApplication::palette().color(QPalette::Text));
        painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
        QFont font = painter.font();
        font.setPixelSize(size.height() - (small ? 3 : 8));
        painter.setFont(font);
        painter.drawText(picture.rect(), Qt::AlignCenter, FlagName(key.first));
    }
    Cache[key] = picture;
    return picture;
}

QPixmap TZelFlagDataModule::Flag(uint16_t language) {
    return Picture(language, false);
}

int TZelFlagDataModule::GetFlagIndex(uint16_t language) {
    auto found = FlagIndexes.find(language);
    if (found != FlagIndexes.end())
        return found->second;
    int index = int(FlagIndexes.size());
    FlagIndexes[language] = index;
    return index;
}

int TZelFlagDataModule::GetSmallFlagIndex(uint16_t language) {
    auto found = SmallFlagIndexes.find(language);
    if (found != SmallFlagIndexes.end())
        return found->second;
    int index = ZelFirstSmallFlagImage + int(SmallFlagIndexes.size());
    SmallFlagIndexes[language] = index;
    if (TZelBaseAppDataModule* module = ZelDataModule())
        module->NormalImages().Replace(index, SmallFlag(language));
    return index;
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
