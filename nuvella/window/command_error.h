// What the reader says when a command fails with an exception instead of finishing.
#pragma once

#include <exception>
#include <new>
#include <string>

namespace nuvella {

inline constexpr const char* kOutOfMemoryText = "Not enough memory to finish this command.";
inline constexpr const char* kCommandFailedText = "This command could not be finished.";

// `error` is null for an exception that is no std::exception.
inline std::string commandErrorText(const std::exception* error) {
    if (error == nullptr) {
        return kCommandFailedText;
    }
    if (dynamic_cast<const std::bad_alloc*>(error) != nullptr) {
        return kOutOfMemoryText;
    }
    const char* what = error->what();
    return what != nullptr && *what != '\0' ? what : kCommandFailedText;
}

}  // namespace nuvella
