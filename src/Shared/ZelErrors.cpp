#include "ZelErrors.h"

#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <string_view>

namespace {

// The source file's name alone: the folder it was built in means nothing to a user.
std::string SourceName(const char* file) {
    std::string_view name = file;
    return std::string(name.substr(name.find_last_of('/') + 1));
}

} // namespace

void ZelAssertFailed(const char* file, int line) {
    throw EZelAssertion(
        ZelFormat(ZelLoadStr(TZelResId::AssertionFailure), {SourceName(file), line}));
}

void ZelAssertFailed(const char* file, int line, const std::string& detail) {
    throw EZelAssertion(
        ZelFormat(ZelLoadStr(TZelResId::AssertionFailureDetail), {SourceName(file), line, detail}));
}
