// The interface language: English is built in; another language comes from its module
// beside the executable ("Locales/NV.IT"), whose payload is a compiled translation
// catalogue. Loading it installs the translation for the windows' texts (the contexts of
// their classes), for the engine's resource strings (context "Engine") and Qt's own
// translations (standard buttons, file dialogs).
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class QTranslator;

class TZelInterfaceLanguage {
public:
    // Loads and installs the language's module (nothing for English). Raises EZelError with
    // the module's failure ("Error loading resource file …", "Invalid resource file format",
    // "The version of the resource file … is invalid …").
    static void Load(uint16_t language, const std::string& executablePath, uint32_t version);
    // Removes what Load installed (tests; the program loads once per process).
    static void Unload();
    // The loaded language (0x09 when none was loaded).
    static uint16_t Current();
    // The catalogue loaded, or nullptr.
    static const QTranslator* Translator();
};

// The translation of a text in a context, or the text itself: the one way every text of
// the windows reaches the screen.
QString ZelTr(const char* context, const char* text);
