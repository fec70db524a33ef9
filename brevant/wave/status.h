// Outcome of an operation that can fail with a message meant for the user.
#pragma once

#include <string>
#include <utility>

namespace brevant {

class Status {
public:
    static Status ok() { return Status(); }
    static Status fail(std::string message) { return Status(std::move(message)); }

    explicit operator bool() const { return !failed_; }
    bool failed() const { return failed_; }
    const std::string& message() const { return message_; }

private:
    Status() = default;
    explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

    bool failed_ = false;
    std::string message_;
};

}  // namespace brevant
