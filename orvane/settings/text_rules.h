// Small text rules shared by the settings code.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Drops characters up to and including the space at both ends, as the dialogs trim.
std::string TrimText(std::string_view text);
std::string UpperText(std::string_view text);
std::string LowerText(std::string_view text);

}  // namespace orvane
