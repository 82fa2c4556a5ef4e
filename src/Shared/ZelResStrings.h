// User-visible texts of the engine. Each text has an identifier and its English form
// compiled in; ZelLoadStr returns the text of the interface language once a provider (the
// interface-language module) has been installed, and the English text otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#define ZEL_RESOURCE_STRINGS(X)                                                                    \
    X(AssertionFailure, "Assertion failure (%s, line %d)")                                         \
    X(InvalidStreamFormat, "Invalid stream format")                                                \
    X(InvalidStreamFormatInFile, "Invalid stream format (%s)")                                     \
    X(ListIndexOutOfBounds, "List index out of bounds (%d)")                                       \
    X(CannotOpenFile, "Cannot open file \"%s\". %s")                                               \
    X(StreamReadError, "Stream read error")                                                        \
    X(FileTooLarge, "File too large to map (%s)")                                                  \
    X(FileTooLargeToRead, "%s is larger than %d MB, too large to read")                            \
    X(NotARegularFile, "%s is not a regular file")                                                 \
    X(NotAnInteger, "'%s' is not a valid integer value")                                           \
    X(NotABoolean, "'%s' is not a valid boolean value")                                            \
    X(DescriptionBadValue, "%s: %s: %s")                                                           \
    X(DescriptionValueMissing, "the value is missing")                                             \
    X(DescriptionValueOutOfRange, "'%s' is not from %d to %d")                                     \
    X(WordForm, "Word form")                                                                       \
    X(UnidentifiedDictionary, "Unidentified_dictionary")                                           \
    X(UnnamedDictionary, "Unnamed dictionary")                                                     \
    X(UnknownCodePage, "Code page %d is not supported")                                            \
    X(CannotOpenFileShort, "Cannot open file %s")                                                  \
    X(ErrorCaption, "Error")                                                                       \
    X(OnRemovableDrive, "on a removable drive")                                                    \
    X(OnRemoteDrive, "on a remote drive")                                                          \
    X(OnCdRom, "on a CD ROM")                                                                      \
    X(StringListDuplicates, "String list does not allow duplicates")                               \
    X(SortedListOperation, "Operation not allowed on sorted list")                                 \
    X(UnexpectedType, "Unexpected type")                                                           \
    X(DefaultView, "Default View")                                                                 \
    X(DictionaryNotFound, "A dictionary was not found: the application will be terminated")        \
    X(DictionaryIdNotFound, "Dictionary ID %s not found")                                          \
    X(LemmaArrayExpected, "Array of LuKeys or Lemmas expected")                                    \
    X(LemmaArrayOdd, "Array of Lus (Lemma, Cat_code) expected: size of array should be even")      \
    X(RegexError, "Error in regular expression: %s")                                               \
    X(InformationCaption, "Information")                                                           \
    X(ContradictoryConditions,                                                                     \
      "Query contains contradictory conditions, so there will be no answer.")                      \
    X(NoteHeadwordNotHeld, "A note cannot be kept on \"%s\": the headword holds characters "       \
                           "the dictionary cannot tell apart")                                     \
    X(NotesUnreadable, "The notes file %s could not be read: mend it or move it away before "      \
                       "changing notes")

enum class TZelResId : int {
#define ZEL_RES_ID(name, text) name,
    ZEL_RESOURCE_STRINGS(ZEL_RES_ID)
#undef ZEL_RES_ID
        Count
};

// Returns the text of a resource string in the interface language.
std::string ZelLoadStr(TZelResId id);

// The English text compiled into the program.
const char* ZelDefaultStr(TZelResId id);

// The symbolic name of an identifier ("InvalidStreamFormat"), used by translation tools.
const char* ZelResName(TZelResId id);

// The language of the user interface (a Windows language identifier, 0x09 English until the
// application chooses another); stylesheets receive it as a parameter.
uint16_t ZelGetInterfaceLanguage();
void ZelSetInterfaceLanguage(uint16_t language);

// Installs the translation source; a provider that answers nothing falls back to English.
using TZelResStringProvider = std::function<std::optional<std::string>(TZelResId)>;
void ZelSetResStringProvider(TZelResStringProvider provider);
