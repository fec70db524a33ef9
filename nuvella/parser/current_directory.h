// The names in the current working directory, in the order the system returns them.
#pragma once

#include <string>
#include <vector>

namespace nuvella {

std::vector<std::string> listCurrentDirectory();

}  // namespace nuvella
