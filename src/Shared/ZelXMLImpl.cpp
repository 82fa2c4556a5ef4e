// The XML/XSL service over libxml2 and libxslt. Nothing else in the program includes their
// headers.
#include "ZelXML.h"

#include "ZelCodePage.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <libexslt/exslt.h>
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/variables.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>

namespace {

// ---------------------------------------------------------------------------------------
// Errors: the libraries report through global handlers; while an operation runs, its
// messages are collected here and turned into one exception.

thread_local std::string* CollectedErrors = nullptr;
// Messages of error level (not warnings) since the capture began.
thread_local int CollectedErrorCount = 0;

void AddError(const std::string& message) {
    if (!CollectedErrors)
        return;
    if (!CollectedErrors->empty())
        *CollectedErrors += "; ";
    *CollectedErrors += message;
}

std::string TrimEnd(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\r'))
        s.pop_back();
    return s;
}

void StructuredErrorHandler(void*, xmlErrorPtr error) {
    if (!error || !error->message)
        return;
    std::string message = TrimEnd(error->message);
    if (error->line > 0)
        message += " (line " + std::to_string(error->line) + ")";
    if (error->level >= XML_ERR_ERROR)
        ++CollectedErrorCount;
    AddError(message);
}

void GenericErrorHandler(void*, const char* format, ...) {
    char buf[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    std::string message = TrimEnd(buf);
    // The libraries announce some messages with a bare "error" or "warning" line first.
    if (!message.empty() && message != "error" && message != "warning")
        AddError(message);
}

class TErrorCapture {
public:
    TErrorCapture() : Previous(CollectedErrors), PreviousCount(CollectedErrorCount) {
        CollectedErrors = &Errors;
        CollectedErrorCount = 0;
    }
    ~TErrorCapture() {
        CollectedErrors = Previous;
        CollectedErrorCount = PreviousCount;
    }
    // Whether a message of error level (not only warnings) came.
    bool HadError() const { return CollectedErrorCount > 0; }
    [[noreturn]] void Raise(const std::string& fallback) const {
        throw EZelXmlError(Errors.empty() ? fallback : Errors);
    }
    const std::string& Text() const { return Errors; }

private:
    std::string Errors;
    std::string* Previous;
    int PreviousCount;
};

// ---------------------------------------------------------------------------------------
// External resources: only files inside the folder of the stylesheet being loaded or
// applied; never the network, never anything while entries are parsed.

thread_local std::string AllowedFolder;
xmlExternalEntityLoader DefaultLoader = nullptr;

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool IsInsideAllowedFolder(const char* url) {
    if (AllowedFolder.empty() || !url)
        return false;
    std::string path = url;
    if (path.compare(0, 7, "file://") == 0)
        path = path.substr(7);
    if (path.find("://") != std::string::npos)
        return false;
    std::string real = RealPath(path);
    return !real.empty() && real.compare(0, AllowedFolder.size(), AllowedFolder) == 0 &&
           (real.size() == AllowedFolder.size() || real[AllowedFolder.size()] == '/');
}

xmlParserInputPtr GuardedLoader(const char* url, const char* id, xmlParserCtxtPtr ctxt) {
    if (!IsInsideAllowedFolder(url)) {
        AddError(ZelFormat(ZelLoadStr(TZelResId::XmlExternalResource), {url ? url : ""}));
        return nullptr;
    }
    return DefaultLoader(url, id, ctxt);
}

int ForbidAccess(xsltSecurityPrefsPtr, xsltTransformContextPtr, const char* value) {
    AddError(ZelFormat(ZelLoadStr(TZelResId::XslMayNotWrite), {value ? value : ""}));
    return 0;
}

int CheckReadFile(xsltSecurityPrefsPtr, xsltTransformContextPtr, const char* value) {
    if (IsInsideAllowedFolder(value))
        return 1;
    AddError(ZelFormat(ZelLoadStr(TZelResId::XslMayNotRead), {value ? value : ""}));
    return 0;
}

xsltSecurityPrefsPtr SecurityPrefs = nullptr;

void InitLibraries() {
    static bool done = [] {
        xmlInitParser();
        exsltRegisterAll();
        xmlSetStructuredErrorFunc(nullptr, StructuredErrorHandler);
        xmlSetGenericErrorFunc(nullptr, GenericErrorHandler);
        xsltSetGenericErrorFunc(nullptr, GenericErrorHandler);
        DefaultLoader = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(GuardedLoader);
        SecurityPrefs = xsltNewSecurityPrefs();
        xsltSetSecurityPrefs(SecurityPrefs, XSLT_SECPREF_WRITE_FILE, ForbidAccess);
        xsltSetSecurityPrefs(SecurityPrefs, XSLT_SECPREF_CREATE_DIRECTORY, ForbidAccess);
        xsltSetSecurityPrefs(SecurityPrefs, XSLT_SECPREF_WRITE_NETWORK, ForbidAccess);
        xsltSetSecurityPrefs(SecurityPrefs, XSLT_SECPREF_READ_NETWORK, ForbidAccess);
        xsltSetSecurityPrefs(SecurityPrefs, XSLT_SECPREF_READ_FILE, CheckReadFile);
        xsltSetDefaultSecurityPrefs(SecurityPrefs);
        return true;
    }();
    (void)done;
}

// Parse options for every document: no network, no DTD, no entity substitution.
constexpr int BaseOptions = XML_PARSE_NONET;

std::u16string Utf16(const xmlChar* text) {
    return text ? ZelUtf8ToWide(reinterpret_cast<const char*>(text)) : std::u16string();
}

std::u16string Utf16(const xmlChar* text, int length) {
    return ZelUtf8ToWide(std::string_view(reinterpret_cast<const char*>(text), size_t(length)));
}

std::string Utf8(const std::u16string& text) {
    return ZelWideToUtf8(text);
}

// ---------------------------------------------------------------------------------------

class IZelXmlDocAccess : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{6E2B3A10-0C55-4B8E-9B1D-2F7A61C5D304}");
    virtual xmlDocPtr GetDocument() = 0;
};

class TZelXmlDOMImpl : public TZelInterfacedObject,
                       public virtual IZelXmlDOM,
                       public virtual IZelXmlDocAccess {
public:
    ~TZelXmlDOMImpl() override { Free(); }

    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelXmlDOM::IID)
            return static_cast<IZelXmlDOM*>(this);
        if (iid == IZelXmlDocAccess::IID)
            return static_cast<IZelXmlDocAccess*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }

    xmlDocPtr GetDocument() override { return Doc; }

    void LoadFromStream(TZelStream& stream, bool preserveSpace) override {
        Free();
        std::string copy;
        const char* data = nullptr;
        int64_t size = 0;
        if (auto* memory = dynamic_cast<TZelMemoryStream*>(&stream)) {
            int64_t pos = memory->GetPosition();
            size = memory->GetSize() - pos;
            data = reinterpret_cast<const char*>(memory->GetMemory()) + (size > 0 ? pos : 0);
        } else {
            copy.resize(size_t(stream.GetSize() - stream.GetPosition()));
            copy.resize(size_t(stream.Read(copy.data(), int64_t(copy.size()))));
            data = copy.data();
            size = int64_t(copy.size());
        }
        if (size <= 0 || size > INT_MAX)
            throw EZelXmlError(ZelLoadStr(TZelResId::XmlDocumentEmpty));
        TErrorCapture errors;
        Doc = xmlReadMemory(data, int(size), nullptr, nullptr, BaseOptions);
        if (!Doc)
            errors.Raise(ZelLoadStr(TZelResId::XmlNotWellFormed));
        if (!preserveSpace)
            DropBlankText(xmlDocGetRootElement(Doc));
    }

    std::unique_ptr<std::vector<std::u16string>> SelectTexts(const std::u16string& xpath) override {
        std::unique_ptr<std::vector<std::u16string>> texts;
        Evaluate(xpath, [&](xmlNodeSetPtr nodes) {
            texts = std::make_unique<std::vector<std::u16string>>();
            for (int i = 0; i < nodes->nodeNr; ++i) {
                xmlNodePtr node = nodes->nodeTab[i];
                if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE)
                    texts->push_back(Utf16(node->content));
            }
        });
        return texts;
    }

    bool HasNode(const std::u16string& xpath) override {
        bool found = false;
        Evaluate(xpath, [&](xmlNodeSetPtr) { found = true; });
        return found;
    }

    bool SaveToStream(TZelStream& stream) override {
        if (!Doc)
            return true;
        xmlChar* buffer = nullptr;
        int size = 0;
        xmlDocDumpFormatMemoryEnc(Doc, &buffer, &size, "UTF-8", 0);
        if (buffer) {
            stream.Write(buffer, size);
            xmlFree(buffer);
        }
        return true;
    }

