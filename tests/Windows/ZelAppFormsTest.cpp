// The base, document and language windows: settings kept per window, documents opened,
// saved and guarded, the command line's file, read-only files, plain text encodings.
#include "ZelActns.h"
#include "ZelCommandLine.h"
#include "ZelDoc.h"
#include "ZelDocAppUnit.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelLangUnit.h"
#include "ZelRichEdit.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A plain-text editor window.
class TMemoForm : public TZelDocAppForm {
public:
    TMemoForm() : TZelDocAppForm("TestMemoForm"), Edit(new QPlainTextEdit) {
        setCentralWidget(Edit);
    }
    ZelRef<IZelDoc> CreateDoc() override { return ZelMake<TZelMemoDoc>(Edit); }
    QPlainTextEdit* Edit;
};

class TAppForms : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZEL_USER_HIVE", Dir.File("user.reg").c_str(), 1);
        ZelSettings().Reset();
        ZelSetCommandLine(std::vector<std::string>{});
    }
    void TearDown() override {
        unsetenv("ZEL_USER_HIVE");
        ZelSettings().Reset();
        ZelSetCommandLine(std::vector<std::string>{});
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = Dir.File(name);
        ZelWriteFileAtomic(path, bytes);
        return path;
    }
    std::optional<int32_t> Value(const std::string& window, const std::string& name) {
        auto key = ZelSettings().OpenKey(TZelHive::CurrentUser,
                                         "Software\\Zel\\test_windows\\1.0\\" + window, false);
        return key ? key->ReadInteger(name) : std::nullopt;
    }

    TTempDir Dir;
};

} // namespace

TEST_F(TAppForms, AMaximisedWindowKeepsItsBoundsAndComesBackMaximised) {
    {
        TZelLangForm form("TestLangForm");
        form.Initialize();
        form.move(40, 30);
        form.resize(500, 400);
        form.SaveAllSettings();
        form.setWindowState(Qt::WindowMaximized);
        form.SaveAllSettings();
    }
    EXPECT_EQ(Value("TestLangForm", "Maximized"), 1);
    EXPECT_EQ(Value("TestLangForm", "Width"), 500); // the bounds before maximising
    EXPECT_EQ(Value("TestLangForm", "Left"), 40);
    TZelLangForm again("TestLangForm");
    again.Initialize();
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(again.size(), QSize(500, 400));
}

TEST_F(TAppForms, BoundsOnAScreenThatIsGoneComeBackOnOne) {
    auto key = ZelSettings().OpenKey(TZelHive::CurrentUser,
                                     "Software\\Zel\\test_windows\\1.0\\TestLangForm", true);
    key->WriteInteger("Left", 9000);
    key->WriteInteger("Top", -7000);
    key->WriteInteger("Width", 20000);
    key->WriteInteger("Height", 300);
    key->WriteString("ShowCaptions", "not a number"); // an unreadable value keeps the default
    TZelLangForm form("TestLangForm");
    form.Initialize();
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(form.pos())) << form.pos().x() << "," << form.pos().y();
    EXPECT_LE(form.width(), screen.width());
    EXPECT_EQ(form.height(), 300);
    EXPECT_FALSE(form.ShowCaptions());
}

