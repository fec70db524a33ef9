// How tag texts meet the ANSI code page: Unicode (UTF-16) to ANSI and back. The Win32 adapter
// uses the system's code page; the portable one is Latin-1.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

class TTagTextCodec {
  public:
    virtual ~TTagTextCodec() = default;
    // A character the code page lacks becomes '?'.
    virtual std::string ToAnsi(std::u16string_view text) = 0;
    virtual std::u16string FromAnsi(std::string_view text) = 0;
};

class TLatin1TagTextCodec final : public TTagTextCodec {
  public:
    std::string ToAnsi(std::u16string_view text) override;
    std::u16string FromAnsi(std::string_view text) override;
};

// The codec of the platform: the system's ANSI code page on Windows, Latin-1 elsewhere.
TTagTextCodec& SystemTagTextCodec();

}  // namespace orvane
