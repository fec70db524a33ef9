// Error raised by a failed file operation; it stops the running command.
#pragma once

#include <stdexcept>
#include <string>

namespace talvik {

class FileError : public std::runtime_error {
  public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace talvik
