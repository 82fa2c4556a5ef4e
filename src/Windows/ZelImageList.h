// A list of pictures of one size addressed by number: the shared toolbar pictures
// ("NORMAL", 16 × 16, numbered as the actions give them), the small pictures (8 × 8) and
// the logos. Pictures come from the program's resources (":/images/<list>/<n>.svg" or
// ".png"); a number without a picture gives an empty icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <map>

class TZelImageList {
public:
    TZelImageList(QString folder, QSize size);

    // Loads every picture of the folder; false when it holds none.
    bool Load();
    bool IsEmpty() const { return Icons.empty(); }
    int Count() const { return Icons.empty() ? 0 : Icons.rbegin()->first + 1; }
    QSize GetSize() const { return Size; }

    QIcon Icon(int index) const;
    QPixmap Pixmap(int index) const;
    // Puts a picture at a number (a picture made at run time replaces the one there).
    void Replace(int index, const QIcon& icon);

private:
    QString Folder;
    QSize Size;
    std::map<int, QIcon> Icons;
};
