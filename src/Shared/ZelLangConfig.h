// The user's configuration of each language pair: which installed dictionaries each view
// shows, and how each takes part in a look-up. Persisted with the product settings.
#pragma once

#include "ZelDic.h"
#include "ZelPersistent.h"

#include <string>

// A collection item whose persisted DisplayName is its key.
class TZelNamedItem : public TZelPersistent {
public:
    const std::string& GetDisplayName() const { return DisplayName; }
    virtual void SetDisplayName(const std::string& name) { DisplayName = name; }

protected:
    std::string DisplayName;
};

enum TZelLookupMode { lmAlways, lmNever, lmIfNotFoundBefore };

class TZelDicConfig : public TZelNamedItem {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override;
    // Changing the name forgets the cached dictionary.
    void SetDisplayName(const std::string& name) override;
    // The installed dictionary whose identifier is the name (first in list order), cached.
    ZelRef<IZelDic> GetDic();

    TZelLookupMode LookupMode = lmAlways;
    int32_t ViewIndex = 0;

private:
    ZelRef<IZelDic> Dic;
    bool DicResolved = false;
};

class TZelDicConfigList : public TZelOwnedCollection<TZelDicConfig> {
public:
    int32_t IndexOf(const std::string& name) const;
};

class TZelDicViewConfig : public TZelNamedItem {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override;

    TZelDicConfigList DicConfigList;
    bool HorzScrollbar = false;
    bool KeepSourceFont = false;
};

class TZelDicViewConfigList : public TZelOwnedCollection<TZelDicViewConfig> {};

class TZelLangConfig : public TZelNamedItem {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override;

    // The pair written in the name ("009-016"); 0 for a name that does not hold it.
    TZelLanguage GetSourceLang() const;
    TZelLanguage GetTargetLang() const;
    // Gives the pair a view when it has none, then brings every view in line with the
    // installed dictionaries of the pair.
    void Synchronize();

    TZelDicViewConfigList DicViewConfigList;
    bool DisambiguationEnabled = false;
    bool MorphAnalysisEnabled = true;
};

class TZelLangConfigList : public TZelOwnedCollection<TZelLangConfig> {
public:
    // The configuration of the pair, created and synchronised when missing; nullptr when
    // either language is 0.
    TZelLangConfig* FindOrAdd(TZelLanguage source, TZelLanguage target);
    void Validate();
};

// Removes a view's dictionaries that are no longer installed and appends the installed
// dictionaries of the pair it does not list yet (morphological ones excepted).
void ZelSynchronizeView(TZelDicViewConfig& view, TZelLanguage source, TZelLanguage target);

// "009-016" for English to Italian.
std::string ZelLangPairName(TZelLanguage source, TZelLanguage target);
