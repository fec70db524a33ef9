// The genre list of the tag panel: the byte of a tag is the index in it.
#pragma once

#include <array>
#include <string_view>

namespace orvane {

inline constexpr std::array<std::string_view, 43> kGenreNames = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap",
    "Reggae", "Rock", "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks",
    "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul",
};

// The selection index for a genre byte: -1 (no genre) outside the list.
int GenreSelection(int genreByte);
// The name for a genre byte, empty outside the list.
std::string_view GenreName(int genreByte);

}  // namespace orvane