private:
    static bool IsBlank(const xmlChar* text) {
        for (; text && *text; ++text)
            if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r')
                return false;
        return true;
    }

    // Removes whitespace-only text nodes, except where xml:space="preserve" is in effect.
    static void DropBlankText(xmlNodePtr element) {
        if (!element || xmlNodeGetSpacePreserve(element) == 1)
            return;
        for (xmlNodePtr child = element->children; child;) {
            xmlNodePtr next = child->next;
            if (child->type == XML_TEXT_NODE && IsBlank(child->content)) {
                xmlUnlinkNode(child);
                xmlFreeNode(child);
            } else if (child->type == XML_ELEMENT_NODE) {
                DropBlankText(child);
            }
            child = next;
        }
    }

    void Free() {
        if (Doc)
            xmlFreeDoc(Doc);
        Doc = nullptr;
    }

    // Calls f with the selected nodes when the expression selects at least one.
    template <class F> void Evaluate(const std::u16string& xpath, F&& f) {
        if (!Doc || xpath.empty())
            return;
        TErrorCapture ignored; // an expression that cannot be evaluated selects nothing
        xmlXPathContextPtr context = xmlXPathNewContext(Doc);
        if (!context)
            return;
        context->node = xmlDocGetRootElement(Doc);
        std::string expression = Utf8(xpath);
        xmlXPathObjectPtr result =
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context);
        if (result && result->type == XPATH_NODESET && result->nodesetval &&
            result->nodesetval->nodeNr > 0)
            f(result->nodesetval);
        if (result)
            xmlXPathFreeObject(result);
        xmlXPathFreeContext(context);
    }

    xmlDocPtr Doc = nullptr;
};

