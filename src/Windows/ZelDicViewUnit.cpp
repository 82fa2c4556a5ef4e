#include "ZelDicViewUnit.h"

#include "ZelGradient.h"
#include "ZelLangConfig.h"

#include <QIcon>
#include <QVBoxLayout>

#include <set>

namespace {

// The window names in use, so that two windows of a class never share a settings key.
std::set<QString>& NamesInUse() {
    static std::set<QString> names;
    return names;
}

QString FreeName(const QString& defaultName) {
    if (!NamesInUse().count(defaultName))
        return defaultName;
    for (int suffix = 1;; ++suffix) {
        QString name = defaultName + "_" + QString::number(suffix);
        if (!NamesInUse().count(name))
            return name;
    }
}

} // namespace

TZelDicViewForm::TZelDicViewForm(const QString& defaultName, QWidget* parent)
    : QWidget(parent), Background(new TZelGradientPanel(this)) {
    setObjectName(FreeName(defaultName));
    NamesInUse().insert(objectName());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Background);
    // Blue fading into the button face, the product logo in the corner.
    Background->SetGradient(
        {QColor(0, 0, 255), palette().color(QPalette::Button), Qt::Vertical, 128});
    Background->SetCornerPicture(QIcon(":/images/logo.svg").pixmap(QSize(64, 64)));
}

TZelDicViewForm::~TZelDicViewForm() {
    NamesInUse().erase(objectName());
}

void TZelDicViewForm::SetViewConfig(TZelDicViewConfig* config) {
    Config = config;
    if (config)
        setWindowTitle(QString::fromStdString(config->GetDisplayName()));
}

bool TZelDicViewForm::CanShow(IZelSentenceItem* item) {
    return item != nullptr;
}

void TZelDicViewForm::Render(IZelSentenceItem&, bool& shown) {
    shown = false;
}

void TZelDicViewForm::OnHover(QWidget*, const QPoint&) {}

void TZelDicViewForm::SetContentVisible(bool) {}

bool TZelDicViewForm::SetLu(IZelSentenceItem* item) {
    Item = item;
    Refresh();
    return CanShow(item);
}

void TZelDicViewForm::Refresh() {
    if (isVisible())
        RenderNow();
    else
        Rendered = false;
}

void TZelDicViewForm::RenderNow() {
    bool shown = false;
    if (Item) {
        emit Rendering();
        BeginRender();
        try {
            Render(*Item, shown);
        } catch (...) {
            EndRender();
            SetContentVisible(false);
            Rendered = true;
            throw;
        }
        EndRender();
    }
    SetContentVisible(shown);
    Rendered = true;
}

void TZelDicViewForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Rendered)
        RenderNow();
}
