#pragma once

#include <stdexcept>
#include <string>

// Every failure of the core is an exception that carries its user-facing message.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) { }
    std::string Message() const { return what(); }
};

// The silent abort: a handler cancels the operation that called it. The GUI swallows it
// without showing anything.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") { }
};

// Text that should be a number or a date but is not.
class EConvertError : public Exception {
    using Exception::Exception;
};

// An index outside a fixed-size store or table.
class ERangeError : public Exception {
public:
    explicit ERangeError(const std::string& message = "Range check error") : Exception(message) { }
};

// A list index past the end (reading a line past the end of a file, for instance).
class EListError : public Exception {
    using Exception::Exception;
};

// Dataset errors raised by the in-memory tables ("Field 'x' not found", ...).
class EDatabaseError : public Exception {
    using Exception::Exception;
};

// Throws the silent abort.
[[noreturn]] inline void Abort() { throw EAbort(); }
