// The icon of a message box shown by the manager.
#pragma once

namespace orvane {

enum class TMessageIcon { None, Information, Warning, Error, Question };

}  // namespace orvane
