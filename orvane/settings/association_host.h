// What setting up the file associations needs of the desktop: messages, the file dialog,
// and whether a file exists.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "message_icon.h"

namespace orvane {

class AssociationHost {
public:
    virtual ~AssociationHost() = default;
    // A message box captioned with the application title.
    virtual void ShowMessage(std::string_view text, TMessageIcon icon) = 0;
    // The open-file dialog "Find WinPlay3 ..."; nothing when cancelled.
    virtual std::optional<std::string> FindPlayer() = 0;
    virtual bool FileExists(const std::string& path) const = 0;
};

}  // namespace orvane
