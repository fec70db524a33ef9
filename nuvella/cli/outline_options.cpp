#include "outline_options.h"

#include <charconv>

namespace nuvella {
namespace {

std::optional<long> parseNumber(const std::string& text, long low, long high) {
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

ParsedOptions parseOutlineOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    OutlineOptions& options = parsed.options;
    bool fontSizeGiven = false;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--utf8") {
            options.utf8 = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--rtf" || arg == "--font-size") {
            if (i + 1 >= args.size()) {
                parsed.error = arg + " needs a number";
                return parsed;
            }
            const std::string& value = args[++i];
            if (arg == "--rtf") {
                options.rtfEntry = parseNumber(value, 0, 1L << 30);
                if (!options.rtfEntry) {
                    parsed.error = "--rtf wants an entry number from 0, not \"" + value + "\"";
                    return parsed;
                }
            } else {
                const auto size = parseNumber(value, 1, 999);
                if (!size) {
                    parsed.error =
                        "--font-size wants a size in points from 1 to 999, not \"" + value + "\"";
                    return parsed;
                }
                options.fontSize = static_cast<int>(*size);
                fontSizeGiven = true;
            }
        } else {
            parsed.error = "unknown option " + arg;
            return parsed;
        }
    }
    if (options.help) {
        return parsed;
    }
    if (fontSizeGiven && !options.rtfEntry) {
        parsed.error = "--font-size only goes with --rtf";
    } else if (options.utf8 && options.rtfEntry) {
        parsed.error = "--utf8 only goes with the outline, not --rtf";
    } else if (options.files.empty()) {
        parsed.error = "no issue file given";
    }
    return parsed;
}

}  // namespace nuvella
