// The DD6 compiler: output, its safety (nothing outside the output folder, nothing of the
// user's removed, a failed compile changing nothing) and the source's errors.
#include "ZelDD6Compiler.h"
#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelMemBlocks.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

// A folder with a source's stylesheets; Source writes a source of the given entries and
// query fields into it.
struct TSourceFolder {
    TTempDir Dir;
    TSourceFolder() {
        WriteBytes(Dir.File("v.xsl"), ReadBytes(TestData("dd6/nvmini_view.xsl")));
        WriteBytes(Dir.File("nvmini_common.xsl"), ReadBytes(TestData("dd6/nvmini_common.xsl")));
    }
    std::string Source(const std::string& body, const std::string& file = "t",
                       const std::string& doctype = "") {
        std::string path = Dir.File("src.xml");
        WriteBytes(path, "<?xml version=\"1.0\"?>\n" + doctype + "<dd6 file=\"" + file +
                             "\">\n<view stylesheet=\"v.xsl\"/>\n<resource "
                             "file=\"nvmini_common.xsl\"/>\n" +
                             body + "\n</dd6>\n");
        return path;
    }
    std::string Out() const { return Dir.File("out"); }
};

const char* const TwoLanguages = "<language code=\"en\"><entry headword=\"a\"><hw>a</hw></entry>"
                                 "</language><language code=\"it\"><entry headword=\"b\">"
                                 "<hw>b</hw></entry></language>";

} // namespace

TEST(DD6Compiler, OutputIsDeterministicAndComplete) {
    TTempDir first, second;
    std::string a = CompileDD6Fixture(first, "nvmini.xml");
    std::string b = CompileDD6Fixture(second, "nvmini.xml");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(first.Path() / "out"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "nvmini.dd6", "nvmini0009_audio.ddata", "nvmini0009_le.ddata",
                         "nvmini0009_lu.ddata", "nvmini0009_search.kv0", "nvmini0009_sei.ddata",
                         "nvmini0009_vo_00.kv0", "nvmini0009_wi01.ddata", "nvmini0009_wl01.ddata",
                         "nvmini0010_le.ddata", "nvmini0010_lu.ddata", "nvmini0010_vo_00.kv0",
                         "nvmini_abbr.kv0", "nvmini_common.xsl", "nvmini_rtf_00.xsl"}));
    for (const auto& name : names)
        EXPECT_EQ(ReadBytes((first.Path() / "out" / name).string()),
                  ReadBytes((second.Path() / "out" / name).string()))
            << name;
    EXPECT_EQ(ReadBytes(first.File("out/nvmini_abbr.kv0")),
              "Fig=never longest\r\nFig.=figure\r\nfig.=figurative\r\nn.=noun\r\n");
    EXPECT_EQ(ReadBytes(first.File("out/nvmini.dd6")),
              "Name=Mini Norvel\r\nCodePage=1252\r\nLuStyle=1\r\nLuSorted=True\r\n"
              "Monolingual=0\r\nViewCount=1\r\nSLWCL=0000900016\r\nTLWCL=\r\n");
}

// The compiler removes only the files it writes itself, by exact name: a user's files
// beside a dictionary named "t" stay, an earlier build's file the new one no longer writes
// goes.
TEST(DD6Compiler, RemovesOnlyItsOwnEarlierOutput) {
    TSourceFolder folder;
    ZelCompileDD6(folder.Source(TwoLanguages), folder.Out());
    for (const char* mine : {"test-results.txt", "tasks.md", "t0009_notes.txt", "t.dd6~"})
        WriteBytes(folder.Out() + "/" + mine, "mine");
    ZelCompileDD6(folder.Source("<language code=\"en\"><entry headword=\"a\"><hw>a</hw></entry>"
                                "</language>"),
                  folder.Out());
    for (const char* mine : {"test-results.txt", "tasks.md", "t0009_notes.txt", "t.dd6~"})
        EXPECT_EQ(ReadBytes(folder.Out() + "/" + mine), "mine") << mine;
    EXPECT_TRUE(ZelFileExists(folder.Out() + "/t0009_lu.ddata"));
    EXPECT_FALSE(ZelFileExists(folder.Out() + "/t0010_lu.ddata"));
    EXPECT_FALSE(ZelFileExists(folder.Out() + "/t0010_le.ddata"));
}

// Names of output files are plain file names: a source cannot write outside the output
// folder; the error names the source line.
TEST(DD6Compiler, OutputNamesStayInTheOutputFolder) {
    TSourceFolder folder;
    std::string src = folder.Source(TwoLanguages, "../victim/t");
    EXPECT_THROW_MSG(ZelCompileDD6(src, folder.Out()), EZelError,
                     src + ":2: <dd6> file: \"../victim/t\" is not a plain file name (an output "
                           "file stays in the output folder)");
    src = folder.Source("<resource file=\"../x.xsl\"/>" + std::string(TwoLanguages));
    EXPECT_THROW_MSG(ZelCompileDD6(src, folder.Out()), EZelError,
                     src + ":5: <resource> file: \"../x.xsl\" is not a plain file name (an "
                           "output file stays in the output folder)");
    EXPECT_FALSE(ZelDirectoryExists(folder.Dir.File("victim")));
}

