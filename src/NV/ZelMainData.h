// The product's application data (company "VRD", so its key is Software\VRD\NV\1.0, and
// the companion's Software\VRD\QNV\1.0) and its main data module: two interface
// languages, the product settings object, the text font and its measurement, the small
// pictures and the logos, and the user's notes saved before a restart.
#pragma once

#include "ZelBaseAppData.h"
#include "ZelBaseDataModule.h"

#include <QFont>
#include <QPixmap>
#include <QSize>

class TZelNVConfig;

class TZelMainAppData : public TZelBaseAppData {
public:
    using TZelBaseAppData::TZelBaseAppData;
    std::string GetCompanyName() const override { return "VRD"; }
    // The companion's key: every "\NV\" of the product key becomes "\QNV\".
    std::string GetCompanionKey();
};

class TMainDataModule : public TZelBaseAppDataModule {
    Q_OBJECT
public:
    explicit TMainDataModule(QObject* parent = nullptr);

    int GetLocaleCount() const override { return 2; }
    uint16_t GetLocaleAt(int index) const override;
    // The text font of the settings becomes the measuring font.
    void ApplySettings() override;
    // The product's key, and the companion's too.
    void SetLocale(uint16_t language) override;
    // The user's notes are written before the program restarts.
    void SaveUserData() override;
    std::unique_ptr<TZelConfig> CreateConfig() override;

    TZelNVConfig& GetNVConfig() const;
    // The size of a text (system code page) in the text font.
    QSize MeasureText(const std::string& bytes) const;
    const QFont& TextFont() const { return Font; }

    TZelImageList& SmallImages() { return SmallImageList; }
    TZelImageList& LogoImages() { return LogoSlvImageList; }
    const QPixmap& ProductLogo() const { return Logo; }
    const QPixmap& PublisherLogo() const { return PublisherLogoPicture; }

private:
    TZelImageList SmallImageList;
    TZelImageList LogoSlvImageList;
    QPixmap Logo;
    QPixmap PublisherLogoPicture;
    QFont Font;
};
