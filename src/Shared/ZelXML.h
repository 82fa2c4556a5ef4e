// The XML/XSL processing service: an in-memory document queried with XPath, a streaming
// event parser, and an XSLT 1.0 processor with string parameters. Engine code reaches XML
// only through these interfaces and the factory CoXml(); ZelXMLImpl implements them.
//
// Parsing never uses the network and never loads a DTD or an external entity; stylesheets
// may read files only inside their own folder and can neither write files, create folders
// nor reach the network. Library errors become EZelXmlError with the library's message and
// line.
#pragma once

#include "ZelBase.h"
#include "ZelErrors.h"
#include "ZelStreams.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class EZelXmlError : public EZelError {
public:
    using EZelError::EZelError;
};

class IZelXmlDOM : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{6E2B3A10-0C55-4B8E-9B1D-2F7A61C5D301}");

    // Replaces the document with the stream's content (encoding from the byte-order mark
    // or the declaration). Without preserveSpace, whitespace-only text between elements is
    // dropped except under xml:space="preserve".
    virtual void LoadFromStream(TZelStream& stream, bool preserveSpace) = 0;
    // The text nodes selected by the expression (evaluated with the document element as
    // context), in document order; nullptr when it selects nothing or cannot be evaluated.
    virtual std::unique_ptr<std::vector<std::u16string>>
    SelectTexts(const std::u16string& xpath) = 0;
    virtual bool HasNode(const std::u16string& xpath) = 0;
    // Writes the document as UTF-8 XML.
    virtual bool SaveToStream(TZelStream& stream) = 0;
};

using TZelXmlAttributeEvent =
    std::function<void(const std::u16string& name, const std::u16string& value)>;
using TZelXmlTextEvent = std::function<void(const std::u16string& text)>;

class IZelXmlParser : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{6E2B3A10-0C55-4B8E-9B1D-2F7A61C5D302}");

    // Fires the callbacks for the document: for each element its attributes (in source
    // order), then its start, its content, its end. Stops quietly at the first error of the
    // input; an exception raised by a callback passes out unchanged.
    virtual void Parse(std::string_view document) = 0;
    virtual void SetOnAttribute(TZelXmlAttributeEvent event) = 0;
    virtual void SetOnCharData(TZelXmlTextEvent event) = 0;
    virtual void SetOnEndElement(TZelXmlTextEvent event) = 0;
    virtual void SetOnStartElement(TZelXmlTextEvent event) = 0;
    // While a callback runs: the line of the document it is about (1 for the first).
    virtual int32_t GetLineNumber() = 0;
    // Why the last Parse stopped before the end of the document (the library's message with
    // its line: an error of the input, a refused external entity); empty when it read the
    // whole document.
    virtual std::string GetError() = 0;
};

class IZelXslProcessor : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{6E2B3A10-0C55-4B8E-9B1D-2F7A61C5D303}");

    // Applies the stylesheet with the current parameters; the text of the result tree.
    virtual std::u16string Transform(IZelXmlDOM& document) = 0;
    virtual std::u16string GetParameter(const std::u16string& name) = 0;
    virtual std::string GetStyleURL() = 0;
    // Sets a top-level parameter to a string value (whatever quotes it holds); it stays
    // set for later transformations.
    virtual void SetParameter(const std::u16string& name, const std::u16string& value) = 0;
    // Loads and compiles the stylesheet at once; raises EZelXmlError when it cannot.
    virtual void SetStyleURL(const std::string& path) = 0;
};

class IZelCoXml : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{6E2B3A10-0C55-4B8E-9B1D-2F7A61C5D300}");

    virtual ZelRef<IZelXmlDOM> CreateDOM() = 0;
    virtual ZelRef<IZelXmlParser> CreateParser() = 0;
    virtual ZelRef<IZelXslProcessor> CreateXslProcessor() = 0;
};

// The one factory of the process.
IZelCoXml& CoXml();

// Appends text escaped for XML: as character data (attribute false) or as a double-quoted
// attribute value. "&", "<" and ">" always become references; in an attribute value also
// the quote, tab, line feed and carriage return, and in character data the carriage
// return, so that reading it back gives the text again. Characters XML 1.0 cannot hold
// (other control characters, U+FFFE, U+FFFF) are dropped.
void ZelAppendXmlEscaped(std::u16string& out, std::u16string_view text, bool attribute);
