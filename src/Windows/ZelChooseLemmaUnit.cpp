#include "ZelChooseLemmaUnit.h"

#include "ZelBaseDataModule.h"
#include "ZelErrors.h"
#include "ZelMorphTreeUnit.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

TZelChooseLemmaRunner& Runner() {
    static TZelChooseLemmaRunner runner;
    return runner;
}

} // namespace

bool HasLemma(IZelSentenceItem& item) {
    switch (item.GetKind()) {
    case ZelItemReading:
        return !item.GetLemma().empty();
    case ZelItemAlternatives:
    case ZelItemSequence:
        for (int32_t i = 0; i < item.GetCount(); ++i)
            if (HasLemma(*item.GetItem(i)))
                return true;
        return false;
    default:
        ZelAssertFailed(__FILE__, __LINE__);
    }
}

void ChooseLemma(IZelSentenceItem& item, bool lemmasOnly, ZelRef<IZelSentenceItem>& chosen) {
    chosen = nullptr;
    int32_t count = item.GetCount();
    if (count > 1 || (count == 1 && item.GetItem(0)->GetKind() == ZelItemAlternatives)) {
        TZelChooseLemmaForm form;
        form.TreeFrame()->SetLemmasOnly(lemmasOnly);
        form.TreeFrame()->SetAnalysis(&item);
        bool ok = Runner() ? Runner()(form) : form.exec() == QDialog::Accepted;
        if (ok)
            chosen = form.TreeFrame()->GetSelected();
        return;
    }
    if (item.GetKind() == ZelItemSequence) {
        ZEL_ASSERT(count == 1);
        chosen = item.GetItem(0);
        ZEL_ASSERT(chosen->GetKind() == ZelItemReading);
    } else {
        chosen = &item;
    }
    if (lemmasOnly && chosen->GetLemma().empty())
        chosen = nullptr;
}

void ZelSetChooseLemmaRunner(TZelChooseLemmaRunner runner) {
    Runner() = std::move(runner);
}

TZelChooseLemmaForm::TZelChooseLemmaForm(QWidget* parent)
    : QDialog(parent), Frame(new TZelMorphTreeFrame(this)) {
    setObjectName("ZelChooseLemmaForm");
    setWindowTitle(tr("Choose lemma:"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Frame, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setFixedHeight(40);
    buttons->setContentsMargins(8, 0, 8, 0);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Frame->SetTreeFont(ZelDefaultTextFont());
    Frame->MorphTreeView()->viewport()->installEventFilter(this);
    setFixedSize(280, 240);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// A double click arms the dialog; the mouse release that follows closes it with OK.
bool TZelChooseLemmaForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame->MorphTreeView()->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            DoubleClicked = true;
        } else if (event->type() == QEvent::MouseButtonRelease && DoubleClicked) {
            DoubleClicked = false;
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
