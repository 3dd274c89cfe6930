#pragma once
// The tool's one error type: it carries a message text and is shown in the error box
// by the handler wrapper of the window.
#include <exception>
#include <string>

namespace korva {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Raised when the system refuses a change of the working directory; carries the system's
// error code. Its message follows the I/O error table of the folder chooser.
class EInOutError : public Exception {
public:
    EInOutError(int errorCode, std::string message) : Exception(std::move(message)), errorCode_(errorCode) {}
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

}  // namespace korva
