#include "tray_icon_rules.h"

namespace orvane {

TTrayAction TrayActionFor(unsigned mouseMessage) {
    switch (mouseMessage) {
        case 0x0202:
            return TTrayAction::Click;  // WM_LBUTTONUP
        case 0x0203:
            return TTrayAction::DoubleClick;  // WM_LBUTTONDBLCLK
        case 0x0205:
            return TTrayAction::PopupMenu;  // WM_RBUTTONUP
        default:
            return TTrayAction::None;
    }
}

std::string TrayTip(std::string_view toolTip, const LeadBytePredicate& isLeadByte) {
    if (toolTip.size() <= kTrayTipMaxLength)
        return std::string(toolTip);
    // Walk whole characters so a two-byte one is kept or dropped entire.
    std::size_t end = 0;
    while (end < kTrayTipMaxLength) {
        const std::size_t width =
            isLeadByte && isLeadByte(static_cast<unsigned char>(toolTip[end])) ? 2 : 1;
        if (end + width > kTrayTipMaxLength)
            break;
        end += width;
    }
    return std::string(toolTip.substr(0, end));
}

}  // namespace orvane
