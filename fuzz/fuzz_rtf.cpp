// Reads arbitrary bytes as RTF into the rich-text control through its Qt sink: no crash,
// no hang, and the three counts agree (the reader's, the characters the sink inserted, the
// caret's move). What the writer writes of the result reads back to the same text.
#include "ZelRichEdit.h"
#include "ZelRtfReader.h"
#include "ZelRtfWriter.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TZelRichEdit* Edit;
TZelRichEdit* Copy;

#define Check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "failed: %s\n", #condition);                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

} // namespace

// Fontconfig keeps what it learns of each font family asked for, for the process's life.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// The fuzzer checks every input for leaks; at exit, Qt's per-thread font caches outlive the
// storage that held them (the application object is never destroyed here), which is no
// leak of an input.
extern "C" const char* __lsan_default_options() {
    return "leak_check_at_exit=0";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
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