// ---------------------------------------------------------------------------------------

class TZelXmlParserImpl : public TZelInterfacedObject, public virtual IZelXmlParser {
public:
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelXmlParser::IID)
            return static_cast<IZelXmlParser*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }

    void Parse(std::string_view document) override {
        // Only the events we report: no tree is built. Entities declared in the document's
        // own internal subset are kept (in a document shell that holds nothing else) and
        // their text is delivered in place of each reference, within the library's limits on
        // expansion; an external entity is refused by the loader and ends the events.
        xmlSAXHandler handler{};
        handler.initialized = 1; // the first version of the interface: plain qualified names
        handler.startDocument = StartDocument;
        handler.internalSubset = InternalSubset;
        handler.entityDecl = EntityDecl;
        handler.getEntity = GetEntity;
        handler.startElement = StartElement;
        handler.endElement = EndElement;
        handler.characters = Characters;
        handler.cdataBlock = Characters;
        handler.ignorableWhitespace = Characters;

        TErrorCapture errors; // an error in the input ends the events, and is kept
        LastError.clear();
        xmlParserCtxtPtr ctxt = xmlCreatePushParserCtxt(&handler, this, nullptr, 0, nullptr);
        if (!ctxt) {
            LastError = ZelLoadStr(TZelResId::XmlNotWellFormed);
            return;
        }
        xmlCtxtUseOptions(ctxt, BaseOptions | XML_PARSE_NOENT);
        Failure = nullptr;
        Context = ctxt;
        size_t offset = 0;
        constexpr size_t Chunk = 1 << 20;
        do {
            size_t n = std::min(Chunk, document.size() - offset);
            bool last = offset + n >= document.size();
            if (xmlParseChunk(ctxt, document.data() + offset, int(n), last ? 1 : 0) != 0)
                break;
            offset += n;
        } while (offset < document.size() && !Failure);
        Context = nullptr;
        // A refused external entity leaves the document well-formed but incomplete.
        if ((!ctxt->wellFormed || errors.HadError()) && !Failure && LastError.empty())
            LastError =
                errors.Text().empty() ? ZelLoadStr(TZelResId::XmlNotWellFormed) : errors.Text();
        if (ctxt->myDoc)
            xmlFreeDoc(ctxt->myDoc);
        xmlFreeParserCtxt(ctxt);
        if (Failure)
            std::rethrow_exception(std::exchange(Failure, nullptr));
    }

    void SetOnAttribute(TZelXmlAttributeEvent event) override { OnAttribute = std::move(event); }
    void SetOnCharData(TZelXmlTextEvent event) override { OnCharData = std::move(event); }
    void SetOnEndElement(TZelXmlTextEvent event) override { OnEndElement = std::move(event); }
    void SetOnStartElement(TZelXmlTextEvent event) override { OnStartElement = std::move(event); }
    std::string GetError() override { return LastError; }
    int32_t GetLineNumber() override {
        return Context ? int32_t(xmlSAX2GetLineNumber(Context)) : 0;
    }