TEST_F(TAppForms, AReadOnlyFileIsNeverWrittenOver) {
    std::string file = Write("letter.txt", "Dear friend\n");
    TMemoForm form;
    form.Initialize();
    form.OpenFile(QString::fromStdString(file), true);
    EXPECT_TRUE(form.Doc()->IsReadOnly());
    EXPECT_EQ(form.StatusPanel(1)->text(), "Read Only");
    EXPECT_FALSE(form.FindAction("FileSaveAction")->isEnabled());
    EXPECT_EQ(form.windowTitle().left(10), "letter.txt");
    // Changed, Save goes to Save As: the original stays as it was.
    form.Edit->moveCursor(QTextCursor::End);
    form.Edit->insertPlainText("more");
    EXPECT_TRUE(form.FindAction("FileSaveAction")->isEnabled());
    std::string copy = Dir.File("copy.txt");
    form.OnChooseFile = [&](bool save) { return save ? QString::fromStdString(copy) : QString(); };
    form.FindAction("FileSaveAction")->trigger();
    EXPECT_EQ(ZelReadWholeFile(file), "Dear friend\n");
    EXPECT_EQ(ZelReadWholeFile(copy), "Dear friend\nmore");
    EXPECT_FALSE(form.Doc()->IsReadOnly());
    EXPECT_EQ(form.StatusPanel(1)->text(), "");
    EXPECT_EQ(form.Doc()->GetFileName(), QString::fromStdString(copy));
    if (geteuid() != 0) { // the file's own permission makes it read-only too
        chmod(copy.c_str(), 0444);
        form.OpenFile(QString::fromStdString(copy));
        EXPECT_TRUE(form.Doc()->IsReadOnly());
    }
}

TEST_F(TAppForms, TheGuardAsksOnlyForAFileWithChanges) {
    TZelLangForm form("TestLangForm");
    form.show();
    int asked = 0;
    form.OnAskSave = [&](const QString&) { return ++asked, int(QMessageBox::Cancel); };
    // The untitled source text never asks, whatever was typed.
    form.SourceEdit()->insertPlainText("Le case sono belle.");
    EXPECT_TRUE(form.CheckSave());
    EXPECT_TRUE(form.close());
    EXPECT_EQ(asked, 0);
    // A text with a file: Cancel keeps the window open; No lets it close.
    std::string file = Write("notes.rtf", "{\\rtf1 Ciao}");
    TZelLangForm named("TestLangForm");
    named.show();
    named.OnAskSave = form.OnAskSave;
    named.OpenFile(QString::fromStdString(file));
    named.SourceEdit()->insertPlainText("x");
    EXPECT_FALSE(named.close());
    EXPECT_TRUE(named.isVisible());
    EXPECT_EQ(asked, 1);
    named.OnAskSave = [](const QString& question) {
        EXPECT_TRUE(question.startsWith("Save changes to '"));
        return int(QMessageBox::No);
    };
    EXPECT_TRUE(named.close());
    EXPECT_EQ(ZelReadWholeFile(file), "{\\rtf1 Ciao}");
    EXPECT_TRUE(named.RecentFiles().contains(QString::fromStdString(file)));
}

TEST_F(TAppForms, OpensTheFileTheCommandLineNames) {
    std::string file = Write("testo.txt", "una frase\n");
    ZelSetCommandLine(std::vector<std::string>{"-ns", "/ns", file});
    EXPECT_EQ(TZelDocAppForm::CommandLineFile().toStdString(), file);
    TZelLangForm form("TestLangForm");
    form.Initialize();
    EXPECT_TRUE(form.Doc()->HasFileName());
    EXPECT_EQ(form.SourceEdit()->toPlainText(), "una frase\n");
    ZelSetCommandLine(std::vector<std::string>{"-ns", "/ns"});
    EXPECT_TRUE(TZelDocAppForm::CommandLineFile().isEmpty());
    TZelLangForm empty("TestLangForm");
    empty.Initialize();
    EXPECT_FALSE(empty.Doc()->HasFileName());
    EXPECT_EQ(empty.Doc()->GetFileName(), "Untitled");
    EXPECT_TRUE(empty.SourceEdit()->toPlainText().isEmpty());
}

