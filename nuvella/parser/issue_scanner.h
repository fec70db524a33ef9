// Loads every issue lying in the current directory, quietly passing over everything else.
#pragma once

#include "issue_loader.h"

namespace nuvella {

// Returns how many issues were loaded.
int ScanForIssues(LoadContext& context);

}  // namespace nuvella
