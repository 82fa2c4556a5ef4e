// Test doubles and printers shared by the tests: a dictionary that only has a name, and
// readable pictures of analyses.
#pragma once

#include "ZelDic.h"

#include <string>
#include <vector>

class IZelMorphInfo;
class IZelSentenceItem;

// A dictionary with an identifier and languages and nothing else: enough for lists,
// registries and language pairs.
class TFakeDic : public TZelDic {
public:
    TFakeDic(std::string id, TZelLanguage source, TZelLanguage target)
        : TZelDic(source, target), Id(std::move(id)) {}
    std::string GetId() override { return Id; }
    std::string GetEntryRtf(IZelLu&, int32_t) override { return {}; }
    bool FindLu(IZelArrayCursor&, IZelLu&, int32_t&) override { return false; }
    uint8_t GetLuStyle() override { return 1; }
    std::string Id;
};

// Makes the dictionaries the installed ones: a builder that adds them, registered alone.
void InstallDics(std::vector<ZelRef<IZelDic>> dics);

// The headwords of a cursor (a dictionary's list, a look-up, a search result) as
// "text/ordinal".
std::vector<std::string> Headwords(IZelArrayCursor& cursor);
std::vector<std::string> Headwords(IZelDic& dic);

// A reading tree of the morphology: leaves as lemma/code@start+length, alternatives in
// parentheses separated by " | ", sequences in brackets.
std::string ShowMorph(IZelMorphInfo& node);

// A sentence analysis: readings as lemma [category]/ordinal'word form' (with "?" when
// unknown), alternatives in parentheses separated by " | ", sequences in brackets.
std::string ShowItem(IZelSentenceItem& item);
