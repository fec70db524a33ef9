// The icon of a message box shown by the manager, and the texts the dialogs share.
#pragma once

#include <string_view>

namespace orvane {

enum class TMessageIcon { None, Information, Warning, Error, Question };

// The Help button of the Properties and set dialogs (information icon).
inline constexpr std::string_view kNotImplementedText = "Not implemented ...";

}  // namespace orvane
