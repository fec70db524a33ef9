// An issue made from text in memory, split into pieces the way the loader splits a file.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "issue.h"
#include "issue_parser.h"

namespace nuvella::testing {

class TextIssue {
  public:
    explicit TextIssue(const std::string& text) {
        issue_.text = TextBlock(text.size() + 1);
        std::memcpy(issue_.text.get(), text.data(), text.size());
        issue_.textSize = text.size();
        splitIntoPieces(issue_, 0);
    }
    const IssueLine* line(std::size_t index) const { return &issue_.lines.at(index); }

  private:
    Issue issue_;
};

}  // namespace nuvella::testing
