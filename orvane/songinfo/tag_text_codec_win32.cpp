#include "tag_text_codec.h"

#include <windows.h>

namespace orvane {
namespace {

class TAnsiTagTextCodec final : public TTagTextCodec {
  public:
    std::string ToAnsi(std::u16string_view text) override {
        if (text.empty())
            return {};
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int units = static_cast<int>(text.size());
        std::string out(text.size() * 3, '\0');
        // No best fit: a letter the code page lacks is '?', never a look-alike.
        int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, out.data(),
                                        static_cast<int>(out.size()), "?", nullptr);
        if (bytes == 0) {
            bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, out.data(),
                                        static_cast<int>(out.size()), nullptr, nullptr);
        }
        out.resize(static_cast<std::size_t>(bytes));
        return out;
    }

    std::u16string FromAnsi(std::string_view text) override {
        if (text.empty())
            return {};
        std::u16string out(text.size(), u'\0');
        const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                              reinterpret_cast<wchar_t*>(out.data()),
                                              static_cast<int>(out.size()));
        out.resize(static_cast<std::size_t>(units));
        return out;
    }
};

}  // namespace

TTagTextCodec& SystemTagTextCodec() {
    static TAnsiTagTextCodec codec;
    return codec;
}

}  // namespace orvane