private:
    static TZelXmlParserImpl& Self(void* ctx) { return *static_cast<TZelXmlParserImpl*>(ctx); }

    // Runs a callback; an exception stops the parser and is raised again after it returns
    // (it must never travel through the library's frames).
    template <class F> void Guard(F&& f) {
        if (Failure)
            return;
        try {
            f();
        } catch (...) {
            Failure = std::current_exception();
            xmlStopParser(Context);
        }
    }

    // Attribute values arrive with every "&" written as "&#38;" (the parser keeps it
    // escaped for tree builders); nothing else in a value can produce that text.
    static std::u16string AttributeValue(const xmlChar* value) {
        std::u16string text = Utf16(value);
        if (text.find(u"&#38;") == std::u16string::npos)
            return text;
        std::u16string out;
        for (size_t pos = 0; pos < text.size();) {
            if (text.compare(pos, 5, u"&#38;") == 0) {
                out += u'&';
                pos += 5;
            } else {
                out += text[pos++];
            }
        }
        return out;
    }

    // The library's own handlers keep the declarations; they expect the parser context.
    static void StartDocument(void* ctx) { xmlSAX2StartDocument(Self(ctx).Context); }
    static void InternalSubset(void* ctx, const xmlChar* name, const xmlChar* externalId,
                               const xmlChar* systemId) {
        xmlSAX2InternalSubset(Self(ctx).Context, name, externalId, systemId);
    }
    static void EntityDecl(void* ctx, const xmlChar* name, int type, const xmlChar* publicId,
                           const xmlChar* systemId, xmlChar* content) {
        xmlSAX2EntityDecl(Self(ctx).Context, name, type, publicId, systemId, content);
    }
    // Only the document's own internal entities are expanded: a reference to an external
    // one ends the events with an error, so that no reader takes a document read in part
    // for the whole of it.
    static xmlEntityPtr GetEntity(void* ctx, const xmlChar* name) {
        TZelXmlParserImpl& self = Self(ctx);
        xmlEntityPtr entity = xmlSAX2GetEntity(self.Context, name);
        if (entity && entity->etype != XML_INTERNAL_GENERAL_ENTITY &&
            entity->etype != XML_INTERNAL_PREDEFINED_ENTITY) {
            if (self.LastError.empty())
                self.LastError = ZelFormat(
                    ZelLoadStr(TZelResId::XmlExternalEntityRefused),
                    {reinterpret_cast<const char*>(name), int(xmlSAX2GetLineNumber(self.Context))});
            xmlStopParser(self.Context);
            return nullptr;
        }
        return entity;
    }

    static void StartElement(void* ctx, const xmlChar* name, const xmlChar** attributes) {
        TZelXmlParserImpl& self = Self(ctx);
        self.Guard([&] {
            if (self.OnAttribute && attributes)
                for (const xmlChar** a = attributes; a[0]; a += 2)
                    self.OnAttribute(Utf16(a[0]), AttributeValue(a[1]));
            if (self.OnStartElement)
                self.OnStartElement(Utf16(name));
        });
    }

    static void EndElement(void* ctx, const xmlChar* name) {
        TZelXmlParserImpl& self = Self(ctx);
        self.Guard([&] {
            if (self.OnEndElement)
                self.OnEndElement(Utf16(name));
        });
    }

    static void Characters(void* ctx, const xmlChar* text, int length) {
        TZelXmlParserImpl& self = Self(ctx);
        self.Guard([&] {
            if (self.OnCharData)
                self.OnCharData(Utf16(text, length));
        });
    }

    TZelXmlAttributeEvent OnAttribute;
    TZelXmlTextEvent OnCharData;
    TZelXmlTextEvent OnEndElement;
    TZelXmlTextEvent OnStartElement;
    xmlParserCtxtPtr Context = nullptr;
    std::exception_ptr Failure;
    std::string LastError;
};

