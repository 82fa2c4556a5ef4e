// The flags of the languages: a large flag for each language (menus of languages, the
// product window's language buttons) and a small one among the shared toolbar pictures,
// and the menu item of a language (its name and small flag). The pictures come from the
// resource file "Lang.rcc" beside the program, named by the language's three-letter
// abbreviation or its first two letters ("IT"), with "_S" for a small picture of its own;
// a language without one gets a drawn flag: its two letters in a frame.
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
    // The number of a language's large flag, given on first use.
    int GetFlagIndex(uint16_t language);
    // The number of the language's small flag among the shared toolbar pictures.
    int GetSmallFlagIndex(uint16_t language);
    // The small flag of a language.
    QIcon SmallFlag(uint16_t language);
    // A menu item: the language's name with its first letter upper-cased, its small flag,
    // checkable in one group with the other languages, the language in its data.
    QAction* CreateFlagItem(QObject* owner, uint16_t language);
    // Checks the item of the language among a menu's items.
    static void CheckFlagItem(QMenu& menu, uint16_t language);

    // Whether the program's flag resources could not be loaded (the program then ends).
    static bool ResourcesMissing();

private:
    QPixmap Picture(uint16_t language, bool small);

    std::map<std::pair<uint16_t, bool>, QPixmap> Cache;
    std::map<uint16_t, int> FlagIndexes;
    std::map<uint16_t, int> SmallFlagIndexes;
};

TZelFlagDataModule* ZelFlagDataModule();

// Loads "Lang.rcc" from the folder; the error to show when it cannot ("%s (%s)." with the
// system's message and the file's name), empty when loaded.
QString ZelLoadLanguageResources(const QString& folder);

// The first number of the shared toolbar pictures that small flags take.
constexpr int ZelFirstSmallFlagImage = 100;
