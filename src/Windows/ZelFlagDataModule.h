// The flags of the languages: a large flag for each language (menus of languages, the
// product window's language buttons) and a small one among the shared toolbar pictures,
// and the menu item of a language (its name and small flag).
#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>

#include <cstdint>
#include <map>

class QAction;
class QMenu;

class TZelFlagDataModule : public QObject {
    Q_OBJECT
public:
    explicit TZelFlagDataModule(QObject* parent = nullptr);

    // The large flag of a language (a drawn flag for a language without a picture).
    QPixmap Flag(uint16_t language);
    // The small flag of a language.
    QIcon SmallFlag(uint16_t language);
    // A menu item: the language's name with its first letter upper-cased, its small flag,
    // checkable in one group with the other languages, the language in its data.
    QAction* CreateFlagItem(QObject* owner, uint16_t language);
    // Checks the item of the language among a menu's items.
    static void CheckFlagItem(QMenu& menu, uint16_t language);

private:
    QPixmap Picture(uint16_t language, bool small);

    std::map<std::pair<uint16_t, bool>, QPixmap> Cache;
};

TZelFlagDataModule* ZelFlagDataModule();
