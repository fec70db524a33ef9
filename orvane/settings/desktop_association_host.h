// AssociationHost on the Windows desktop: message boxes and the open-file dialog.
#pragma once

#include "association_host.h"

namespace orvane {

class DesktopAssociationHost : public AssociationHost {
public:
    // owner: the window that owns the boxes (an HWND; 0 for none).
    explicit DesktopAssociationHost(void* owner = nullptr) : owner_(owner) {}

    void ShowMessage(std::string_view text, TMessageIcon icon) override;
    std::optional<std::string> FindPlayer() override;
    bool FileExists(const std::string& path) const override;

private:
    void* owner_;
};

}  // namespace orvane
