#include "list_commands.h"

#include <algorithm>

namespace orvane {

bool TListCommands::IsEnabled(std::string_view name) const
{
    return std::find(enabled.begin(), enabled.end(), name) != enabled.end();
}

std::vector<std::string_view> TListCommands::AllNames()
{
    std::vector<std::string_view> names(kListDependentCommands.begin(), kListDependentCommands.end());
    names.insert(names.end(), kMoveCommands.begin(), kMoveCommands.end());
    return names;
}

TListCommands ListCommandsFor(bool listNotEmpty, bool anySelected, bool noSort)
{
    TListCommands commands;
    if (listNotEmpty) {
        commands.enabled.assign(kListDependentCommands.begin(), kListDependentCommands.end());
        if (anySelected) {
            commands.enabled.push_back("DelBtn");
            if (noSort) {
                commands.enabled.push_back("UpBtn");
                commands.enabled.push_back("DownBtn");
            }
        }
    }
    return commands;
}

}  // namespace orvane