// ---------------------------------------------------------------------------------------

class TZelXslProcessor : public TZelInterfacedObject, public virtual IZelXslProcessor {
public:
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelXslProcessor::IID)
            return static_cast<IZelXslProcessor*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }
};

class TZelXslProcessorImpl : public TZelXslProcessor {
public:
    ~TZelXslProcessorImpl() override { FreeStyle(); }

    std::u16string Transform(IZelXmlDOM& document) override {
        auto access = ZelQuery<IZelXmlDocAccess>(&document);
        if (!access)
            throw EZelError(ZelLoadStr(TZelResId::InterfaceNotSupported));
        xmlDocPtr doc = access->GetDocument();
        if (!Style)
            throw EZelXmlError(ZelLoadStr(TZelResId::XslNoStylesheet));
        if (!doc)
            throw EZelXmlError(ZelLoadStr(TZelResId::XmlDocumentEmpty));
        TErrorCapture errors;
        TFolderScope scope(StyleFolder);
        xsltTransformContextPtr ctxt = xsltNewTransformContext(Style, doc);
        if (!ctxt)
            errors.Raise(ZelLoadStr(TZelResId::XslCannotStart));
        xsltSetCtxtSecurityPrefs(SecurityPrefs, ctxt);
        // Stylesheets ship with dictionaries: one that recurses without end, or does an
        // exponential amount of work, is stopped with an error instead of running for
        // minutes.
        ctxt->maxTemplateDepth = MaxTemplateDepth;
        ctxt->opLimit = MaxOperations;
        for (const auto& [name, value] : Parameters)
            xsltQuoteOneUserParam(ctxt, reinterpret_cast<const xmlChar*>(name.c_str()),
                                  reinterpret_cast<const xmlChar*>(value.c_str()));
        xmlDocPtr result = xsltApplyStylesheetUser(Style, doc, nullptr, nullptr, nullptr, ctxt);
        bool failed =
            !result || ctxt->state == XSLT_STATE_ERROR || ctxt->state == XSLT_STATE_STOPPED;
        xsltFreeTransformContext(ctxt);
        if (failed) {
            if (result)
                xmlFreeDoc(result);
            errors.Raise(ZelLoadStr(TZelResId::XslFailed));
        }
        std::string text;
        bool tooLarge = !CollectText(reinterpret_cast<xmlNodePtr>(result), text);
        xmlFreeDoc(result);
        if (tooLarge)
            throw EZelXmlError(ZelFormat(ZelLoadStr(TZelResId::XslOutputTooLarge),
                                         {int64_t(MaxOutputBytes >> 20)}));
        return ZelUtf8ToWide(text);
    }

