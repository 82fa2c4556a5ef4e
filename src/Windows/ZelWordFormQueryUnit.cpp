#include "ZelWordFormQueryUnit.h"

#include "ZelHelpContext.h"

#include <QScrollArea>

TZelWordFormQueryFrame::TZelWordFormQueryFrame(QWidget* parent) : TZelLXQueryFrame(parent) {
    setObjectName("ZelWordFormQueryFrame");
    setMinimumHeight(64);
    ZelSetHelpContext(ScrollBox(), 8016);
    Initialize();
}

std::unique_ptr<TZelLXQuery> TZelWordFormQueryFrame::CreateQuery() {
    return std::make_unique<TZelWordFormQuery>();
}

void TZelWordFormQueryFrame::SetDictionary(const ZelRef<IZelDic>& dic) {
    Query().SetDic(dic);
    Rebuild();
}
