// The information and tag panels of the shown file as values: what the labels and boxes
// hold, whether the tag was changed, and what Save, Undo, New, Copy and Paste do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "header_texts.h"
#include "song_file.h"
#include "tag_boxes.h"

namespace orvane {

enum class TSaveDecision { Nothing, Ask, Write };

// Which tag the boxes show: the ID3 version 1 tag at the end when there is one, else the
// ID3v2 tag at the start, else none (the empty tag).
enum class TShownTag { None, Id3v1, Id3v2 };

class TTagPanel {
  public:
    // RefreshSongInfo for a file: the boxes are cleared, then filled from its tag when it has
    // one (which also becomes the Undo copy): its ID3 version 1 tag, or else its ID3v2 tag.
    // A file whose first frame cannot be decoded still shows its tag; only its header labels
    // are empty.
    void Show(const std::string& fileName, const TSongFileInfo& info, bool readOnly);

    const std::string& TagFileName() const { return tagFileName_; }
    const TTagBoxes& Boxes() const { return boxes_; }
    const THeaderTexts& Header() const { return header_; }
    bool ReadOnly() const { return readOnly_; }
    bool SaveEnabled() const { return saveEnabled_; }
    bool PasteEnabled() const { return pasteEnabled_; }
    // "Modified", "Read Only" or nothing.
    std::string_view StatusText() const;
    TShownTag ShownTag() const { return shownTag_; }
    // "ID3v1 tag", "ID3v2.3 tag", "No tag"; nothing while no file is shown.
    std::string TagKindText() const;

    // A key typed in a box, or a change of Genre or Year by the user.
    void Edited(const TTagBoxes& boxes);
    void New();
    // The shown song left the list: no file, no edit, nothing to undo.
    void Drop();
    void Undo();
    // The clipboard text of Copy; Paste is enabled from then on.
    std::string Copy();
    // The clipboard did not take the text: Paste is as it was before the Copy.
    void CopyNotTaken() { pasteEnabled_ = pasteBeforeCopy_; }
    // Paste (only while the boxes are enabled); false when nothing was pasted.
    bool Paste(std::string_view clipboardText);

    // SaveTagIfChanged: nothing while Save is disabled; ask unless forced or AutoSaveTag.
    TSaveDecision SaveDecision(bool forced, bool autoSaveTag) const;
    TTagRecord RecordToWrite() const { return TagFromBoxes(boxes_); }
    // The six values for the file's ID3v2 tag (see Id3v2ValuesFromBoxes).
    TTagRecord Id3v2ValuesToWrite() const;
    // Save: the ID3 version 1 tag from the boxes and, when the file has an ID3v2 tag, its
    // frames; Saved() when that worked. The outcome says what failed.
    TWriteTagOutcome WriteTags(TTagTextCodec& codec = SystemTagTextCodec());
    // After the record was written (or the user declined): Save disabled, status cleared.
    void Saved();

  private:
    std::string tagFileName_;
    TTagBoxes boxes_;
    std::optional<TTagBoxes> backup_;
    THeaderTexts header_;
    TShownTag shownTag_ = TShownTag::None;
    std::optional<TTagRecord> id3v2Values_;  // the file's ID3v2 tag as read, uncut
    int id3v2Version_ = 0;
    bool readOnly_ = false;
    bool saveEnabled_ = false;
    bool pasteEnabled_ = false;
    bool pasteBeforeCopy_ = false;
};

// The values an ID3v2 tag gets from the boxes. A box showing the tag's own value, whole or as
// the ID3 version 1 tag holds it (cut to the field's width), keeps the tag's value: a long or
// non-ANSI title survives a save that changed only the artist. Every other box gives its text
// uncut; the genre is the selection's unless the selection is the tag's own.
TTagRecord Id3v2ValuesFromBoxes(const TTagBoxes& boxes, const TTagRecord& id3v2);

inline constexpr std::string_view kTagChangedQuestion =
    "Tag information has been changed, save it ??";
inline constexpr std::string_view kNoLyricsText = "File not found.";

// The lyrics candidates of a song: its name with each extension in turn.
std::string LyricsCandidate(std::string_view songFileName, std::string_view extension);
// The first candidate that can be read, whole; "File not found." when none can.
// readFile gives nothing for a file that does not exist.
template <typename ReadFile>
std::string LoadLyrics(std::string_view songFileName, const std::vector<std::string>& extensions,
                       const ReadFile& readFile) {
    for (const std::string& extension : extensions) {
        if (std::optional<std::string> text = readFile(LyricsCandidate(songFileName, extension))) {
            return *text;
        }
    }
    return std::string(kNoLyricsText);
}
// A whole text file through the C library (the system's ANSI names on Windows).
std::optional<std::string> ReadWholeFile(const std::string& fileName);

}  // namespace orvane
