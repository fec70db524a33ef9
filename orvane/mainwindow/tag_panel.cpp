#include "tag_panel.h"

#include <cstdio>

namespace orvane {

void TTagPanel::Show(const std::string& fileName, const TSongFileInfo& info, bool readOnly) {
    tagFileName_ = fileName;
    boxes_ = TTagBoxes{};
    header_ = info.header ? HeaderTexts(*info.header) : THeaderTexts{};
    if (info.tag) {
        boxes_ = BoxesFromTag(*info.tag);
        backup_ = boxes_;
    }
    readOnly_ = readOnly;
    saveEnabled_ = false;
}

std::string_view TTagPanel::StatusText() const {
    if (saveEnabled_)
        return "Modified";
    if (readOnly_)
        return "Read Only";
    return {};
}

void TTagPanel::Edited(const TTagBoxes& boxes) {
    boxes_ = boxes;
    if (!readOnly_ && !tagFileName_.empty())
        saveEnabled_ = true;
}

void TTagPanel::New() {
    boxes_ = TTagBoxes{};
}

void TTagPanel::Drop() {
    const bool paste = pasteEnabled_;
    *this = TTagPanel{};
    pasteEnabled_ = paste;
}

void TTagPanel::Undo() {
    if (backup_)
        boxes_ = *backup_;
}

std::string TTagPanel::Copy() {
    pasteBeforeCopy_ = pasteEnabled_;
    pasteEnabled_ = true;
    return TagClipboardText(boxes_);
}

bool TTagPanel::Paste(std::string_view clipboardText) {
    if (readOnly_)
        return false;
    boxes_ = PasteTagClipboardText(clipboardText, boxes_);
    return true;
}

TSaveDecision TTagPanel::SaveDecision(bool forced, bool autoSaveTag) const {
    if (!saveEnabled_)
        return TSaveDecision::Nothing;
    return forced || autoSaveTag ? TSaveDecision::Write : TSaveDecision::Ask;
}

void TTagPanel::Saved() {
    saveEnabled_ = false;
}

std::string LyricsCandidate(std::string_view songFileName, std::string_view extension) {
    const std::size_t slash = songFileName.find_last_of("\\/:");
    const std::size_t dot = songFileName.rfind('.');
    const bool hasExtension =
        dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    std::string candidate(hasExtension ? songFileName.substr(0, dot) : songFileName);
    candidate += '.';
    candidate += extension;
    return candidate;
}

std::optional<std::string> ReadWholeFile(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    return text;
}

}  // namespace orvane