// A compile that fails (here: a pattern of a query field's value that is not valid) leaves
// the earlier build as it was, and nothing of its own.
TEST(DD6Compiler, AFailedCompileLeavesThePreviousBuildWorking) {
    TSourceFolder folder;
    std::string description =
        ZelCompileDD6(folder.Source(TwoLanguages), folder.Out()).DescriptionPath;
    std::vector<std::string> before = ZelListFolder(folder.Out());
    std::string headwords = ReadBytes(folder.Out() + "/t0009_lu.ddata");
    std::string bad = "<language code=\"en\"><search>[Fields]\nCount=1\n[Info_1]\nName=Kind\n"
                      "Kind=C\nFields=k\n[Values_1]\nBroken=([\n</search>"
                      "<entry headword=\"z\"><k>x</k></entry></language>";
    EXPECT_THROW(ZelCompileDD6(folder.Source(bad), folder.Out()), EZelError);
    EXPECT_EQ(ZelListFolder(folder.Out()), before);
    EXPECT_EQ(ReadBytes(folder.Out() + "/t0009_lu.ddata"), headwords);
    ZelRef<TZelDD6> dic = ZelMake<TZelDD6>(
        ZelMake<TZelDD6Master>("DD6KNV1", folder.Out() + "/", folder.Out() + "/", description), 9,
        16);
    EXPECT_EQ(Headwords(*dic), (std::vector<std::string>{"a/1"}));
}

// Numbers of a source are read strictly, and entities declared in the source itself are
// expanded (an external one is refused, never compiled into a truncated entry).
TEST(DD6Compiler, NumbersAndEntitiesOfTheSource) {
    TSourceFolder folder;
    for (const char* ordinal : {"256", "-1", "x"}) {
        std::string src = folder.Source(std::string("<language code=\"en\"><entry headword=\"a\" "
                                                    "ordinal=\"") +
                                        ordinal + "\"><hw>a</hw></entry></language>");
        EXPECT_THROW_MSG(ZelCompileDD6(src, folder.Out()), EZelError,
                         src +
                             ":5: entry 1 (\"a\"): ordinal must be a whole number from 0 to "
                             "255, not \"" +
                             ordinal + "\"");
    }
    std::string src = folder.Source("<language code=\"en\"><entry headword=\"a\"><hw>&me;"
                                    "</hw></entry></language>",
                                    "t", "<!DOCTYPE dd6 [<!ENTITY me \"Ann &amp; Bob\">]>\n");
    ZelCompileDD6(src, folder.Out());
    ZelRef<IZelMemBlocks> entries = ZelOpenMemBlocksFile(folder.Out() + "/t0009_le.ddata");
    EXPECT_EQ(entries->GetBlockString(0), "<hw>Ann &amp; Bob</hw>");
    WriteBytes(folder.Dir.File("secret.txt"), "secret");
    src = folder.Source(
        "<language code=\"en\"><entry headword=\"a\"><hw>&ext;</hw></entry>"
        "</language>",
        "t2", "<!DOCTYPE dd6 [<!ENTITY ext SYSTEM \"" + folder.Dir.File("secret.txt") + "\">]>\n");
    EXPECT_THROW(ZelCompileDD6(src, folder.Out()), EZelError);
    EXPECT_FALSE(ZelFileExists(folder.Out() + "/t2.dd6"));
}

TEST(DD6Compiler, RejectsWhatTheCodePageCannotHold) {
    TTempDir dir;
    std::string source = dir.File("bad.xml");
    std::string xsl = ReadBytes(TestData("dd6/nvmini_view.xsl"));
    WriteBytes(dir.File("v.xsl"), xsl);
    WriteBytes(dir.File("nvmini_common.xsl"), ReadBytes(TestData("dd6/nvmini_common.xsl")));
    WriteBytes(source, "<dd6 file=\"bad\"><view stylesheet=\"v.xsl\"/>"
                       "<resource file=\"nvmini_common.xsl\"/><language code=\"en\">"
                       "<entry headword=\"ok\"><hw>\u0141\u00f3d\u017a</hw></entry>"
                       "<entry headword=\"\u0141\u00f3d\u017a\"><hw>x</hw></entry>"
                       "</language></dd6>");
    try {
        ZelCompileDD6(source, dir.File("out"));
        FAIL();
    } catch (const EZelError& e) {
        EXPECT_EQ(std::string(e.what()),
                  source + ": language EN: entry 2 (\"\u0141\u00f3d\u017a\"): the character U+0141 "
                           "\"\u0141\" cannot be written in code page 1252");
    }
    // In entry texts such characters are kept as character references.
    WriteBytes(source, "<dd6 file=\"bad\"><view stylesheet=\"v.xsl\"/>"
                       "<resource file=\"nvmini_common.xsl\"/><language code=\"en\">"
                       "<entry headword=\"ok\"><hw>\u0141\u00f3d\u017a</hw></entry>"
                       "</language></dd6>");
    ZelCompileDD6(source, dir.File("out"));
    ZelRef<IZelMemBlocks> entries = ZelOpenMemBlocksFile(dir.File("out/bad0009_le.ddata"));
    EXPECT_EQ(entries->GetBlockString(0), "<hw>&#321;\xf3"
                                          "d&#378;</hw>");

    WriteBytes(source,
               "<dd6><view stylesheet=\"v.xsl\"/><language code=\"en\"><entry/></language>");
    EXPECT_THROW(ZelCompileDD6(source, dir.File("out")), EZelError);
    WriteBytes(source, "<dd6><view stylesheet=\"v.xsl\"/><language code=\"xx-nowhere\"/></dd6>");
    EXPECT_THROW(ZelCompileDD6(source, dir.File("out")), EZelError);
}
