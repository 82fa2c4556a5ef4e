#include "ZelXML.h"
#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

ZelRef<IZelXmlDOM> Load(std::string_view text, bool preserveSpace = true) {
    ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
    std::string bytes(text);
    TZelBufferStream stream(bytes.data(), int64_t(bytes.size()));
    dom->LoadFromStream(stream, preserveSpace);
    return dom;
}

ZelRef<IZelXmlDOM> LoadUtf16(const std::u16string& text) {
    std::u16string withBom = u"\uFEFF" + text;
    ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
    TZelBufferStream stream(withBom.data(), int64_t(withBom.size() * 2));
    dom->LoadFromStream(stream, true);
    return dom;
}

std::vector<std::u16string> Texts(IZelXmlDOM& dom, const std::u16string& xpath) {
    auto texts = dom.SelectTexts(xpath);
    return texts ? *texts : std::vector<std::u16string>{u"<none>"};
}

ZelRef<IZelXslProcessor> Processor(const TTempDir& dir, const std::string& body,
                                   const char* name = "view_rtf_00.xsl") {
    std::string path = dir.File(name);
    WriteBytes(path, "<?xml version=\"1.0\"?>\n"
                     "<xsl:stylesheet version=\"1.0\" "
                     "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" "
                     "xmlns:exsl=\"http://exslt.org/common\" extension-element-prefixes=\"exsl\">\n"
                     "<xsl:output method=\"text\"/>\n" +
                         body + "\n</xsl:stylesheet>\n");
    ZelRef<IZelXslProcessor> processor = CoXml().CreateXslProcessor();
    processor->SetStyleURL(path);
    return processor;
}

} // namespace

TEST(Xml, SelectTextsAndHasNode) {
    ZelRef<IZelXmlDOM> dom = Load("<body><view-options><bold-checked/></view-options>"
                                  "<e><h>casa</h><t>house</t><t>home</t></e></body>");
    EXPECT_EQ(Texts(*dom, u"e/t/text()"), (std::vector<std::u16string>{u"house", u"home"}));
    EXPECT_EQ(Texts(*dom, u"e/t"), (std::vector<std::u16string>{})); // elements only
    EXPECT_EQ(Texts(*dom, u"e/x/text()"), (std::vector<std::u16string>{u"<none>"}));
    EXPECT_TRUE(dom->HasNode(u"view-options/bold-checked"));
    EXPECT_FALSE(dom->HasNode(u"view-options/italic-checked"));
    EXPECT_FALSE(dom->HasNode(u""));
    EXPECT_FALSE(dom->HasNode(u"e/[[["));
    EXPECT_EQ(Texts(*dom, u"e/[[["), (std::vector<std::u16string>{u"<none>"}));
}

TEST(Xml, EncodingsFromTheMarkOrTheDeclaration) {
    ZelRef<IZelXmlDOM> utf16 = LoadUtf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                         u"<body><t>città – €</t></body>");
    EXPECT_EQ(Texts(*utf16, u"t/text()"), (std::vector<std::u16string>{u"città – €"}));
    ZelRef<IZelXmlDOM> latin1 =
        Load("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><body><t>citt\xe0</t></body>");
    EXPECT_EQ(Texts(*latin1, u"t/text()"), (std::vector<std::u16string>{u"città"}));
    ZelRef<IZelXmlDOM> cp1252 =
        Load("<?xml version=\"1.0\" encoding=\"windows-1252\"?><body><t>\x96\x80</t></body>");
    EXPECT_EQ(Texts(*cp1252, u"t/text()"), (std::vector<std::u16string>{u"–€"}));
}

TEST(Xml, WhitespaceOnlyTextFollowsThePolicy) {
    const char* text = "<body>\n  <a> </a>\n  <b xml:space=\"preserve\"> </b></body>";
    EXPECT_EQ(Texts(*Load(text, true), u"a/text()"), (std::vector<std::u16string>{u" "}));
    EXPECT_EQ(Texts(*Load(text, false), u"a/text()"), (std::vector<std::u16string>{u"<none>"}));
    EXPECT_EQ(Texts(*Load(text, false), u"b/text()"), (std::vector<std::u16string>{u" "}));
}

TEST(Xml, BadDocumentsRaiseTheLibraryMessageWithTheLine) {
    try {
        Load("<body>\n<a>\n</b></body>");
        FAIL();
    } catch (const EZelXmlError& e) {
        std::string message = e.what();
        EXPECT_NE(message.find("line 3"), std::string::npos) << message;
        EXPECT_NE(message.find("mismatch"), std::string::npos) << message;
    }
    EXPECT_THROW(Load(""), EZelXmlError);
}

