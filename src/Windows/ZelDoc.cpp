#include "ZelDoc.h"

#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelRichEdit.h"
#include "ZelRtfWriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

// The text of a document with its paragraphs ended the way the file ends its lines.
std::u16string PlainTextOf(const QTextDocument& document, const std::u16string& lineBreak) {
    std::u16string text;
    std::u16string raw = document.toRawText().toStdU16String();
    for (char16_t c : raw) {
        if (c == 0x2029 || c == 0x2028)
            text += lineBreak;
        else if (c != 0xFFFC)
            text += c;
    }
    return text;
}

// Plain text as the editor takes it (every line break one "\n"), and how the file broke its
// lines.
QString EditorText(const std::u16string& decoded, std::u16string& lineBreak) {
    lineBreak = decoded.find(u"\r\n") != std::u16string::npos ? u"\r\n" : u"\n";
    QString text =
        QString(reinterpret_cast<const QChar*>(decoded.data()), qsizetype(decoded.size()));
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

bool LooksLikeRtf(const std::string& bytes) {
    size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    start = bytes.find_first_not_of(" \t\r\n", start);
    return start != std::string::npos && bytes.compare(start, 5, "{\\rtf") == 0;
}

} // namespace

std::string ZelReadDocumentFile(const QString& fileName) {
    return ZelReadWholeFile(fileName.toStdString());
}

void ZelWriteDocumentFile(const QString& fileName, const std::string& bytes) {
    ZelWriteFileAtomic(fileName.toStdString(), bytes);
}

void* TZelDoc::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDoc::IID)
        return static_cast<IZelDoc*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

QString TZelDoc::GetDescription() {
    return QCoreApplication::translate("TZelDoc", "%1 file").arg(GetDefaultExt());
}

void TZelFileDoc::Open(const QString& fileName, bool readOnly, int filterIndex) {
    Load(fileName, filterIndex); // nothing changes when the file cannot be read
    ReadOnly = readOnly || !QFileInfo(fileName).isWritable();
    FileName = fileName;
    Named = true;
    FileNameChanged();
    SetModified(false);
    ModifiedChanged();
}

void TZelFileDoc::New() {
    Clear();
    FileName = "Untitled";
    Named = false;
    ReadOnly = false;
    FileNameChanged();
    SetModified(false);
    ModifiedChanged();
}

void TZelFileDoc::Save(const QString& fileName, bool rename, int filterIndex) {
    if (!fileName.isEmpty()) {
        Write(fileName, filterIndex);
        if (rename && fileName != FileName) {
            FileName = fileName;
            ReadOnly = false;
        }
    } else {
        if (!Named)
            throw EZelError(
                QCoreApplication::translate("TZelDoc", "Cannot save to an empty file name")
                    .toStdString());
        Write(FileName, filterIndex);
    }
    Named = true;
    FileNameChanged();
    SetModified(false);
    ModifiedChanged();
}

// --- Plain text --------------------------------------------------------------------------

TZelMemoDoc::TZelMemoDoc(QPlainTextEdit* edit) : Edit(edit) {
    // Other listeners of the editor keep hearing every change.
    QObject::connect(edit->document(), &QTextDocument::modificationChanged, edit,
                     [this] { ModifiedChanged(); });
}

QString TZelMemoDoc::GetOpenFilter() {
    return QCoreApplication::translate("TZelDoc", "Text files (*.txt)");
}

bool TZelMemoDoc::IsModified() {
    return Edit && Edit->document()->isModified();
}

void TZelMemoDoc::Load(const QString& fileName, int) {
    std::string bytes = ZelReadDocumentFile(fileName);
    TZelTextEncoding encoding;
    QString text = EditorText(ZelDecodeText(bytes, encoding), LineBreak);
    TextEncoding = encoding;
    Edit->setPlainText(text);
}

void TZelMemoDoc::Write(const QString& fileName, int) {
    ZelWriteDocumentFile(fileName,
                         ZelEncodeText(PlainTextOf(*Edit->document(), LineBreak), TextEncoding));
}

void TZelMemoDoc::Clear() {
    Edit->clear();
    TextEncoding = TZelTextEncoding::Utf8;
    LineBreak = u"\n";
}

void TZelMemoDoc::SetModified(bool modified) {
    Edit->document()->setModified(modified);
}

// --- Rich text ---------------------------------------------------------------------------

TZelRichEditDoc::TZelRichEditDoc(TZelRichEdit* edit) : Edit(edit) {
    QObject::connect(edit->document(), &QTextDocument::modificationChanged, edit,
                     [this] { ModifiedChanged(); });
}

QString TZelRichEditDoc::GetOpenFilter() {
    return QCoreApplication::translate("TZelDoc", "Rich Text Format (*.rtf)") + ";;" +
           QCoreApplication::translate("TZelDoc", "Text files (*.txt)");
}

bool TZelRichEditDoc::IsModified() {
    return Edit && Edit->document()->isModified();
}

// Filter 2 reads plain text; the others read RTF, or plain text when the file is no RTF
// (a text file opened from the command line or through "All files").
void TZelRichEditDoc::Load(const QString& fileName, int filterIndex) {
    std::string bytes = ZelReadDocumentFile(fileName);
    bool plain = filterIndex == 2 || !LooksLikeRtf(bytes);
    QTextDocument* document = Edit->document();
    bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    Edit->Clear();
    if (plain) {
        TZelTextEncoding encoding;
        Edit->setPlainText(EditorText(ZelDecodeText(bytes, encoding), LineBreak));
        TextEncoding = encoding;
    } else {
        Edit->InsertRtf(bytes, 1252);
        TextEncoding = TZelTextEncoding::Utf8;
    }
    Plain = plain;
    Edit->SetCaretPosition(0);
    document->setUndoRedoEnabled(undo);
}

// Filter 1 writes RTF, 2 plain text, 0 the way the file was read or saved last (a new
// file by its extension).
void TZelRichEditDoc::Write(const QString& fileName, int filterIndex) {
    ZEL_ASSERT(filterIndex >= 0 && filterIndex <= 2);
    bool plain =
        filterIndex == 2 ||
        (filterIndex == 0 && (Named ? Plain : fileName.endsWith(".txt", Qt::CaseInsensitive)));
    if (plain)
        ZelWriteDocumentFile(
            fileName, ZelEncodeText(PlainTextOf(*Edit->document(), LineBreak), TextEncoding));
    else
        ZelWriteDocumentFile(fileName, ZelWriteRtf(*Edit->document(), 1252));
    Plain = plain;
}

void TZelRichEditDoc::Clear() {
    Edit->Clear();
    Edit->setCurrentCharFormat(QTextCharFormat());
    Edit->setFont(Edit->font());
    TextEncoding = TZelTextEncoding::Utf8;
    LineBreak = u"\n";
    Plain = false;
}

void TZelRichEditDoc::SetModified(bool modified) {
    Edit->document()->setModified(modified);
}
