#include "ZelASTDataModule.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"

TZelASTDataModule::TZelASTDataModule(QObject* parent) : QObject(parent) {
    setObjectName("ASTDataModule");
    static const std::vector<TZelActionSpec> table = {
        {"ActionsAnalyzeSelectedTextAction",
         QT_TRANSLATE_NOOP("TZelASTDataModule", "Analyze from &other Application"), nullptr,
         nullptr, 10404, 38},
    };
    TZelImageList* images = ZelDataModule() ? &ZelDataModule()->NormalImages() : nullptr;
    Action = ZelCreateActions(this, "TZelASTDataModule", table, images)[0];
    Action->setEnabled(false);
}
