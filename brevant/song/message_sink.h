// Where a core's messages to the user go: a message box in the program, the
// error stream in the command-line companion, a list in tests.
#pragma once

#include <string>

namespace brevant {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

}  // namespace brevant
