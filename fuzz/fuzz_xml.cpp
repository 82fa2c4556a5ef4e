// Walks arbitrary bytes with the XML event parser and loads them as a document: any input
// must give events and a document, or a clean error.
#include "ZelXML.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    size_t events = 0;
    parser->SetOnAttribute(
        [&](const std::u16string& n, const std::u16string& v) { events += n.size() + v.size(); });
    parser->SetOnStartElement([&](const std::u16string& n) { events += n.size(); });
    parser->SetOnCharData([&](const std::u16string& t) { events += t.size(); });
    parser->SetOnEndElement([&](const std::u16string& n) { events += n.size(); });
    parser->Parse(bytes);
    try {
        ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
        TZelBufferStream stream(bytes.data(), int64_t(bytes.size()));
        dom->LoadFromStream(stream, size % 2 == 0);
        dom->HasNode(u"//b");
        dom->SelectTexts(u"a/text()");
    } catch (const EZelXmlError&) {
    }
    return 0;
}
