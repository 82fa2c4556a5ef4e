// Renders an entry the way a dictionary view does, with both the view's stylesheet and the
// entry's XML taken from the input (split at the first 0xFF byte), and inserts the result
// into the rich-text control through its Qt sink. Any stylesheet or entry must give a page
// or a clean error: no crash, no hang, and the control holds exactly the characters the
// reader counted.
#include "FuzzQt.h"
#include "FuzzTempFolder.h"
#include "ZelDD6.h"
#include "ZelDD6Compiler.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelMemBlocksWriter.h"
#include "ZelNVDics.h"
#include "ZelRichEdit.h"
#include "ZelRtfReader.h"

#include <string>

namespace {

TZelRichEdit* Page;
std::string Folder;

// A dictionary of one entry, compiled by the kit; each input replaces its view's
// stylesheet and its entry.
void CompileDictionary() {
    std::string source = FuzzTempFolder("norvel-fuzz-page-source");
    ZelWriteFileAtomic(source + "/view.xsl",
                       "<xsl:stylesheet version=\"1.0\" "
                       "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                       "<xsl:output method=\"text\"/><xsl:template match=\"/\">"
                       "{\\rtf1 <xsl:value-of select=\".\"/>}</xsl:template></xsl:stylesheet>");
    ZelWriteFileAtomic(source + "/f.xml",
                       "<?xml version=\"1.0\"?><dd6 file=\"f\"><view stylesheet=\"view.xsl\">"
                       "<option caption=\"Examples\" checked=\"true\" element=\"ex\"/></view>"
                       "<abbreviations><abbr short=\"n.\" long=\"noun\"/></abbreviations>"
                       "<language code=\"en\"><entry headword=\"bank\"><hw>bank</hw>"
                       "</entry></language></dd6>");
    Folder = FuzzTempFolder("norvel-fuzz-page");
    ZelCompileDD6(source + "/f.xml", Folder);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzQtApplication(argc, argv);
    Page = new TZelRichEdit;
    CompileDictionary();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\xFF');
    std::string_view stylesheet = input.substr(0, split);
    std::string_view entry = split == std::string_view::npos ? "" : input.substr(split + 1);
    ZelWriteFileAtomic(Folder + "/f_rtf_00.xsl", stylesheet);
    TZelMemBlocksWriter entries;
    entries.Add(entry);
    entries.WriteFile(Folder + "/f0009_le.ddata");
    std::string rtf;
    try {
        ZelRef<TZelDD6Master> master =
            ZelMake<TZelDD6Master>("DD6F", Folder + "/", Folder + "/", Folder + "/f.dd6");
        ZelRef<TZelDD6> dic = ZelMakeDicNV(master, 9, 9);
        ZelRef<IZelArrayCursor> cursor = dic->GetEntries();
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(cursor);
        cursor->SetIndex(0);
        rtf = dic->GetEntryRtf(*lu, 0);
    } catch (const EZelAssertion&) {
        throw;
    } catch (const EZelError&) {
        return 0; // a clean error, shown in the view instead of the entry
    }
    TZelRtfCounter counter;
    ZelReadRtf(rtf, 1252, counter);
    Page->Clear();
    int inserted =
        Page->InsertRtf(rtf, 1252, [](const std::string&, const std::vector<std::string>&, int) {});
    Check(inserted == counter.Count);
    Check(Page->CharacterCount() == inserted);
    return 0;
}
