#include "ZelErrors.h"

#include "ZelFormat.h"
#include "ZelResStrings.h"

void ZelAssertFailed(const char* file, int line) {
    throw EZelAssertion(ZelFormat(ZelLoadStr(TZelResId::AssertionFailure), {file, line}));
}
