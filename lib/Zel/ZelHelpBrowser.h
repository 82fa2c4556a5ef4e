// The help window: the contents (chapters and their topics) and a search box on the left,
// the help page on the right, opened at a topic. One window per program.
#pragma once

#include "ZelHelpFile.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class TZelHelpBrowser : public QWidget {
    Q_OBJECT
public:
    // Shows the help file at a topic anchor ("LDH_10103"; empty: its contents), in the
    // program's help window. A file that cannot be read is reported; nullptr then.
    static TZelHelpBrowser* Show(const QString& path, const QString& anchor = {});
    static TZelHelpBrowser* Instance();

    void ShowAnchor(const QString& anchor);
    void SetSearch(const QString& query);
    QTextBrowser* Page() const { return Browser; }
    QTreeWidget* Contents() const { return Tree; }
    QString CurrentAnchor() const { return Anchor; }

private:
    explicit TZelHelpBrowser(std::shared_ptr<const TZelHelpFile> file);
    void FillContents(const QString& query);
    void OnItemActivated(QTreeWidgetItem* item);

    std::shared_ptr<const TZelHelpFile> File;
    QLineEdit* SearchBox;
    QTreeWidget* Tree;
    QTextBrowser* Browser;
    QString Anchor;
};
