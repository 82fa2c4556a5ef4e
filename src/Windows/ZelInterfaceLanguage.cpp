#include "ZelInterfaceLanguage.h"

#include "ZelErrors.h"
#include "ZelResStrings.h"
#include "ZelResourceModule.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

struct TLoaded {
    uint16_t Language = 0x09;
    std::string Payload; // the catalogue's bytes: the translator reads them in place
    std::unique_ptr<QTranslator> Catalogue;
    std::unique_ptr<QTranslator> QtBase;
};

TLoaded& Loaded() {
    static TLoaded loaded;
    return loaded;
}

} // namespace

void TZelInterfaceLanguage::Load(uint16_t language, const std::string& executablePath,
                                 uint32_t version) {
    Unload();
    if ((language & 0x3FF) == 0x09)
        return;
    TZelResourceModule module =
        ZelLoadResourceModule(ZelResourceModulePath(executablePath, language), version);
    TLoaded& loaded = Loaded();
    loaded.Payload = std::move(module.Payload);
    loaded.Catalogue = std::make_unique<QTranslator>();
    if (!loaded.Catalogue->load(reinterpret_cast<const uchar*>(loaded.Payload.data()),
                                int(loaded.Payload.size())))
        throw EZelError(ZelLoadStr(TZelResId::ResourceFileInvalid));
    QCoreApplication::installTranslator(loaded.Catalogue.get());
    loaded.Language = language;
    // The engine's texts through the same catalogue.
    ZelSetResStringProvider([](TZelResId id) -> std::optional<std::string> {
        const QTranslator* catalogue = Loaded().Catalogue.get();
        if (!catalogue)
            return std::nullopt;
        QString text = catalogue->translate("Engine", ZelDefaultStr(id));
        if (text.isEmpty())
            return std::nullopt;
        return text.toStdString();
    });
    // Qt's own texts in the same language, when Qt ships them.
    loaded.QtBase = std::make_unique<QTranslator>();
    QLocale locale(QString::fromStdString(module.Abbreviation).left(2).toLower());
    if (loaded.QtBase->load(locale, "qtbase", "_",
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(loaded.QtBase.get());
    else
        loaded.QtBase.reset();
}

void TZelInterfaceLanguage::Unload() {
    TLoaded& loaded = Loaded();
    if (loaded.Catalogue)
        QCoreApplication::removeTranslator(loaded.Catalogue.get());
    if (loaded.QtBase)
        QCoreApplication::removeTranslator(loaded.QtBase.get());
    loaded = TLoaded{};
    ZelSetResStringProvider(nullptr);
}

uint16_t TZelInterfaceLanguage::Current() {
    return Loaded().Language;
}

const QTranslator* TZelInterfaceLanguage::Translator() {
    return Loaded().Catalogue.get();
}

QString ZelTr(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}
