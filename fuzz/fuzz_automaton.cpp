// Loads arbitrary automaton files and uses them: loading gives an automaton or a clean
// error, and what loads can be analysed, counted and enumerated without reading outside it.
#include "FuzzTempFolder.h"
#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelMorphModuleFile.h"

#include <zlib.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& Folder() {
    static std::string folder = [] {
        std::string f = FuzzTempFolder("norvel-fuzz-automaton");
        ZelWriteFileAtomic(f + "/m.dm4", "CodePage=1252\r\n");
        return f;
    }();
    return folder;
}

class TLimited : public IZelMorphEnumCallback {
public:
    bool AcceptInfo(int32_t, int32_t) override { return true; }
    bool Progress(int32_t, int32_t) override { return true; }
    bool WordForm(const std::u16string&) override { return ++Forms < 200; }
    int Forms = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t poolLength = std::min<size_t>(data[0], size - 1);
    bool fixSize = data[1] & 1;
    std::string pool(reinterpret_cast<const char*>(data + 1), poolLength);
    pool += '\0';
    std::string automaton(reinterpret_cast<const char*>(data + 1 + poolLength),
                          size - 1 - poolLength);
    if (fixSize)
        for (int i = 0; i < 4; ++i)
            automaton += char((pool.size() >> (8 * i)) & 0xFF);
    uLongf packedSize = compressBound(uLong(pool.size()));
    std::string packed(packedSize, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
             reinterpret_cast<const Bytef*>(pool.data()), uLong(pool.size()));
    packed.resize(packedSize);
    const std::string& folder = Folder();
    ZelWriteFileAtomic(folder + "/m_auto.kv2", automaton);
    ZelWriteFileAtomic(folder + "/m_data.kv2", packed);
    try {
        ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
        module->SetFileName(ZelUtf8ToWide(folder + "/m.dm4"));
        module->Analyze(u"abc de, f 12");
        module->WordExists(u"ab", 0);
        module->GetWordCount();
        TLimited all, lemma;
        module->EnumWordForms(ZelEnumAllForms, TZelVariant(), all);
        module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"a", 1, u"b", 2}, lemma);
    } catch (const EZelError&) {
    }
    return 0;
}
