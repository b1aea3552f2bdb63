// Exception classes of the program, one per kind of failure. Messages are
// ANSI (Windows-1252) text in German; a failure of a file or the registry
// also says what it is, so that the program can tell it in the user's
// language.
#pragma once

#include "framework/portable/text.h"

#include <exception>
#include <string>

namespace stilvane {

// What a failure of a file or of the registry is, so that the program can
// tell it in the user's language; the German message goes with it.
enum class MessageKind { None, FileOpen, FileCreate, FileWrite, RegRead, RegWrite };

namespace messages {
// The German message of `kind`, with "%1" for what it is about.
const char* Pattern(MessageKind kind);
} // namespace messages

class Exception : public std::exception {
public:
    // `code`: the system's error code behind the failure, 0 where there is none.
    explicit Exception(std::string message, unsigned long code = 0)
        : message_(std::move(message)), code_(code) {}
    // The German message of `kind` about `subject` (a file, a value name).
    Exception(MessageKind kind, std::string subject, unsigned long code);
    ~Exception() override;
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    unsigned long Code() const noexcept { return code_; }
    MessageKind Kind() const noexcept { return kind_; }
    // The file or the registry value the failure is about.
    const std::string& Subject() const noexcept { return subject_; }

private:
    std::string message_;
    unsigned long code_;
    MessageKind kind_ = MessageKind::None;
    std::string subject_;
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

// The standard library refused an operation (a position past the end of a
// text, a size past the largest); its own English message.
class ELibraryError : public Exception {
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
std::string StreamWriteError();
std::string ThreadCreateFailed(const std::string& systemText);
std::string ThreadError(const std::string& systemText, int code);
std::string CheckSynchronizeWrongThread(unsigned long threadId);
std::string SystemError(unsigned long code, const std::string& systemText);
// The fixed text of an error of no known kind, shown whole.
const char* UnknownError() noexcept;
} // namespace messages

// The text shown for an error: a full stop is appended when the message is
// not empty and its last character sorts after "." (a double-byte one, such
// as the ideographic full stop, gets none).
std::string WithFullStop(const std::string& message, LeadByteTest isLead = nullptr);

} // namespace stilvane
