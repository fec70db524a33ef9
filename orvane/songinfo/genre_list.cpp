#include "genre_list.h"

namespace orvane {

int GenreSelection(int genreByte)
{
    return genreByte >= 0 && genreByte < static_cast<int>(kGenreNames.size()) ? genreByte : -1;
}

std::string_view GenreName(int genreByte)
{
    const int selection = GenreSelection(genreByte);
    return selection < 0 ? std::string_view() : kGenreNames[static_cast<std::size_t>(selection)];
}

}  // namespace orvane
