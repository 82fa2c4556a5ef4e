// The exception hierarchy of the engine. Every failure is an EZelError carrying the text
// shown to the user; the subclasses let callers tell kinds of failure apart.
#pragma once

#include <stdexcept>
#include <string>

class EZelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A broken internal consistency rule: a programming error, never normal flow.
class EZelAssertion : public EZelError {
public:
    using EZelError::EZelError;
};

// An index outside a list or cursor.
class EZelListError : public EZelError {
public:
    using EZelError::EZelError;
};

// A file or stream whose content does not have the expected format, or cannot be read.
class EZelStreamError : public EZelError {
public:
    using EZelError::EZelError;
};

// A failure reported by the operating system (a file that cannot be opened or mapped).
class EZelOSError : public EZelError {
public:
    EZelOSError(const std::string& message, int errorCode)
        : EZelError(message), ErrorCode(errorCode) {}
    int GetErrorCode() const { return ErrorCode; }

private:
    int ErrorCode;
};

// A text that does not convert to the requested type (a number, a boolean).
class EZelConvertError : public EZelError {
public:
    using EZelError::EZelError;
};

// A value outside what an operation accepts.
class EZelArgumentError : public EZelError {
public:
    using EZelError::EZelError;
};

[[noreturn]] void ZelAssertFailed(const char* file, int line);
// The same with what was found, for a check whose failure needs explaining.
[[noreturn]] void ZelAssertFailed(const char* file, int line, const std::string& detail);

#define ZEL_ASSERT(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ZelAssertFailed(__FILE__, __LINE__);                                                   \
    } while (0)
