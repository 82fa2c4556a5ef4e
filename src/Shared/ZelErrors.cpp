#include "ZelErrors.h"

#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <string_view>

void ZelAssertFailed(const char* file, int line) {
    // The source file's name alone: the folder it was built in means nothing to a user.
    std::string_view name = file;
    name = name.substr(name.find_last_of('/') + 1);
    throw EZelAssertion(
        ZelFormat(ZelLoadStr(TZelResId::AssertionFailure), {std::string(name), line}));
}
