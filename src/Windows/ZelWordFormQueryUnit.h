// "Word Form Search": the query editor over every form a morphology generates.
#pragma once

#include "ZelLXQueryUnit.h"

class TZelWordFormQueryFrame : public TZelLXQueryFrame {
    Q_OBJECT
public:
    explicit TZelWordFormQueryFrame(QWidget* parent = nullptr);
    void SetDictionary(const ZelRef<IZelDic>& dic);
    bool IsWordFormEditor() const override { return true; }

protected:
    std::unique_ptr<TZelLXQuery> CreateQuery() override;
};