TEST(Xml, SaveWritesUtf8) {
    ZelRef<IZelXmlDOM> dom = LoadUtf16(u"<body><t>città</t></body>");
    std::string buffer(200, '\0');
    TZelBufferStream stream(buffer.data(), int64_t(buffer.size()));
    EXPECT_TRUE(dom->SaveToStream(stream));
    buffer.resize(size_t(stream.GetPosition()));
    EXPECT_NE(buffer.find("<t>citt\xc3\xa0</t>"), std::string::npos) << buffer;
}

TEST(Xml, ExternalEntitiesAndDtdsAreNeverRead) {
    TTempDir dir;
    std::string secret = dir.File("secret.txt");
    WriteBytes(secret, "TOP SECRET");
    std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE body [<!ENTITY x SYSTEM \"file://" +
                      secret + "\">]>\n<body><t>&x;</t></body>";
    try {
        ZelRef<IZelXmlDOM> dom = Load(doc);
        auto texts = dom->SelectTexts(u"//text()");
        if (texts) {
            for (const auto& t : *texts)
                EXPECT_EQ(t.find(u"SECRET"), std::u16string::npos);
        }
    } catch (const EZelXmlError&) {
    }
    std::u16string seen;
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    parser->SetOnCharData([&](const std::u16string& t) { seen += t; });
    parser->Parse(doc);
    EXPECT_EQ(seen.find(u"SECRET"), std::u16string::npos);
    std::string dtd = "<!DOCTYPE body SYSTEM \"file://" + secret + "\"><body>x</body>";
    EXPECT_EQ(Texts(*Load(dtd), u"text()"), (std::vector<std::u16string>{u"x"}));
}

TEST(Xml, EntityExpansionBombsAreRefused) {
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">";
    std::string previous = "lol";
    for (int i = 1; i <= 9; ++i) {
        std::string name = "lol" + std::to_string(i);
        bomb += "<!ENTITY " + name + " \"";
        for (int k = 0; k < 10; ++k)
            bomb += "&" + previous + ";";
        bomb += "\">";
        previous = name;
    }
    bomb += "]><body>&" + previous + ";</body>";
    auto start = std::chrono::steady_clock::now();
    size_t total = 0;
    try {
        ZelRef<IZelXmlDOM> dom = Load(bomb);
        if (auto texts = dom->SelectTexts(u"//text()"))
            for (const auto& t : *texts)
                total += t.size();
    } catch (const EZelXmlError&) {
    }
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    parser->SetOnCharData([&](const std::u16string& t) { total += t.size(); });
    parser->Parse(bomb);
    EXPECT_LT(total, 100000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Entities declared in the document itself are delivered expanded, in text and in
// attribute values; the events go on past them to the end of the document.
TEST(Xml, ParserExpandsTheDocumentsOwnEntities) {
    std::u16string text, attribute;
    int notes = 0;
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    parser->SetOnCharData([&](const std::u16string& t) { text += t; });
    parser->SetOnAttribute([&](const std::u16string&, const std::u16string& v) { attribute += v; });
    parser->SetOnEndElement([&](const std::u16string& n) { notes += n == u"n" ? 1 : 0; });
    parser->Parse("<?xml version=\"1.0\"?>\n<!DOCTYPE d [<!ENTITY me \"Ann &amp; Bob\">"
                  "<!ENTITY two \"&me;&me;\">]>\n<d><n a=\"by &me;\">x &two; y</n><n>last</n></d>");
    EXPECT_EQ(text, u"x Ann & BobAnn & Bob ylast");
    EXPECT_EQ(attribute, u"by Ann & Bob");
    EXPECT_EQ(notes, 2);
}

TEST(Xml, ParserReportsAttributesBeforeTheirElement) {
    std::vector<std::u16string> events;
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    parser->SetOnAttribute([&](const std::u16string& n, const std::u16string& v) {
        events.push_back(u"attr " + n + u"=" + v);
    });
    parser->SetOnStartElement([&](const std::u16string& n) { events.push_back(u"start " + n); });
    parser->SetOnCharData([&](const std::u16string& t) { events.push_back(u"text " + t); });
    parser->SetOnEndElement([&](const std::u16string& n) { events.push_back(u"end " + n); });
    parser->Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                  "<a x=\"1 &amp; &#38; &lt;\" y=\"citt\xe0\">t &amp; &#233;<b/></a>");
    std::u16string all;
    for (const auto& e : events)
        all += e + u"|";
    EXPECT_EQ(all, u"attr x=1 & & <|attr y=città|start a|text t |text &|text  |text é|start b|"
                   u"end b|end a|");

    // Without callbacks nothing is reported; a cut-off document gives its leading events.
    parser->SetOnAttribute(nullptr);
    parser->SetOnCharData(nullptr);
    events.clear();
    parser->Parse("<a x=\"1\"><b>text</b><c>cut off");
    std::u16string cut;
    for (const auto& e : events)
        cut += e + u"|";
    EXPECT_EQ(cut, u"start a|start b|end b|start c|");
}

TEST(Xml, CallbackExceptionsPassOutOfTheParser) {
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    int ends = 0;
    parser->SetOnStartElement([](const std::u16string& n) {
        if (n == u"stop")
            throw EZelError("stop requested");
    });
    parser->SetOnEndElement([&](const std::u16string&) { ++ends; });
    EXPECT_THROW_MSG(parser->Parse("<a><b/><stop/><c/></a>"), EZelError, "stop requested");
    EXPECT_EQ(ends, 1);
    parser->Parse("<a/>"); // the parser is usable again
    EXPECT_EQ(ends, 2);
}

TEST(Xsl, ParametersAreStringsWhateverQuotesTheyHold) {
    TTempDir dir;
    ZelRef<IZelXslProcessor> xsl =
        Processor(dir, "<xsl:param name=\"dicPath\"/><xsl:param name=\"sl\"/>"
                       "<xsl:template match=\"/\">[<xsl:value-of select=\"$dicPath\"/>]"
                       "[<xsl:value-of select=\"$sl\"/>]<xsl:value-of select=\"body/t\"/>"
                       "</xsl:template>");
    ZelRef<IZelXmlDOM> dom = Load("<body><t>entry</t></body>");
    xsl->SetParameter(u"dicPath", u"/dics/it's \"quoted\"/");
    xsl->SetParameter(u"sl", u"9");
    xsl->SetParameter(u"sl", u"16");
    EXPECT_EQ(xsl->Transform(*dom), u"[/dics/it's \"quoted\"/][16]entry");
    EXPECT_EQ(xsl->GetParameter(u"sl"), u"16");
    // Parameters stay for the next transformation.
    EXPECT_EQ(xsl->Transform(*Load("<body><t>again</t></body>")),
              u"[/dics/it's \"quoted\"/][16]again");
    EXPECT_EQ(xsl->GetStyleURL(), dir.File("view_rtf_00.xsl"));
}

TEST(Xsl, ResultIsTheTextOfTheResultTree) {
    TTempDir dir;
    ZelRef<IZelXslProcessor> xsl =
        Processor(dir,
                  "<xsl:output method=\"xml\"/><xsl:template match=\"/\"><r>{\\b <x>casa</x>}</r>"
                  "<xsl:text>&#x2013;</xsl:text></xsl:template>",
                  "markup.xsl");
    EXPECT_EQ(xsl->Transform(*Load("<body/>")), u"{\\b casa}\u2013");
    ZelRef<IZelXslProcessor> empty =
        Processor(dir, "<xsl:template match=\"/\"><r/></xsl:template>", "empty.xsl");
    EXPECT_EQ(empty->Transform(*Load("<body/>")), u"");
}

TEST(Xsl, BadStylesheetsFailWhenLoaded) {
    TTempDir dir;
    ZelRef<IZelXslProcessor> xsl =
        Processor(dir, "<xsl:template match=\"/\">ok</xsl:template>", "good.xsl");
    std::string bad = dir.File("bad.xsl");
    WriteBytes(bad, "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/"
                    "Transform\"><xsl:template match=\"/\"><xsl:value-of select=\"[[[\"/>"
                    "</xsl:template>"
                    "</xsl:stylesheet>");
    EXPECT_THROW(xsl->SetStyleURL(bad), EZelXmlError);
    EXPECT_EQ(xsl->GetStyleURL(), dir.File("good.xsl"));
    EXPECT_THROW(xsl->Transform(*Load("<body/>")), EZelXmlError); // no stylesheet now
    WriteBytes(bad, "<xsl:stylesheet version=\"1.0\"");
    EXPECT_THROW(xsl->SetStyleURL(bad), EZelXmlError);
    EXPECT_THROW(xsl->SetStyleURL(dir.File("missing.xsl")), EZelXmlError);
}

TEST(Xsl, ForeignDocumentsAreNotSupported) {
    TTempDir dir;
    class TForeign : public TZelInterfacedObject, public virtual IZelXmlDOM {
    public:
        void LoadFromStream(TZelStream&, bool) override {}
        std::unique_ptr<std::vector<std::u16string>> SelectTexts(const std::u16string&) override {
            return nullptr;
        }
        bool HasNode(const std::u16string&) override { return false; }
        bool SaveToStream(TZelStream&) override { return true; }
    };
    ZelRef<IZelXslProcessor> xsl = Processor(dir, "<xsl:template match=\"/\">ok</xsl:template>");
    TForeign foreign;
    foreign.AddRef();
    EXPECT_THROW_MSG(xsl->Transform(foreign), EZelError, "Interface not supported");
}

TEST(Xsl, StylesheetsCannotWriteFilesOrReachTheNetwork) {
    TTempDir dir;
    TTempDir elsewhere;
    std::string target = elsewhere.File("written.txt");
    ZelRef<IZelXslProcessor> writer =
        Processor(dir,
                  "<xsl:template match=\"/\"><exsl:document href=\"" + target +
                      "\" method=\"text\">pwned</exsl:document>done</xsl:template>",
                  "writer.xsl");
    EXPECT_THROW(writer->Transform(*Load("<body/>")), EZelXmlError);
    EXPECT_FALSE(ZelFileExists(target));

    ZelRef<IZelXslProcessor> network = Processor(
        dir,
        "<xsl:template match=\"/\"><xsl:value-of select=\"document('http://127.0.0.1:9/x.xml')\"/>"
        "</xsl:template>",
        "network.xsl");
    std::u16string result;
    try {
        result = network->Transform(*Load("<body/>"));
    } catch (const EZelXmlError&) {
    }
    EXPECT_EQ(result, u"");

    // Files beside the stylesheet may be read; files elsewhere may not.
    WriteBytes(dir.File("abbr.xml"), "<a>beside</a>");
    WriteBytes(elsewhere.File("other.xml"), "<a>elsewhere</a>");
    ZelRef<IZelXslProcessor> reader =
        Processor(dir,
                  "<xsl:template match=\"/\"><xsl:value-of select=\"document('abbr.xml')\"/>|"
                  "<xsl:value-of select=\"document('" +
                      elsewhere.File("other.xml") +
                      "')\"/>"
                      "</xsl:template>",
                  "reader.xsl");
    try {
        EXPECT_EQ(reader->Transform(*Load("<body/>")), u"beside|");
    } catch (const EZelXmlError& e) {
        EXPECT_NE(std::string(e.what()).find("may not read"), std::string::npos) << e.what();
    }
}

// A hostile stylesheet (endless or exponential recursion, a huge result) ends with an error
// in reasonable time instead of running for minutes or filling memory.
TEST(Xsl, RunawayStylesheetsStopWithAnError) {
    TTempDir dir;
    auto start = std::chrono::steady_clock::now();
    ZelRef<IZelXslProcessor> endless =
        Processor(dir,
                  "<xsl:template match=\"/\"><xsl:call-template name=\"r\"/></xsl:template>"
                  "<xsl:template name=\"r\">x<xsl:call-template name=\"r\"/></xsl:template>",
                  "endless.xsl");
    EXPECT_THROW(endless->Transform(*Load("<body/>")), EZelXmlError);
    ZelRef<IZelXslProcessor> doubling = Processor(
        dir,
        "<xsl:template match=\"/\"><xsl:call-template name=\"r\"><xsl:with-param name=\"n\" "
        "select=\"26\"/></xsl:call-template></xsl:template>"
        "<xsl:template name=\"r\"><xsl:param name=\"n\"/><xsl:choose><xsl:when test=\"$n = 0\">"
        "x</xsl:when><xsl:otherwise><xsl:call-template name=\"r\"><xsl:with-param name=\"n\" "
        "select=\"$n - 1\"/></xsl:call-template><xsl:call-template name=\"r\"><xsl:with-param "
        "name=\"n\" select=\"$n - 1\"/></xsl:call-template></xsl:otherwise></xsl:choose>"
        "</xsl:template>",
        "doubling.xsl");
    EXPECT_THROW(doubling->Transform(*Load("<body/>")), EZelXmlError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}
