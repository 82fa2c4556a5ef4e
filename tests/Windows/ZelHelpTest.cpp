// The help: every help context the program uses has a topic in both help files, the help
// window, and "What's this?" with its rules.
#include "ZelBaseDataModule.h"
#include "ZelChooseLemmaUnit.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelFiles.h"
#include "ZelHelpBrowser.h"
#include "ZelHelpContext.h"
#include "ZelHelpFile.h"
#include "ZelHelpManager.h"
#include "ZelLangUnit.h"
#include "ZelMorphTreeUnit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

QString HelpPath(const char* name) {
    return QString::fromStdString(ZelExecutableFolder() + "/../help/") + name;
}

// Every help context of an object and its children, with where it was met.
void Collect(const QObject& root, std::map<int, QString>& contexts) {
    std::vector<const QObject*> objects{&root};
    for (const QObject* child : root.findChildren<QObject*>())
        objects.push_back(child);
    for (const QObject* object : objects)
        if (int context = ZelHelpContext(object))
            contexts.emplace(context, object->objectName().isEmpty()
                                          ? object->metaObject()->className()
                                          : object->objectName());
}

struct TPopups {
    std::vector<QString> Shown;
    void Attach(TZelHelpManager& help) {
        help.OnShowPopup = [this](const QPoint&, const QString& text) { Shown.push_back(text); };
    }
};

// Records the keys and clicks a control receives.
class TRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++Keys;
        return false;
    }
    int Keys = 0;
};

} // namespace

TEST(Help, EveryHelpContextHasATopicInBothLanguages) {
    auto english = ZelHelpFileAt(HelpPath("nv_eng.html"));
    auto italian = ZelHelpFileAt(HelpPath("nv_ita.html"));
    ASSERT_TRUE(english && italian) << "the build writes the help files into <build>/help";
    std::map<int, QString> contexts;
    {
        TZelBaseAppDataModule module;
        Collect(module, contexts);
        TZelLangForm language("HelpTestLangForm");
        Collect(language, contexts);
        TZelDicViewFlexForm forms;
        Collect(forms, contexts);
        TZelMorphTreeFrame tree;
        Collect(tree, contexts);
        TZelChooseLemmaForm choose;
        Collect(choose, contexts);
    }
    EXPECT_GE(contexts.size(), 20u);
    for (const auto& [context, where] : contexts)
        for (const auto* file : {english.get(), italian.get()}) {
            const TZelHelpFile::TTopic* topic = file->Topic(context);
            EXPECT_TRUE(topic) << "no topic LDH_" << context << " (" << where.toStdString()
                               << ") in " << file->Path().toStdString();
            if (topic) {
                EXPECT_GT(topic->Text.size(), 20) << "LDH_" << context << " is empty";
            }
        }
    // The two files hold the same topics, none of them empty.
    ASSERT_EQ(english->Topics().size(), italian->Topics().size());
    for (size_t i = 0; i < english->Topics().size(); ++i) {
        EXPECT_EQ(english->Topics()[i].Anchor, italian->Topics()[i].Anchor);
        EXPECT_FALSE(english->Topics()[i].Text.isEmpty());
        EXPECT_FALSE(italian->Topics()[i].Text.isEmpty());
    }
}

TEST(Help, PopupsSearchAndTheHelpWindow) {
    auto english = ZelHelpFileAt(HelpPath("nv_eng.html"));
    ASSERT_TRUE(english);
    QString popup = english->PopupText(10401);
    EXPECT_TRUE(
        popup.startsWith("<p><b>Analyze (Enter)</b></p><p>Analyses the sentence under the caret"))
        << popup.toStdString();
    EXPECT_FALSE(popup.contains("analysis tree")); // the first paragraph only
    EXPECT_TRUE(english->PopupText(99999).isEmpty());
    auto italian = ZelHelpFileAt(HelpPath("nv_ita.html"));
    std::vector<const TZelHelpFile::TTopic*> found = italian->Search("perche MAIUSCOLE");
    ASSERT_EQ(found.size(), 1u); // accents and case do not matter
    EXPECT_EQ(found[0]->Anchor, "LDH_23103");
    TZelHelpBrowser* browser = TZelHelpBrowser::Show(HelpPath("nv_eng.html"), "LDH_10104");
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->windowTitle(), "Norvel Help");
    EXPECT_EQ(browser->CurrentAnchor(), "LDH_10104");
    EXPECT_EQ(browser->Contents()->currentItem()->text(0), "Open");
    browser->SetSearch("clipboard");
    EXPECT_GE(browser->Contents()->topLevelItemCount(), 3);
    browser->close();
}

