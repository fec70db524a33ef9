#include "issue_scanner.h"

#include "current_directory.h"

namespace nuvella {

int ScanForIssues(LoadContext& context) {
    int loaded = 0;
    for (const std::string& name : listCurrentDirectory()) {
        if (LoadIssue(name, context, false)) {
            ++loaded;
        }
        context.sink.repaint();
    }
    return loaded;
}

}  // namespace nuvella
