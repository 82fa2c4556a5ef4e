// Analyses arbitrary UTF-16 text with a fixed automaton (the test lexicon): any text gives
// a reading tree whose spans lie inside it.
#include "FuzzTempFolder.h"
#include "ZelCodePage.h"
#include "ZelDM4Compiler.h"
#include "ZelMorphModuleFile.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

TZelMorphModuleFile& Module() {
    static ZelRef<TZelMorphModuleFile> module = [] {
        std::string folder = FuzzTempFolder("norvel-fuzz-analyze");
        std::string description =
            ZelCompileDM4(std::string(NORVEL_TEST_DATA) + "/dm4/it-mini.tsv", folder, false)
                .DescriptionPath;
        ZelRef<TZelMorphModuleFile> m = ZelMake<TZelMorphModuleFile>();
        m->SetFileName(ZelUtf8ToWide(description));
        return m;
    }();
    return *module;
}

void CheckSpans(IZelMorphInfo& node, size_t length) {
    if (node.GetStart() < 0 || node.GetLength() < 0 ||
        size_t(node.GetStart()) + size_t(node.GetLength()) > length)
        std::abort();
    for (int32_t i = 0; i < node.GetCount(); ++i)
        CheckSpans(*node.GetItem(i), length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    std::u16string visible = text.substr(0, text.find(u'\0'));
    if (ZelRef<IZelMorphInfo> tree = Module().Analyze(text))
        CheckSpans(*tree, visible.size());
    Module().WordExists(visible, 0);
    return 0;
}