TEST(Help, WhatsThisShowsTheHelpOfTheControlClicked) {
    QWidget owner;
    auto* layout = new QVBoxLayout(&owner);
    auto* button = new QPushButton("Analyze");
    ZelSetHelpContext(button, 10401);
    auto* panel = new QWidget;
    ZelSetHelpContext(panel, 8010);
    auto* line = new QLineEdit(panel);
    (new QVBoxLayout(panel))->addWidget(line);
    layout->addWidget(button);
    layout->addWidget(panel);
    owner.resize(300, 200);
    owner.show();
    QApplication::setActiveWindow(&owner);
    TZelHelpManager help(&owner, [] { return HelpPath("nv_eng.html"); });
    TPopups popups;
    popups.Attach(help);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

    help.SetHelpMode(true);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(help.IsHelpMode());
    EXPECT_EQ(clicks, 0); // the click asked for help, it did not press the button
    ASSERT_EQ(popups.Shown.size(), 1u);
    EXPECT_TRUE(popups.Shown[0].contains("Analyze (Enter)"));

    // A control without a help context takes its parent's.
    help.SetHelpMode(true);
    QTest::mouseClick(line, Qt::LeftButton);
    ASSERT_EQ(popups.Shown.size(), 2u);
    EXPECT_TRUE(popups.Shown[1].contains("The source text"));

    // Escape leaves without help and goes no further; another key leaves and goes on.
    TRecorder recorder;
    line->setFocus();
    line->installEventFilter(&recorder);
    help.SetHelpMode(true);
    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_FALSE(help.IsHelpMode());
    EXPECT_EQ(recorder.Keys, 0);
    help.SetHelpMode(true);
    QTest::keyClick(line, Qt::Key_A);
    EXPECT_FALSE(help.IsHelpMode());
    EXPECT_EQ(recorder.Keys, 1);
    EXPECT_EQ(popups.Shown.size(), 2u);

    // A click outside the window leaves help mode and reaches its target.
    QPushButton elsewhere("Elsewhere");
    elsewhere.move(owner.frameGeometry().right() + 50, 0);
    elsewhere.show();
    int outside = 0;
    QObject::connect(&elsewhere, &QPushButton::clicked, [&] { ++outside; });
    help.SetHelpMode(true);
    QTest::mouseClick(&elsewhere, Qt::LeftButton);
    EXPECT_FALSE(help.IsHelpMode());
    EXPECT_EQ(outside, 1);
    EXPECT_EQ(popups.Shown.size(), 2u);
}

TEST(Help, WhatsThisOnAMenuItemShowsItsHelpWithoutRunningIt) {
    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    TZelHelpManager help(&owner, [] { return HelpPath("nv_eng.html"); });
    TPopups popups;
    popups.Attach(help);
    QMenu menu(&owner);
    QAction* save = menu.addAction("Save");
    ZelSetHelpContext(save, 10105);
    int ran = 0;
    QObject::connect(save, &QAction::triggered, [&] { ++ran; });
    help.SetHelpMode(true);
    menu.popup(owner.mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(save).center());
    QApplication::processEvents();
    EXPECT_EQ(ran, 0);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(help.IsHelpMode());
    ASSERT_EQ(popups.Shown.size(), 1u);
    EXPECT_TRUE(popups.Shown[0].contains("Save (Ctrl+S)"));
    EXPECT_FALSE(TZelBaseHook::IsInstalled(TZelHookKind::Mouse)); // the hook ends with the menu
}
