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
    X(AssertionFailureDetail, "Assertion failure (%s, line %d): %s")                               \
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
    X(HookUnavailable, "The input hook of this platform cannot be installed or removed")           \
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
    X(RegexUnexpectedEnd, "Unexpected end of pattern.")                                            \
    X(RegexClassNotClosed, "Character class not closed, ']' is missing.")                          \
    X(RegexUnbalancedGroup, "Unbalanced group expression, ')' is missing.")                        \
    X(RegexInvalidProperty, "A character property is invalid")                                     \
    X(RegexInvalidRepetition, "Invalid repetition range.")                                         \
    X(RegexRangeNotClosed, "Repetition range not closed, '}' is missing.")                         \
    X(RegexNestedTooDeep, "Groups and repetitions are nested too deeply.")                         \
    X(RegexExpressionEmpty, "Expression is empty.")                                                \
    X(InformationCaption, "Information")                                                           \
    X(ContradictoryConditions,                                                                     \
      "Query contains contradictory conditions, so there will be no answer.")                      \
    X(NoteHeadwordNotHeld, "A note cannot be kept on \"%s\": the headword holds characters "       \
                           "the dictionary cannot tell apart")                                     \
    X(HiveBadLine, "%s:%d: %s")                                                                    \
    X(HiveKeyLineEnd, "a key line must end with \"]\"")                                            \
    X(HiveEmptyKeyName, "empty key name")                                                          \
    X(HiveExpectedKeyOrValue, "expected a key in brackets or a value")                             \
    X(HiveValueOutsideKey, "a value outside any key")                                              \
    X(HiveExpectedEquals, "expected \"=\" after the value name")                                   \
    X(HiveTextAfterString, "text after the end of a string value")                                 \
    X(HiveUnknownValueType, "unknown value type")                                                  \
    X(HiveExpectedQuotedName, "expected a quoted name")                                            \
    X(HiveUnknownEscape, "unknown escape in a string")                                             \
    X(HiveUnterminatedString, "unterminated string")                                               \
    X(HiveBadDword, "a dword value needs 1 to 8 hexadecimal digits")                               \
    X(HiveBadByte, "bad byte \"%s\" in a hex value")                                               \
    X(HiveEmptyByte, "empty byte in a hex value")                                                  \
    X(HiveTrailingComma, "a hex value ends with a comma")                                          \
    X(KeyNameControlCharacters, "A key name cannot hold control characters")                       \
    X(XmlExternalResource, "Access to the external resource \"%s\" is not allowed")                \
    X(XmlExternalEntityRefused, "The external entity \"%s\" is not read (line %d)")                \
    X(XslMayNotWrite, "The stylesheet may not write or reach \"%s\"")                              \
    X(XslMayNotRead, "The stylesheet may not read \"%s\"")                                         \
    X(XmlDocumentEmpty, "Document is empty")                                                       \
    X(XmlNotWellFormed, "The document is not well-formed XML")                                     \
    X(InterfaceNotSupported, "Interface not supported")                                            \
    X(XslNoStylesheet, "No stylesheet is loaded")                                                  \
    X(XslCannotStart, "The transformation cannot start")                                           \
    X(XslFailed, "The transformation failed")                                                      \
    X(XslCannotRead, "Cannot read the stylesheet %s")                                              \
    X(XslOutputTooLarge, "The stylesheet's result is larger than %d MB")                           \
    X(XslNotValid, "not a valid stylesheet")                                                       \
    X(InfoIdNotFound, "Error. InfoId %d not found in MorphInfoDescList.")                          \
    X(UnknownFormsKind, "Unknown kind of word-form enumeration %d")                                \
    X(SpellerError, "Spell Checker Error Code %d:%d")                                              \
    X(ParameterIncorrect, "The parameter is incorrect")                                            \
    X(NoValueInField, "No value %s in the field %s")                                               \
    X(NoSubValueInField, "No sub-value %d in the field %s")                                        \
    X(ViewOptionFiveFields, "line %d: a display option needs five fields")                         \
    X(ViewOptionBadBoolean, "line %d: '%s' is not a valid boolean value")                          \
    X(ViewOptionLine, "line %d: %s")                                                               \
    X(FileNamed, "%s: %s")                                                                         \
    X(OpAnagramOf, "anagram of")                                                                   \
    X(OpAnd, "and")                                                                                \
    X(OpBeginsWith, "begins with")                                                                 \
    X(OpContains, "contains")                                                                      \
    X(OpOnlyConsonants, "contains the only consonants")                                            \
    X(OpOnlyVowels, "contains the only vowels")                                                    \
    X(OpContainsWildcards, "contains (wildcards)")                                                 \
    X(OpDiscardOf, "discard of")                                                                   \
    X(OpEndsWith, "ends with")                                                                     \
    X(OpEqual, "equal")                                                                            \
    X(OpExchangeOf, "exchange of")                                                                 \
    X(OpFalse, "false")                                                                            \
    X(OpIsDoubleFaced, "is double-faced")                                                          \
    X(OpIsPalindrome, "is palindrome")                                                             \
    X(OpLengthIs, "length is")                                                                     \
    X(OpNear, "near (wildcards)")                                                                  \
    X(OpNot, "not")                                                                                \
    X(OpOr, "or")                                                                                  \
    X(OpRegex, "matches (Perl reg. exp.)")                                                         \
    X(OpTrue, "true")                                                                              \
    X(OpWedgeOf, "wedge of")                                                                       \
    X(OpWildcards, "matches (wildcards)")                                                          \
    X(OpWholeWords, "contains word (wildcards)")                                                   \
    X(CannotStartProgram, "Cannot start %s: %s")                                                   \
    X(ResourceFileLoadError, "Error loading resource file \"%s\"")                                 \
    X(ResourceFileInvalid, "Invalid resource file format")                                         \
    X(ResourceFileVersion,                                                                         \
      "The version of the resource file \"%s\" is invalid. Please, update the file and try again") \
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
