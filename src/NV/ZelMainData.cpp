#include "ZelMainData.h"

#include "ZelCodePage.h"
#include "ZelDic.h"
#include "ZelErrors.h"
#include "ZelLangList.h"
#include "ZelNVConfig.h"
#include "ZelQtText.h"
#include "ZelSettingsStore.h"

#include <QFontMetrics>
#include <QIcon>

std::string TZelMainAppData::GetCompanionKey() {
    std::string key = GetSettingsKey();
    for (size_t at = 0; (at = key.find("\\NV\\", at)) != std::string::npos; at += 5)
        key.replace(at, 4, "\\QNV\\");
    return key;
}

TMainDataModule::TMainDataModule(QObject* parent)
    : TZelBaseAppDataModule(parent), SmallImageList(":/images/small", QSize(8, 8)),
      LogoSlvImageList(":/images/logoslv", QSize(85, 90)) {
    ZelLangList().Rebuild();
    Initialize();
    Logo = QIcon(":/images/logo.svg").pixmap(QSize(120, 120));
    PublisherLogoPicture = QIcon(":/images/publisher.svg").pixmap(QSize(85, 90));
    SmallImageList.Load();
    LogoSlvImageList.Load();
}

uint16_t TMainDataModule::GetLocaleAt(int index) const {
    ZEL_ASSERT(index == 0 || index == 1);
    return index == 0 ? 0x09 : 0x10;
}

void TMainDataModule::ApplySettings() {
    Font = ZelFontOf(GetNVConfig().DefaultTextFont);
}

void TMainDataModule::SetLocale(uint16_t language) {
    TZelBaseAppDataModule::SetLocale(language);
    auto* data = dynamic_cast<TZelMainAppData*>(&ZelAppData());
    ZEL_ASSERT(data);
    ZelSettings()
        .OpenKey(TZelHive::CurrentUser, data->GetCompanionKey(), true)
        ->WriteInteger("Locale", int32_t(language));
}

void TMainDataModule::SaveUserData() {
    GetDicList()->SaveEditable();
}

std::unique_ptr<TZelConfig> TMainDataModule::CreateConfig() {
    return std::make_unique<TZelNVConfig>();
}

TZelNVConfig& TMainDataModule::GetNVConfig() const {
    auto* config = dynamic_cast<TZelNVConfig*>(GetConfig());
    ZEL_ASSERT(config);
    return *config;
}

QSize TMainDataModule::MeasureText(const std::string& bytes) const {
    QString text = ZelQStringFromSystem(bytes);
    return QFontMetrics(Font).size(Qt::TextSingleLine, text);
}