    std::u16string GetParameter(const std::u16string& name) override {
        auto it = Parameters.find(Utf8(name));
        return it == Parameters.end() ? std::u16string() : ZelUtf8ToWide(it->second);
    }

    std::string GetStyleURL() override { return StyleURL; }

    void SetParameter(const std::u16string& name, const std::u16string& value) override {
        Parameters[Utf8(name)] = Utf8(value);
    }

    void SetStyleURL(const std::string& path) override {
        FreeStyle();
        TErrorCapture errors;
        std::string real = RealPath(path);
        if (real.empty())
            throw EZelXmlError(ZelFormat(ZelLoadStr(TZelResId::XslCannotRead), {path}));
        TFolderScope scope(ZelExtractFileDir(real));
        xsltStylesheetPtr style =
            xsltParseStylesheetFile(reinterpret_cast<const xmlChar*>(real.c_str()));
        if (!style || style->errors > 0) {
            if (style)
                xsltFreeStylesheet(style);
            throw EZelXmlError(
                path + ": " +
                (errors.Text().empty() ? ZelLoadStr(TZelResId::XslNotValid) : errors.Text()));
        }
        Style = style;
        StyleFolder = ZelExtractFileDir(real);
        StyleURL = path;
    }

private:
    // Lets the libraries read files of one folder for the duration of a call.
    class TFolderScope {
    public:
        explicit TFolderScope(const std::string& folder) : Previous(AllowedFolder) {
            AllowedFolder = folder;
        }
        ~TFolderScope() { AllowedFolder = Previous; }

    private:
        std::string Previous;
    };

    static constexpr int MaxTemplateDepth = 1000;
    static constexpr unsigned long MaxOperations = 2000000;
    static constexpr size_t MaxOutputBytes = size_t(32) << 20;

    // The text of the result tree; false when it grows past the limit.
    static bool CollectText(xmlNodePtr node, std::string& out) {
        for (xmlNodePtr child = node->children; child; child = child->next) {
            if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
                if (child->content)
                    out += reinterpret_cast<const char*>(child->content);
                if (out.size() > MaxOutputBytes)
                    return false;
            } else if (child->type == XML_ELEMENT_NODE && !CollectText(child, out)) {
                return false;
            }
        }
        return true;
    }

    void FreeStyle() {
        if (Style)
            xsltFreeStylesheet(Style);
        Style = nullptr;
    }

    xsltStylesheetPtr Style = nullptr;
    std::string StyleURL;
    std::string StyleFolder;
    std::map<std::string, std::string> Parameters;
};

// ---------------------------------------------------------------------------------------

class TZelCoXmlImpl : public TZelInterfacedObject, public virtual IZelCoXml {
public:
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelCoXml::IID)
            return static_cast<IZelCoXml*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }
    ZelRef<IZelXmlDOM> CreateDOM() override { return ZelMake<TZelXmlDOMImpl>(); }
    ZelRef<IZelXmlParser> CreateParser() override { return ZelMake<TZelXmlParserImpl>(); }
    ZelRef<IZelXslProcessor> CreateXslProcessor() override {
        return ZelMake<TZelXslProcessorImpl>();
    }
};

} // namespace

IZelCoXml& CoXml() {
    static ZelRef<IZelCoXml> factory = [] {
        InitLibraries();
        return ZelRef<IZelCoXml>(ZelMake<TZelCoXmlImpl>());
    }();
    return *factory;
}

void ZelAppendXmlEscaped(std::u16string& out, std::u16string_view text, bool attribute) {
    for (char16_t c : text) {
        switch (c) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += attribute ? u"&quot;" : u"\"";
            break;
        case u'\t':
            out += attribute ? u"&#9;" : u"\t";
            break;
        case u'\n':
            out += attribute ? u"&#10;" : u"\n";
            break;
        case u'\r':
            out += u"&#13;";
            break;
        default:
            if (c >= 0x20 && c != 0xFFFE && c != 0xFFFF)
                out += c;
        }
    }
}
