// The display names of the names dictionaries and their files use: dictionary names
// ("Dizionario Norvel (English - italiano)"), view options and query fields ("rsNoun").
// A name that is not in the table is shown as it is.
//
//   ZelGuiTranslate("rsNoun") == "noun"   (in the interface's language)
#pragma once

#include <QString>

#include <string>

QString ZelGuiTranslate(const QString& key);
QString ZelGuiTranslate(const std::string& key);
