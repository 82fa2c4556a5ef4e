#include "ZelGuiTranslations.h"

#include <QCoreApplication>

#include <map>

namespace {

// Key and English display text; the Italian comes from the interface-language module.
const std::map<QString, const char*>& Table() {
    static const std::map<QString, const char*> table{
        {"Annotazioni (English - italiano)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Annotations (English - Italian)")},
        {"Annotazioni (italiano - English)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Annotations (Italian - English)")},
        {"Dizionario Norvel (English - italiano)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Dictionary (English - Italian)")},
        {"Dizionario Norvel (italiano - English)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Dictionary (Italian - English)")},
        {"Note grammaticali (English - italiano)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Grammar notes (English - Italian)")},
        {"Note grammaticali (italiano - English)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Grammar notes (Italian - English)")},
        {"Note lessicali (elenco lemmi) (English - italiano)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations",
                           "Lexical notes (headword list) (English - Italian)")},
        {"Note lessicali (elenco lemmi) (italiano - English)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations",
                           "Lexical notes (headword list) (Italian - English)")},
        {"Note lessicali (elenco titoli) (English - italiano)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Lexical notes (title list) (English - Italian)")},
        {"Note lessicali (elenco titoli) (italiano - English)",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Lexical notes (title list) (Italian - English)")},
        {"rsAdjective", QT_TRANSLATE_NOOP("ZelGuiTranslations", "adjective")},
        {"rsAdverb", QT_TRANSLATE_NOOP("ZelGuiTranslations", "adverb")},
        {"rsAeBe", QT_TRANSLATE_NOOP("ZelGuiTranslations", "AE/BE")},
        {"rsAmericanEnglish", QT_TRANSLATE_NOOP("ZelGuiTranslations", "American English")},
        {"rsArticle", QT_TRANSLATE_NOOP("ZelGuiTranslations", "article")},
        {"rsBritishEnglish", QT_TRANSLATE_NOOP("ZelGuiTranslations", "British English")},
        {"rsCategory", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Category")},
        {"rsCollocators", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Collocates")},
        {"rsConjunction", QT_TRANSLATE_NOOP("ZelGuiTranslations", "conjunction")},
        {"rsDemonstrative", QT_TRANSLATE_NOOP("ZelGuiTranslations", "demonstrative")},
        {"rsDeterminer", QT_TRANSLATE_NOOP("ZelGuiTranslations", "determiner")},
        {"rsEsclamatory", QT_TRANSLATE_NOOP("ZelGuiTranslations", "esclamatory")},
        {"rsExamples", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Examples")},
        {"rsFeminine", QT_TRANSLATE_NOOP("ZelGuiTranslations", "feminine")},
        {"rsFullText", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Full text")},
        {"rsTransitive", QT_TRANSLATE_NOOP("ZelGuiTranslations", "transitive")},
        {"rsVerb", QT_TRANSLATE_NOOP("ZelGuiTranslations", "verb")},
        {"rsIdioms", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Idioms")},
        {"rsIdioms_", QT_TRANSLATE_NOOP("ZelGuiTranslations", "&Idioms")},
        {"rsImpersonal", QT_TRANSLATE_NOOP("ZelGuiTranslations", "impersonal")},
        {"rsIndefinite", QT_TRANSLATE_NOOP("ZelGuiTranslations", "indefinite")},
        {"rsInterjection", QT_TRANSLATE_NOOP("ZelGuiTranslations", "interjection")},
        {"rsInterrogative", QT_TRANSLATE_NOOP("ZelGuiTranslations", "interrogative")},
        {"rsIntransitive", QT_TRANSLATE_NOOP("ZelGuiTranslations", "intransitive")},
        {"rsLemma", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Headword")},
        {"rsMasculine", QT_TRANSLATE_NOOP("ZelGuiTranslations", "masculine")},
        {"rsModal", QT_TRANSLATE_NOOP("ZelGuiTranslations", "modal")},
        {"rsModifier", QT_TRANSLATE_NOOP("ZelGuiTranslations", "modifier")},
        {"rsNoun", QT_TRANSLATE_NOOP("ZelGuiTranslations", "noun")},
        {"rsPastParticiple", QT_TRANSLATE_NOOP("ZelGuiTranslations", "past participle")},
        {"rsPersonal", QT_TRANSLATE_NOOP("ZelGuiTranslations", "personal")},
        {"rsPhrasalVerbs", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Phrasal verbs")},
        {"rsPhrasalVerbs_", QT_TRANSLATE_NOOP("ZelGuiTranslations", "&Phrasal Verbs")},
        {"rsPossessive", QT_TRANSLATE_NOOP("ZelGuiTranslations", "possessive")},
        {"rsPreposition", QT_TRANSLATE_NOOP("ZelGuiTranslations", "preposition")},
        {"rsPronominal", QT_TRANSLATE_NOOP("ZelGuiTranslations", "pronominal")},
        {"rsPronoun", QT_TRANSLATE_NOOP("ZelGuiTranslations", "pronoun")},
        {"rsProper", QT_TRANSLATE_NOOP("ZelGuiTranslations", "proper")},
        {"rsQuantifier", QT_TRANSLATE_NOOP("ZelGuiTranslations", "quantifier")},
        {"rsReflexive", QT_TRANSLATE_NOOP("ZelGuiTranslations", "reflexive")},
        {"rsSubstantivalPhrases", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Set noun phrases")},
        {"rsSubstantivalPhrases_", QT_TRANSLATE_NOOP("ZelGuiTranslations", "&Set Noun Phrases")},
        {"rsTranslations", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Translations")},
        {"rsRelative", QT_TRANSLATE_NOOP("ZelGuiTranslations", "relative")},
        // The display options of our own dictionaries.
        {"rsPronunciation", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Pronunciation")},
        {"rsShowPronunciation", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Show the pronunciation")},
        {"rsSources", QT_TRANSLATE_NOOP("ZelGuiTranslations", "Sources")},
        {"rsShowSources",
         QT_TRANSLATE_NOOP("ZelGuiTranslations", "Show where each translation comes from")},
    };
    return table;
}

} // namespace

QString ZelGuiTranslate(const QString& key) {
    auto found = Table().find(key);
    return found == Table().end()
               ? key
               : QCoreApplication::translate("ZelGuiTranslations", found->second);
}

QString ZelGuiTranslate(const std::string& key) {
    return ZelGuiTranslate(QString::fromStdString(key));
}
