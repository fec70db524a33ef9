// Every issue loaded during a run; nothing is unloaded before the end.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>

#include "issue.h"

namespace nuvella {

class IssueLibrary {
  public:
    Issue& add(std::unique_ptr<Issue> issue) {
        issues_.push_back(std::move(issue));
        return *issues_.back();
    }
    std::size_t size() const { return issues_.size(); }
    const Issue& at(std::size_t index) const { return *issues_[index]; }

  private:
    std::deque<std::unique_ptr<Issue>> issues_;
};

}  // namespace nuvella
