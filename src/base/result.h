#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace novu {

// Who is at fault when an operation fails; callers decide by it whether to blame the
// user's input, a file, the mouse or the system.
enum class Fault {
    Caller,  // bad argument or input
    File,    // a file could not be read or written
    Device,  // the mouse or its interface
    System,  // the operating system refused (permissions, resources)
};

struct Error {
    Fault fault = Fault::System;
    std::string message;
};

inline Error MakeError(Fault fault, std::string message) {
    return Error{fault, std::move(message)};
}

// An error-as-value result: either a T or an Error saying what failed and who is at fault.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}      // NOLINT(google-explicit-constructor)
    Result(Error error) : state_(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

inline Result<void> Ok() {
    return {};
}

}  // namespace novu
