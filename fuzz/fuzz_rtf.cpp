// Reads arbitrary bytes as RTF into the rich-text control through its Qt sink: no crash,
// no hang, and the three counts agree (the reader's, the characters the sink inserted, the
// caret's move). What the writer writes of the result reads back to the same text.
#include "FuzzQt.h"
#include "ZelRichEdit.h"
#include "ZelRtfReader.h"
#include "ZelRtfWriter.h"

#include <string>

namespace {

TZelRichEdit* Edit;
TZelRichEdit* Copy;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    FuzzQtApplication(argc, argv);
    Edit = new TZelRichEdit;
    Copy = new TZelRichEdit;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string rtf(reinterpret_cast<const char*>(data), size);
    TZelRtfCounter counter;
    ZelReadRtf(rtf, 1252, counter);
    Edit->Clear();
    Edit->insertPlainText("ab");
    int tags = 0;
    int inserted = Edit->InsertRtf(
        rtf, 1252, [&](const std::string&, const std::vector<std::string>&, int position) {
            Check(position >= 2 && position <= 2 + counter.Count);
            ++tags;
        });
    Check(inserted == counter.Count);
    Check(Edit->CaretPosition() == 2 + inserted);
    Check(Edit->CharacterCount() == 2 + inserted);
    Copy->Clear();
    Copy->InsertRtf(ZelWriteRtf(*Edit->document()), 1252);
    Check(Copy->TextOfRange(0, Copy->CharacterCount()) ==
          Edit->TextOfRange(0, Edit->CharacterCount()));
    return 0;
}
