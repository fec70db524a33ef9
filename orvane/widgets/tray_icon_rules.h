// The pure parts of the notification-area icon: its callback messages, what each mouse
// message does, and the tip's length. The Win32 half is TrayIcon (widgets_win32.h).
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr unsigned kTrayCallbackMessage = 0x0400 + 1;  // WM_USER + 1
inline constexpr unsigned kTrayApplyTipMessage = 0x0400 + 2;  // WM_USER + 2
inline constexpr std::size_t kTrayTipMaxLength = 62;

enum class TTrayAction { None, Click, DoubleClick, PopupMenu };

// WM_LBUTTONUP click, WM_LBUTTONDBLCLK double click, WM_RBUTTONUP the menu; others none.
TTrayAction TrayActionFor(unsigned mouseMessage);

// True for the lead byte of a two-byte character of the ANSI code page.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// The tip cut to at most 62 characters, never inside a two-byte character.
std::string TrayTip(std::string_view toolTip, const LeadBytePredicate& isLeadByte = {});

}  // namespace orvane
