#include "tag_panel.h"

#include <cstdio>

#include "genre_list.h"

namespace orvane {

void TTagPanel::Show(const std::string& fileName, const TSongFileInfo& info, bool readOnly) {
    tagFileName_ = fileName;
    boxes_ = TTagBoxes{};
    header_ = info.header ? HeaderTexts(*info.header) : THeaderTexts{};
    id3v2Values_.reset();
    id3v2Version_ = 0;
    if (info.id3v2) {
        id3v2Values_ = info.id3v2->values;
        id3v2Version_ = info.id3v2->version;
    }
    shownTag_ = info.tag ? TShownTag::Id3v1 : info.id3v2 ? TShownTag::Id3v2 : TShownTag::None;
    if (shownTag_ != TShownTag::None) {
        boxes_ = BoxesFromTag(info.tag ? *info.tag : *id3v2Values_);
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

std::string TTagPanel::TagKindText() const {
    if (tagFileName_.empty())
        return {};
    switch (shownTag_) {
        case TShownTag::Id3v1:
            return "ID3v1 tag";
        case TShownTag::Id3v2:
            return "ID3v2." + std::to_string(id3v2Version_) + " tag";
        case TShownTag::None:
            break;
    }
    return "No tag";
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

TTagRecord TTagPanel::Id3v2ValuesToWrite() const {
    return id3v2Values_ ? Id3v2ValuesFromBoxes(boxes_, *id3v2Values_) : RecordToWrite();
}

TWriteTagOutcome TTagPanel::WriteTags(TTagTextCodec& codec) {
    const TTagRecord id3v2 = Id3v2ValuesToWrite();
    const TWriteTagOutcome outcome = WriteSongTags(tagFileName_, RecordToWrite(), id3v2, codec);
    if (outcome.result == TWriteTagResult::Written) {
        Saved();
        // What the next save compares with is what the tag now holds.
        if (id3v2Values_)
            id3v2Values_ = id3v2;
    }
    return outcome;
}

void TTagPanel::Saved() {
    saveEnabled_ = false;
}

namespace {

std::string OwnOrBox(const std::string& box, const std::string& own, std::size_t width) {
    return box == TrimTagText(std::string_view(own).substr(0, width)) ? own : box;
}

}  // namespace

TTagRecord Id3v2ValuesFromBoxes(const TTagBoxes& boxes, const TTagRecord& id3v2) {
    TTagRecord values;
    values.title = OwnOrBox(boxes.title, id3v2.title, kTagTextWidth);
    values.artist = OwnOrBox(boxes.artist, id3v2.artist, kTagTextWidth);
    values.album = OwnOrBox(boxes.album, id3v2.album, kTagTextWidth);
    values.year = OwnOrBox(boxes.year, id3v2.year, kTagYearWidth);
    values.comment = OwnOrBox(boxes.comment, id3v2.comment, kTagTextWidth);
    // A genre the list lacks shows no selection; left so, the frame keeps its own name.
    const int selection = GenreSelection(boxes.genre);
    if (selection == GenreSelection(id3v2.genre)) {
        values.genre = id3v2.genre;
    } else {
        values.genre = selection < 0 ? kNoGenre : static_cast<std::uint8_t>(selection);
    }
    return values;
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
