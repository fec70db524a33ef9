#include "header_texts.h"

namespace orvane {

std::string FrequencyText(int hertz)
{
    if (hertz <= 0) return {};
    std::string text = std::to_string(hertz / 1000);
    int rest = hertz % 1000;
    if (rest != 0) {
        std::string decimals = std::to_string(1000 + rest).substr(1);
        while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
        text += "." + decimals;
    }
    return text + " kHz";
}

THeaderTexts HeaderTexts(const TMpegInfo& info)
{
    THeaderTexts texts;
    switch (info.Version) {
    case TMpegVersion::Mpeg1: texts.version = "1.0"; break;
    case TMpegVersion::Mpeg2: texts.version = "2.0"; break;
    case TMpegVersion::Mpeg25: texts.version = "2.5"; break;
    }
    static const char* const kLayers[] = {"I", "II", "III"};
    if (info.Layer >= 1 && info.Layer <= 3) texts.layer = kLayers[info.Layer - 1];
    const int rate = TableBitRate(info.Version, info.Layer, info.BitRateIndex);
    if (rate > 0) texts.bitRate = std::to_string(rate);
    texts.frequency = FrequencyText(SamplingFrequency(info.Version, info.FrequencyIndex));
    return texts;
}

}  // namespace orvane