TEST_F(TAppForms, PlainTextIsWrittenBackInTheEncodingItWasReadIn) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"utf16.txt", std::string("\xFF\xFE"
                                  "c\0i\0t\0t\0\xE0\0\r\0\n\0",
                                  16)},
        {"utf8bom.txt", "\xEF\xBB\xBF"
                        "citt\xC3\xA0\n"},
        {"latin.txt", "citt\xE0\r\nperch\xE9\r\n"},
        {"utf8.txt", "citt\xC3\xA0 \xF0\x9F\x98\x80\n"},
    };
    for (const auto& [name, bytes] : files) {
        std::string path = Write(name, bytes);
        TMemoForm form;
        form.Initialize();
        form.OpenFile(QString::fromStdString(path));
        EXPECT_TRUE(form.Edit->toPlainText().startsWith(QString::fromUtf8("città"))) << name;
        form.Doc()->Save({}, false, 0);
        EXPECT_EQ(ZelReadWholeFile(path), bytes) << name;
    }
    // In the rich-text document, RTF stays RTF and a text file stays plain text.
    std::string text = Write("plain.txt", "a {b} \\c\n");
    TZelLangForm form("TestLangForm");
    form.Initialize();
    form.OpenFile(QString::fromStdString(text));
    EXPECT_EQ(form.SourceEdit()->toPlainText(), "a {b} \\c\n");
    form.SourceEdit()->insertPlainText("!");
    form.Doc()->Save({}, false, 0);
    EXPECT_EQ(ZelReadWholeFile(text), "!a {b} \\c\n");
}

TEST_F(TAppForms, AFailedSaveKeepsTheDocumentModified) {
    TMemoForm form;
    form.Initialize();
    form.Edit->insertPlainText("testo");
    EXPECT_TRUE(form.Doc()->IsModified());
    std::string notAFolder = Write("file", "x");
    EXPECT_THROW(form.Doc()->Save(QString::fromStdString(notAFolder + "/x.txt"), true, 0),
                 EZelError);
    EXPECT_TRUE(form.Doc()->IsModified());
    EXPECT_FALSE(form.Doc()->HasFileName());
    EXPECT_THROW(form.Doc()->Save({}, false, 0), EZelError); // no file name at all
}

// Saving never leaves a mixed or empty file: a writer killed at random moments, over many
// rounds, always leaves either the old content or the new.
TEST_F(TAppForms, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNew) {
    std::string file = Dir.File("document.rtf");
    std::string older(200000, 'a'), newer(300000, 'b');
    ZelWriteDocumentFile(QString::fromStdString(file), older);
    for (int round = 0; round < 60; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                ZelWriteDocumentFile(QString::fromStdString(file), i % 2 ? older : newer);
        }
        usleep(useconds_t(500 + (round * 7919) % 20000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        std::string content = ZelReadWholeFile(file);
        ASSERT_TRUE(content == older || content == newer)
            << "round " << round << ": " << content.size() << " bytes";
    }
    // The temporary files of the killed writers do not pile up.
    ZelWriteDocumentFile(QString::fromStdString(file), older);
    EXPECT_EQ(ZelListFolder(Dir.File("")).size(), 1u);
}

TEST_F(TAppForms, TheEditCommandsFollowTheirTarget) {
    TZelLangForm form("TestLangForm");
    form.show();
    QApplication::setActiveWindow(&form);
    form.SourceEdit()->setFocus();
    form.SourceEdit()->insertPlainText("casa");
    form.SourceEdit()->selectAll();
    QApplication::processEvents();
    EXPECT_TRUE(form.FindAction("EditCutAction")->isEnabled());
    EXPECT_TRUE(form.FindAction("EditCopyAction")->isEnabled());
    EXPECT_TRUE(form.FindAction("EditUndoAction")->isEnabled());
    form.FindAction("EditCutAction")->trigger();
    EXPECT_TRUE(form.SourceEdit()->toPlainText().isEmpty());
    EXPECT_FALSE(form.FindAction("EditCopyAction")->isEnabled());
    EXPECT_TRUE(form.FindAction("EditPasteAction")->isEnabled());
    form.FindAction("EditPasteAction")->trigger();
    EXPECT_EQ(form.SourceEdit()->toPlainText(), "casa");
    // The Analyze commands wait for an analysis state.
    EXPECT_FALSE(form.FindAction("ActionsPasteAndAnalyzeAction")->isEnabled());
    form.SetAnalysisState(1);
    EXPECT_TRUE(form.FindAction("ActionsPasteAndAnalyzeAction")->isEnabled());
}
