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

// A character outside the Basic Multilingual Plane is one reference in the entry, so the
// note renders; a file written with the broken form (one reference per UTF-16 unit) is read
// back and mended at the next save.
TEST_F(TNotes, CharactersBeyondTheBasicPlaneRenderAndBrokenFilesAreMended) {
    {
        ZelRef<TZelDD6Ex> ann = Open();
        SetNote(*ann, u"bank", 1, u"smile \U0001F600!");
        ZelRef<IZelArrayCursor> at = ann->LookupLu(u"bank", u"bank", 1, 0);
        at->SetIndex(0);
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(at);
        EXPECT_EQ(ann->GetEntryXml(*lu), "smile &#128512;!");
        EXPECT_EQ(ann->GetEntryRtf(*lu, 0), "{\\rtf1\\ansi smile \\u55357 ?\\u56832 ?!}");
    }
    WriteBytes(NotesFile(), "<?xml version=\"1.0\"?>\n<dicEntries>\n"
                            "  <dicEntry lemma=\"a&#xD83D;&#xDE00;\">x&#55357;&#56832;y&#55357;z"
                            "</dicEntry>\n</dicEntries>\n");
    {
        ZelRef<TZelDD6Ex> ann = Open();
        EXPECT_EQ(Lemmas(*ann), (std::vector<std::string>{"a\U0001F600/0=x\U0001F600y\uFFFDz"}));
        EXPECT_TRUE(Dialogs->Shown.empty());
    }
    EXPECT_NE(ReadBytes(NotesFile()).find("x\U0001F600y\uFFFDz"), std::string::npos)
        << ReadBytes(NotesFile());
}

// A hand-edited file out of order: every note is found, a note added to an existing
// headword changes it instead of making a second one, and the file goes back sorted.
TEST_F(TNotes, AFileOutOfOrderIsSortedWhenRead) {
    ZelCreateFolders(ZelExtractFileDir(NotesFile()));
    WriteBytes(NotesFile(), "<?xml version=\"1.0\"?>\n<dicEntries>\n"
                            "<dicEntry lemma=\"zebra\" lemmaOrd=\"1\">z</dicEntry>\n"
                            "<dicEntry lemma=\"bank\" lemmaOrd=\"2\">second</dicEntry>\n"
                            "<dicEntry lemma=\"apple\" lemmaOrd=\"1\">a1</dicEntry>\n"
                            "<dicEntry lemma=\"bank\" lemmaOrd=\"1\">first</dicEntry>\n"
                            "<dicEntry lemma=\"apple\" lemmaOrd=\"1\">a2</dicEntry>\n"
                            "</dicEntries>\n");
    {
        ZelRef<TZelDD6Ex> ann = Open();
        EXPECT_EQ(Lemmas(*ann),
                  (std::vector<std::string>{"apple/1=a1", "apple/1=a2", "bank/1=first",
                                            "bank/2=second", "zebra/1=z"}));
        ASSERT_TRUE(ann->LookupLu(u"zebra", u"zebra", 1, 0));
        SetNote(*ann, u"zebra", 1, u"changed");
        EXPECT_EQ(ann->GetEntries()->GetCount(), 5);
    }
    std::string text = ReadBytes(NotesFile());
    EXPECT_LT(text.find("a2"), text.find("first")) << text;
    EXPECT_LT(text.find("second"), text.find("changed")) << text;
}

// Eight programs adding notes to one file at once keep every note.
TEST_F(TNotes, ConcurrentWritersLoseNoNote) {
    constexpr int Writers = 8, NotesEach = 50;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int status = 0;
            try {
                // Each writer saves after every note, as the window does.
                ZelRef<TZelDD6Ex> ann = Open();
                for (int n = 0; n < NotesEach; ++n) {
                    std::string lemma = "w" + std::to_string(w) + "n" + std::to_string(n);
                    SetNote(*ann, ZelUtf8ToWide(lemma), 1, u"note");
                    ann->SaveChanges();
                }
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ZelRef<TZelDD6Ex> ann = Open();
    EXPECT_EQ(ann->GetEntries()->GetCount(), Writers * NotesEach);
}

// Two open dictionaries on one file (two windows, or a window and nvlook): each sees what
// the other saved, and their edits merge.
TEST_F(TNotes, TwoHoldersOfOneFileSeeAndKeepEachOthersNotes) {
    ZelRef<TZelDD6Ex> first = Open();
    ZelRef<TZelDD6Ex> second = Open();
    EXPECT_FALSE(second->LookupLu(u"casa", u"casa", -1, 0));
    SetNote(*first, u"casa", 1, u"from the first");
    first->SaveChanges();
    EXPECT_TRUE(second->LookupLu(u"casa", u"casa", -1, 0));
    SetNote(*second, u"cane", 1, u"from the second");
    SetNote(*first, u"gatto", 1, u"first again");
    second->SaveChanges();
    first->SaveChanges();
    EXPECT_EQ(Lemmas(*first),
              (std::vector<std::string>{"cane/1=from the second", "casa/1=from the first",
                                        "gatto/1=first again"}));
}

// Headwords the system code page cannot hold would compare equal to each other ("λόγος"
// and "ψυχής" are both "?????"): they are refused instead of overwriting each other.
TEST_F(TNotes, HeadwordsTheCodePageCannotHoldAreRefused) {
    ZelRef<TZelDD6Ex> ann = Open();
    for (const std::u16string& word : {std::u16string(u"λόγος"), std::u16string(u"Łódź")}) {
        EXPECT_THROW_MSG(ann->FindOrAddLu(word, 1, 0), EZelError,
                         "A note cannot be kept on \"" + ZelWideToUtf8(word) +
                             "\": the headword holds characters the dictionary cannot tell apart");
        EXPECT_THROW(ann->DeleteLu(word, 1, 0), EZelError);
    }
    SetNote(*ann, u"?????", 1, u"question marks");
    EXPECT_FALSE(ann->LookupLu(u"ψυχής", u"ψυχής", -1, 0));
    EXPECT_EQ(Lemmas(*ann), (std::vector<std::string>{"?????"
                                                      "/1=question marks"}));
}

// A notes file that declares entities of its own is read whole and written back whole.
TEST_F(TNotes, EntitiesDeclaredInTheFileAreReadWhole) {
    ZelCreateFolders(ZelExtractFileDir(NotesFile()));
    WriteBytes(NotesFile(),
               "<?xml version=\"1.0\"?>\n<!DOCTYPE dicEntries [<!ENTITY me \"Ann\">]>\n"
               "<dicEntries>\n<dicEntry lemma=\"a\" lemmaOrd=\"1\">by &me; here</dicEntry>\n"
               "<dicEntry lemma=\"b\" lemmaOrd=\"1\">later</dicEntry>\n</dicEntries>\n");
    {
        ZelRef<TZelDD6Ex> ann = Open();
        EXPECT_EQ(Lemmas(*ann), (std::vector<std::string>{"a/1=by Ann here", "b/1=later"}));
        SetNote(*ann, u"c", 1, u"new");
    }
    ZelRef<TZelDD6Ex> again = Open();
    EXPECT_EQ(Lemmas(*again),
              (std::vector<std::string>{"a/1=by Ann here", "b/1=later", "c/1=new"}));
}
