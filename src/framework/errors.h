// Exception classes of the program, one per kind of failure. Messages are
// ANSI (Windows-1252) text in German, as the user sees them.
#pragma once

#include <exception>
#include <string>

namespace stilvane {

class Exception : public std::exception {
public:
    // `code`: the system's error code behind the failure, 0 where there is none.
    explicit Exception(std::string message, unsigned long code = 0)
        : message_(std::move(message)), code_(code) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    unsigned long Code() const noexcept { return code_; }

private:
    std::string message_;
    unsigned long code_;
};

// A deliberate silent abort: the error display drops it without a box.
class EAbort : public Exception {
public:
    EAbort() : Exception("") {}
};

class EConvertError : public Exception {
    using Exception::Exception;
};

class ERegistryException : public Exception {
    using Exception::Exception;
};

class EFOpenError : public Exception {
    using Exception::Exception;
};

class EFCreateError : public Exception {
    using Exception::Exception;
};

class EWriteError : public Exception {
    using Exception::Exception;
};

class EThread : public Exception {
    using Exception::Exception;
};

// A call to the system failed (a window class or window it would not make).
class EOSError : public Exception {
    using Exception::Exception;
};

// An operation the user asked for, or one the program does by itself, failed;
// the message, in the user's language, says what failed, where and why.
class EOperationError : public Exception {
    using Exception::Exception;
};

// Builders for the program's message texts; each takes the text that
// replaces the placeholder (a value name, a file name, ...).
namespace messages {
std::string InvalidInteger(const std::string& text);
std::string InvalidRegDataType(const std::string& valueName);
std::string RegGetDataFailed(const std::string& valueName);
std::string RegSetDataFailed(const std::string& valueName);
std::string FileOpenFailed(const std::string& fileName);
std::string FileCreateFailed(const std::string& fileName);
std::string StreamWriteError();
std::string ThreadCreateFailed(const std::string& systemText);
std::string ThreadError(const std::string& systemText, int code);
std::string CheckSynchronizeWrongThread(unsigned long threadId);
std::string SystemError(unsigned long code, const std::string& systemText);
} // namespace messages

// The text shown for an error: a full stop is appended when the message is
// not empty and its last character sorts after ".".
std::string WithFullStop(const std::string& message);

} // namespace stilvane
