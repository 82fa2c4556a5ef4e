#include "ZelHelpBrowser.h"

#include "ZelDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPointer<TZelHelpBrowser>& Current() {
    static QPointer<TZelHelpBrowser> current;
    return current;
}

constexpr int AnchorRole = Qt::UserRole;

} // namespace

TZelHelpBrowser* TZelHelpBrowser::Instance() {
    return Current();
}

TZelHelpBrowser* TZelHelpBrowser::Show(const QString& path, const QString& anchor) {
    std::shared_ptr<const TZelHelpFile> file = ZelHelpFileAt(path);
    if (!file) {
        ZelDialogs().MessageBox(QApplication::applicationDisplayName().toStdString(),
                                tr("The help file %1 cannot be read.").arg(path).toStdString(),
                                TZelMsgButtons::Ok, TZelMsgIcon::Warning);
        return nullptr;
    }
    if (!Current() || Current()->File != file) {
        delete Current();
        Current() = new TZelHelpBrowser(file);
    }
    TZelHelpBrowser* browser = Current();
    QString target = anchor.isEmpty() ? "contents" : anchor;
    browser->ShowAnchor(target);
    browser->show();
    browser->raise();
    browser->activateWindow();
    // Once laid out, the page can scroll to the topic.
    QTimer::singleShot(0, browser, [browser, target] { browser->ShowAnchor(target); });
    return browser;
}

TZelHelpBrowser::TZelHelpBrowser(std::shared_ptr<const TZelHelpFile> file)
    : QWidget(nullptr, Qt::Window), File(std::move(file)), SearchBox(new QLineEdit),
      Tree(new QTreeWidget), Browser(new QTextBrowser) {
    setObjectName("ZelHelpBrowser");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(File->Title());
    SearchBox->setPlaceholderText(tr("Search the help"));
    SearchBox->setClearButtonEnabled(true);
    Tree->setHeaderHidden(true);
    Tree->setRootIsDecorated(true);
    Browser->setOpenExternalLinks(true);
    Browser->setHtml(File->Html());
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(SearchBox);
    leftLayout->addWidget(Tree);
    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 560});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(860, 600);
    FillContents({});
    connect(SearchBox, &QLineEdit::textChanged, this, &TZelHelpBrowser::FillContents);
    connect(Tree, &QTreeWidget::itemClicked, this, &TZelHelpBrowser::OnItemActivated);
    connect(Tree, &QTreeWidget::itemActivated, this, &TZelHelpBrowser::OnItemActivated);
}

// The chapters with their topics; while searching, the topics found.
void TZelHelpBrowser::FillContents(const QString& query) {
    Tree->clear();
    if (!query.trimmed().isEmpty()) {
        for (const TZelHelpFile::TTopic* topic : File->Search(query)) {
            auto* item = new QTreeWidgetItem(Tree, {topic->Title});
            item->setData(0, AnchorRole, topic->Anchor);
            item->setToolTip(0, topic->Chapter);
        }
        if (Tree->topLevelItemCount() == 0)
            new QTreeWidgetItem(Tree, {tr("No topic holds these words.")});
        return;
    }
    QTreeWidgetItem* chapter = nullptr;
    for (const TZelHelpFile::TTopic& topic : File->Topics()) {
        if (!chapter || chapter->text(0) != topic.Chapter)
            chapter = new QTreeWidgetItem(Tree, {topic.Chapter});
        auto* item = new QTreeWidgetItem(chapter, {topic.Title});
        item->setData(0, AnchorRole, topic.Anchor);
    }
    Tree->expandAll();
}

void TZelHelpBrowser::SetSearch(const QString& query) {
    SearchBox->setText(query);
}

void TZelHelpBrowser::OnItemActivated(QTreeWidgetItem* item) {
    QString anchor = item ? item->data(0, AnchorRole).toString() : QString();
    if (!anchor.isEmpty())
        ShowAnchor(anchor);
}

void TZelHelpBrowser::ShowAnchor(const QString& anchor) {
    Anchor = anchor;
    Browser->scrollToAnchor(anchor);
    // The topic's entry of the contents is selected, when it is listed.
    QList<QTreeWidgetItem*> items = Tree->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem* item : items)
        if (item->data(0, AnchorRole).toString() == anchor) {
            Tree->setCurrentItem(item);
            Tree->scrollToItem(item);
            break;
        }
}
