#include "ZelDD6Ex.h"
#include "ZelCodePage.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// An installed annotations dictionary and a user data folder, both temporary.
class TNotes : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", Data.Path().c_str(), 1);
        Description = CompileDD6Fixture(Installed, "ann.xml");
        Previous = ZelSetDialogs(Dialogs);
    }
    void TearDown() override {
        ZelSetDialogs(Previous);
        unsetenv("XDG_DATA_HOME");
    }
    ZelRef<TZelDD6Ex> Open(TZelLanguage source = 9, TZelLanguage target = 16) {
        std::string out = Installed.File("out") + "/";
        return ZelMake<TZelDD6Ex>(ZelMake<TZelDD6Master>("AnnKNV1", out, out, Description), source,
                                  target);
    }
    std::string NotesFile() const { return Data.File("VRD/NV/1.0/ann0009_des.xml"); }

    TTempDir Installed, Data;
    std::string Description;
    std::shared_ptr<TRecordingDialogs> Dialogs = std::make_shared<TRecordingDialogs>();
    std::shared_ptr<TZelDialogs> Previous;
};

std::vector<std::string> Lemmas(IZelDic& dic) {
    ZelRef<IZelArrayCursor> entries = dic.GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    ZelRef<IZelDD6ExEntryText> text = ZelQuery<IZelDD6ExEntryText>(entries);
    std::vector<std::string> out;
    for (int32_t i = 0; i < entries->GetCount(); ++i) {
        entries->SetIndex(i);
        out.push_back(ZelWideToUtf8(lu->GetWideText()) + "/" + std::to_string(lu->GetOrdinal()) +
                      "=" + ZelWideToUtf8(text->GetEntryText()));
    }
    return out;
}

void SetNote(IZelDicEditable& dic, const std::u16string& lemma, int32_t ordinal,
             const std::u16string& note) {
    ZelRef<IZelArrayCursor> at = dic.FindOrAddLu(lemma, ordinal, 0);
    ASSERT_TRUE(at);
    at->SetIndex(0);
    ZelQuery<IZelDD6ExEntryText>(at)->SetEntryText(note);
}

} // namespace

TEST_F(TNotes, NothingIsWrittenUntilANoteIsAdded) {
    ZelRef<TZelDD6Ex> ann = Open();
    EXPECT_EQ(ann->GetEntries()->GetCount(), 0);
    EXPECT_EQ(ann->GetNotesFileName(), NotesFile());
    EXPECT_FALSE(ann->FindOrAddLu(u"", -1, 0));
    ann->SaveChanges();
    EXPECT_FALSE(ZelFileExists(NotesFile()));
    EXPECT_EQ(ann->GetId(), "AnnKNV1_ENIT");
    EXPECT_TRUE(ZelSupports<IZelDicEditable>(ann.get()));
}

TEST_F(TNotes, NotesKeepHeadwordOrderAndSurviveReopening) {
    {
        ZelRef<TZelDD6Ex> ann = Open();
        SetNote(*ann, u"bank", 2, u"riverside");
        SetNote(*ann, u"bank", 1, u"money");
        SetNote(*ann, u"apple", -1, u"fruit");
        SetNote(*ann, u"bank", 2, u"river\nside"); // the same headword again: changed in place
        EXPECT_EQ(Lemmas(*ann), (std::vector<std::string>{"apple/0=fruit", "bank/1=money",
                                                          "bank/2=river\nside"}));
        ann->SaveChanges();
    }
    std::string text = ReadBytes(NotesFile());
    EXPECT_NE(text.find("<dicEntry lemma=\"bank\" lemmaOrd=\"2\">river\nside</dicEntry>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<dicEntry lemma=\"apple\">fruit</dicEntry>"), std::string::npos) << text;
    ZelRef<TZelDD6Ex> again = Open();
    EXPECT_EQ(Lemmas(*again),
              (std::vector<std::string>{"apple/0=fruit", "bank/1=money", "bank/2=river\nside"}));
}

TEST_F(TNotes, NotesBecomeFragmentsAndRenderExactly) {
    ZelRef<TZelDD6Ex> ann = Open();
    SetNote(*ann, u"casa", 1, u"a\n{b} \\ <&> \u0141\u00f3d\u017a \u20ac");
    ZelRef<IZelArrayCursor> at = ann->LookupLu(u"casa", u"casa", 1, 0);
    at->SetIndex(0);
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(at);
    EXPECT_EQ(ann->GetEntryXml(*lu), "a<br /><bkb />b<bke /> <bs /> &lt;&amp;&gt; &#321;\xf3"
                                     "d&#378; \x80");
    EXPECT_EQ(ann->GetEntryRtf(*lu, 0), "{\\rtf1\\ansi a\\line \\{b\\} \\\\ <&> \\u321 ?\xf3"
                                        "d\\u378 ? \\u8364 ?}");
}

