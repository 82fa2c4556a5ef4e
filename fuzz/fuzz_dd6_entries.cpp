// Opens a dictionary whose headword and entry files come from the input and uses it as the
// program does: every headword read, searched and looked up, entries rendered. Any input
// must give results or clean errors.
#include "FuzzTempFolder.h"
#include "ZelDD6.h"
#include "ZelFiles.h"
#include "ZelMemBlocksWriter.h"
#include "ZelNVDics.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& Folder() {
    static std::string folder = [] {
        std::string f = FuzzTempFolder("norvel-fuzz-dd6");
        ZelWriteFileAtomic(f + "/d.dd6", "LuStyle=1\r\nSLWCL=00009\r\nName=Fuzz\r\n");
        ZelWriteFileAtomic(f + "/d_rtf_00.xsl",
                           "<xsl:stylesheet version=\"1.0\" "
                           "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                           "<xsl:output method=\"text\"/><xsl:template match=\"/\">"
                           "{\\rtf1 <xsl:value-of select=\".\"/>}</xsl:template></xsl:stylesheet>");
        ZelWriteFileAtomic(f + "/d_abbr.kv0", "a.=one\r\nfig.=figure\r\n");
        return f;
    }();
    return folder;
}

// Records separated by 0xFF bytes.
void Structured(std::string_view input, TZelMemBlocksWriter& writer) {
    size_t start = 0;
    for (size_t i = 0; i <= input.size(); ++i)
        if (i == input.size() || uint8_t(input[i]) == 0xFF) {
            writer.Add(input.substr(start, i - start));
            start = i + 1;
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view first = input.substr(0, input.size() / 2);
    std::string_view second = input.substr(input.size() / 2);
    const std::string& folder = Folder();
    if (data[0] & 1) {
        ZelWriteFileAtomic(folder + "/d0009_lu.ddata", first);
        ZelWriteFileAtomic(folder + "/d0009_le.ddata", second);
    } else {
        TZelMemBlocksWriter lu, le;
        Structured(first, lu);
        Structured(second, le);
        while (le.GetCount() < lu.GetCount())
            le.Add("<x>entry</x>");
        lu.WriteFile(folder + "/d0009_lu.ddata");
        le.WriteFile(folder + "/d0009_le.ddata");
    }
    try {
        ZelRef<TZelDD6Master> master =
            ZelMake<TZelDD6Master>("DD6KNV1", folder + "/", folder + "/", folder + "/d.dd6");
        ZelRef<TZelDD6> dic = ZelMakeDicNV(master, 9, 9);
        ZelRef<IZelArrayCursor> entries = dic->GetEntries();
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
        for (int32_t i = 0; i < entries->GetCount() && i < 64; ++i) {
            try {
                entries->SetIndex(i);
                std::u16string text = lu->GetWideText();
                lu->GetOrdinal();
                lu->GetText();
                if (i < 4)
                    dic->GetEntryRtf(*lu, 0);
                if (!text.empty()) {
                    int32_t index = 0;
                    dic->FindLu(*entries, *ZelMake<TZelLu>(dic, text, -1, 0), index);
                    dic->LookupLu(text, text, -1, 0);
                }
            } catch (const EZelError&) {
            }
        }
    } catch (const EZelError&) {
    }
    return 0;
}
