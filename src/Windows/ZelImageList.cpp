#include "ZelImageList.h"

#include <QDir>

TZelImageList::TZelImageList(QString folder, QSize size) : Folder(std::move(folder)), Size(size) {}

bool TZelImageList::Load() {
    QDir dir(Folder);
    for (const QString& name : dir.entryList(QDir::Files)) {
        bool number = false;
        int index = name.section('.', 0, 0).toInt(&number);
        if (number)
            Icons[index] = QIcon(dir.filePath(name));
    }
    return !Icons.empty();
}

QIcon TZelImageList::Icon(int index) const {
    auto found = Icons.find(index);
    return found == Icons.end() ? QIcon() : found->second;
}

QPixmap TZelImageList::Pixmap(int index) const {
    return Icon(index).pixmap(Size);
}

void TZelImageList::Replace(int index, const QIcon& icon) {
    Icons[index] = icon;
}