TEST_F(TNotes, DeletingMovesTheCursorToTheNewLast) {
    ZelRef<TZelDD6Ex> ann = Open();
    SetNote(*ann, u"a", 1, u"1");
    SetNote(*ann, u"b", 1, u"2");
    SetNote(*ann, u"c", 1, u"3");
    ZelRef<IZelArrayCursor> entries = ann->GetEntries();
    ZelRef<IZelDD6ExEntries> edit = ZelQuery<IZelDD6ExEntries>(entries);
    uint32_t changes = edit->GetChangeCount();
    entries->SetIndex(2);
    edit->Delete(2);
    EXPECT_EQ(entries->GetIndex(), 1);
    EXPECT_GT(edit->GetChangeCount(), changes);
    ann->DeleteLu(u"a", 1, 0);
    EXPECT_EQ(Lemmas(*ann), (std::vector<std::string>{"b/1=2"}));
    EXPECT_THROW(ann->DeleteLu(u"zzz", 1, 0), EZelAssertion);
    EXPECT_THROW(ann->DeleteLu(u"b", -1, 0), EZelAssertion);
}

TEST_F(TNotes, SavingKeepsTheOldVersionAsABackup) {
    ZelRef<TZelDD6Ex> ann = Open();
    SetNote(*ann, u"one", 1, u"first");
    ann->SaveChanges();
    SetNote(*ann, u"one", 1, u"second");
    ann->SaveChanges();
    EXPECT_NE(ReadBytes(NotesFile()).find("second"), std::string::npos);
    EXPECT_NE(ReadBytes(NotesFile() + "~").find("first"), std::string::npos);
}

TEST_F(TNotes, AnUnreadableNotesFileIsReportedAndNeverOverwritten) {
    ZelCreateFolders(ZelExtractFileDir(NotesFile()));
    std::string broken = "<?xml version=\"1.0\"?>\n<dicEntries>\n<dicEntry lemma=\"x\">note\n";
    WriteBytes(NotesFile(), broken);
    ZelRef<TZelDD6Ex> ann = Open();
    EXPECT_EQ(ann->GetEntries()->GetCount(), 0);
    ASSERT_EQ(Dialogs->Shown.size(), 1u);
    EXPECT_NE(Dialogs->Shown[0].find(NotesFile() + ": "), std::string::npos) << Dialogs->Shown[0];
    EXPECT_NE(Dialogs->Shown[0].find("line"), std::string::npos) << Dialogs->Shown[0];
    EXPECT_THROW(ann->FindOrAddLu(u"new", 1, 0), EZelError);
    ann->SaveChanges();
    ann.reset();
    EXPECT_EQ(ReadBytes(NotesFile()), broken);
}

TEST_F(TNotes, CommentsAndStrayNodesInAHandEditedFileAreSkipped) {
    ZelCreateFolders(ZelExtractFileDir(NotesFile()));
    WriteBytes(NotesFile(),
               "<?xml version=\"1.0\"?>\n<dicEntries>\n  <!-- mine -->\n"
               "  <dicEntry lemma=\"a\" lemmaOrd=\"x\">one</dicEntry>\n  stray\n"
               "  <dicEntry lemma=\"b\" lemmaOrd=\"3\">two</dicEntry>\n</dicEntries>\n");
    ZelRef<TZelDD6Ex> ann = Open();
    EXPECT_EQ(Lemmas(*ann), (std::vector<std::string>{"a/0=one", "b/3=two"}));
    EXPECT_TRUE(Dialogs->Shown.empty());
}

TEST_F(TNotes, AKilledSaveLeavesTheOldOrTheNewNotes) {
    {
        ZelRef<TZelDD6Ex> ann = Open();
        SetNote(*ann, u"start", 1, u"version 0");
        ann->SaveChanges();
    }
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ZelRef<TZelDD6Ex> ann = Open();
            for (int v = 1;; ++v) {
                // Many notes, so that a save takes long enough to be interrupted.
                for (int n = 0; n < 40; ++n)
                    SetNote(*ann, u"note" + ZelUtf8ToWide(std::to_string(n)), 1,
                            ZelUtf8ToWide("version " + std::to_string(v) + std::string(200, '.')));
                SetNote(*ann, u"start", 1, ZelUtf8ToWide("version " + std::to_string(v)));
                ann->SaveChanges();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        // Whatever moment the kill came at, the file is complete and well-formed.
        ZelRef<TZelDD6Ex> ann = Open();
        ASSERT_TRUE(Dialogs->Shown.empty()) << "round " << round << ": " << Dialogs->Shown[0];
        std::vector<std::string> notes = Lemmas(*ann);
        ASSERT_FALSE(notes.empty());
        bool hasStart = false;
        for (const auto& n : notes)
            hasStart = hasStart || n.rfind("start/1=version ", 0) == 0;
        ASSERT_TRUE(hasStart) << "round " << round;
    }
}
