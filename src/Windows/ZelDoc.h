// The document a document window edits: a file name ("Untitled" for a new one), whether
// it is read-only and modified, and opening, clearing and saving it. A plain-text document
// works on a plain text editor; a rich-text document on the rich-text control, reading and
// writing RTF or plain text. Saving never writes over the user's file in place: the new
// content goes to a temporary file that replaces the old one when complete, so a crash
// leaves the old file or the new one, and a failed save leaves the document modified.
#pragma once

#include "ZelBase.h"
#include "ZelTextFile.h"

#include <QPointer>
#include <QString>

#include <functional>

class QPlainTextEdit;
class QTextDocument;
class TZelRichEdit;

class IZelDoc : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{6B4D1E2C-8A3F-4C57-9E21-3D7F5A0B9C64}");

    virtual QString GetDefaultExt() = 0;
    virtual QString GetFileName() = 0;
    virtual QString GetDescription() = 0;
    // File-dialog filters, as Qt writes them ("Text files (*.txt);;…").
    virtual QString GetOpenFilter() = 0;
    virtual bool IsReadOnly() = 0;
    virtual QString GetSaveFilter() = 0;
    virtual int GetFilterIndex() = 0;
    virtual void SetOnModifiedChange(std::function<void()> callback) = 0;
    virtual void SetOnFileNameChange(std::function<void()> callback) = 0;
    virtual bool IsModified() = 0;
    virtual bool HasFileName() = 0;
    // filterIndex: 1-based index of the dialog's filter, 0 for the document's choice.
    virtual void Open(const QString& fileName, bool readOnly, int filterIndex) = 0;
    virtual void New() = 0;
    // An empty fileName saves to the document's own file; rename makes fileName the
    // document's file.
    virtual void Save(const QString& fileName, bool rename, int filterIndex) = 0;
};

class TZelDoc : public TZelInterfacedObject, public virtual IZelDoc {
public:
    void* QueryInterface(const ZelGuid& iid) override;

    QString GetFileName() override { return FileName; }
    QString GetDescription() override;
    QString GetSaveFilter() override { return GetOpenFilter(); }
    int GetFilterIndex() override { return FilterIndex; }
    bool IsReadOnly() override { return ReadOnly; }
    void SetOnModifiedChange(std::function<void()> callback) override {
        OnModified = std::move(callback);
    }
    void SetOnFileNameChange(std::function<void()> callback) override {
        OnFileName = std::move(callback);
    }

protected:
    void ModifiedChanged() {
        if (OnModified)
            OnModified();
    }
    void FileNameChanged() {
        if (OnFileName)
            OnFileName();
    }

    QString FileName = "Untitled";
    bool ReadOnly = false;
    int FilterIndex = 0;
    std::function<void()> OnModified, OnFileName;
};

class TZelFileDoc : public TZelDoc {
public:
    bool HasFileName() override { return Named; }
    void Open(const QString& fileName, bool readOnly, int filterIndex) override;
    void New() override;
    void Save(const QString& fileName, bool rename, int filterIndex) override;

protected:
    virtual void Load(const QString& fileName, int filterIndex) = 0;
    virtual void Write(const QString& fileName, int filterIndex) = 0;
    virtual void Clear() = 0;
    virtual void SetModified(bool modified) = 0;

    bool Named = false;
};

// A plain-text document on a plain text editor.
class TZelMemoDoc : public TZelFileDoc {
public:
    explicit TZelMemoDoc(QPlainTextEdit* edit);
    QString GetDefaultExt() override { return "txt"; }
    QString GetOpenFilter() override;
    bool IsModified() override;
    TZelTextEncoding Encoding() const { return TextEncoding; }

protected:
    void Load(const QString& fileName, int filterIndex) override;
    void Write(const QString& fileName, int filterIndex) override;
    void Clear() override;
    void SetModified(bool modified) override;

private:
    QPointer<QPlainTextEdit> Edit;
    TZelTextEncoding TextEncoding = TZelTextEncoding::Utf8;
    std::u16string LineBreak = u"\n"; // how the file ends its lines
};

// A rich-text document on the rich-text control: RTF, or plain text.
class TZelRichEditDoc : public TZelFileDoc {
public:
    explicit TZelRichEditDoc(TZelRichEdit* edit);
    QString GetDefaultExt() override { return "rtf"; }
    QString GetOpenFilter() override;
    bool IsModified() override;
    TZelTextEncoding Encoding() const { return TextEncoding; }
    bool IsPlainText() const { return Plain; }

protected:
    void Load(const QString& fileName, int filterIndex) override;
    void Write(const QString& fileName, int filterIndex) override;
    void Clear() override;
    void SetModified(bool modified) override;

    QPointer<TZelRichEdit> Edit;

private:
    TZelTextEncoding TextEncoding = TZelTextEncoding::Utf8;
    std::u16string LineBreak = u"\n";
    bool Plain = false; // the file is plain text
};

// A rich-text document that counts as modified only when it has a file: a text typed
// without a file is never in the way.
class TZelSimpleRichEditDoc : public TZelRichEditDoc {
public:
    using TZelRichEditDoc::TZelRichEditDoc;
    bool IsModified() override { return TZelRichEditDoc::IsModified() && HasFileName(); }
};

// Reads a whole text file (at most 256 MB); raises EZelError naming it.
std::string ZelReadDocumentFile(const QString& fileName);
// Replaces a file's content as one step; raises EZelError naming it.
void ZelWriteDocumentFile(const QString& fileName, const std::string& bytes);
