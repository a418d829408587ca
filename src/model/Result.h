#pragma once
// The outcome of an operation that can fail for reasons outside the program (the keyboard,
// a file, the user's input): success, or a message a user can read.

#include <string>
#include <utility>

namespace quenlar {

class [[nodiscard]] Result {
public:
    static Result success() { return Result{}; }
    static Result failure(std::string message) { return Result{std::move(message)}; }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string &message() const { return message_; }

private:
    Result() = default;
    explicit Result(std::string message) : ok_(false), message_(std::move(message)) {}
    bool ok_ = true;
    std::string message_;
};

} // namespace quenlar
