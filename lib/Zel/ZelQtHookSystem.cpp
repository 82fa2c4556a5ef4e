#include "ZelQtHookSystem.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

class TMouseFilter : public QObject {
public:
    explicit TMouseFilter(TZelHookProcedure procedure) : Procedure(std::move(procedure)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        uintptr_t message = 0;
        switch (event->type()) {
        case QEvent::MouseMove:
            message = ZelHookMouseMove;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            message = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton
                          ? ZelHookRightButtonDown
                          : ZelHookLeftButtonDown;
            break;
        case QEvent::MouseButtonRelease:
            message = static_cast<QMouseEvent*>(event)->button() == Qt::RightButton
                          ? ZelHookRightButtonUp
                          : ZelHookLeftButtonUp;
            break;
        default:
            return false;
        }
        // Only windows take part: events Qt delivers again to the parents are left alone.
        if (!watched->isWidgetType())
            return false;
        QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        TZelMouseHookInfo info{at.x(), at.y(), watched};
        return Procedure(0, message, reinterpret_cast<intptr_t>(&info)) != 0;
    }

private:
    TZelHookProcedure Procedure;
};

class TQtHookSystem : public IZelHookSystem {
public:
    void* Install(TZelHookKind, TZelHookProcedure procedure) override {
        if (!qApp)
            return nullptr;
        auto* filter = new TMouseFilter(std::move(procedure));
        qApp->installEventFilter(filter);
        return filter;
    }
    bool Uninstall(void* handle) override {
        auto* filter = static_cast<TMouseFilter*>(handle);
        if (qApp)
            qApp->removeEventFilter(filter);
        delete filter;
        return true;
    }
    intptr_t CallNext(void*, int, uintptr_t, intptr_t) override { return 0; }
};

} // namespace

void ZelUseQtHookSystem() {
    static bool done = false;
    if (!done) {
        ZelSetHookSystem(std::make_shared<TQtHookSystem>());
        done = true;
    }
}
