// An INI file in memory (names as given), with failing writes on demand, for tests.
#pragma once
#include <map>
#include <string>

#include "window_placement.h"

namespace orvane {

class MemoryProfileFile : public ProfileFile {
  public:
    std::map<std::string, std::string> values;  // key "section/name"
    bool failWrites = false;

    std::optional<std::string> ReadText(std::string_view section,
                                        std::string_view key) const override;
    bool WriteText(std::string_view section, std::string_view key, std::string_view value) override;
    std::string FileName() const override { return "C:\\windows\\Velmor.INI"; }
};

}  // namespace orvane
