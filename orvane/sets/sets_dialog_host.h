// What the set configuration dialog needs of the desktop.
#pragma once

#include <optional>
#include <string_view>

#include "message_icon.h"
#include "set_registry.h"

namespace orvane {

class SetsDialogHost {
public:
    virtual ~SetsDialogHost() = default;
    virtual void ShowMessage(std::string_view text, TMessageIcon icon) = 0;
    // The new set dialog; nothing when cancelled (its OK is Cancel while the name is empty).
    virtual std::optional<TSetRecord> AskNewSet() = 0;
};

}  // namespace orvane
