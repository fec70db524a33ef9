// AssociationHost that records messages and answers the file dialog from a script.
#pragma once

#include <set>
#include <utility>
#include <vector>

#include "association_host.h"

namespace orvane {

class FakeAssociationHost : public AssociationHost {
public:
    void ShowMessage(std::string_view text, TMessageIcon icon) override {
        messages.emplace_back(std::string(text), icon);
    }
    std::optional<std::string> FindPlayer() override {
        ++dialogsShown;
        return answer;
    }
    bool FileExists(const std::string& path) const override { return files.count(path) != 0; }

    std::optional<std::string> answer;
    std::set<std::string> files;
    std::vector<std::pair<std::string, TMessageIcon>> messages;
    int dialogsShown = 0;
};

}  // namespace orvane
