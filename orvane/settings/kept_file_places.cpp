#include "kept_file_places.h"

#include <utility>

namespace orvane {

namespace {

std::string Join(const std::string& folder, std::string_view name) {
    return folder + "\\" + std::string(name);
}

// "a", "a and b", "a, b and c".
std::string ListText(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

}  // namespace

KeptFilePlaces::KeptFilePlaces(FolderAccess& access, std::string perUserFolder)
    : access_(access), perUser_(std::move(perUserFolder)) {}

std::string KeptFilePlaces::FolderFor(const std::string& firstFolder) {
    if (access_.CanWriteIn(firstFolder) || perUser_.empty())
        return firstFolder;
    if (access_.MakeFolder(perUser_) && access_.CanWriteIn(perUser_))
        return perUser_;
    return firstFolder;
}

std::string KeptFilePlaces::Keep(const std::string& firstFolder, std::string_view marker,
                                 const std::vector<std::string>& what) {
    const std::string folder = FolderFor(firstFolder);
    if (folder == firstFolder)
        return folder;
    const std::string copy = Join(folder, marker);
    if (access_.FileExists(copy))
        return folder;
    const std::string original = Join(firstFolder, marker);
    // A copy that cannot be made leaves the first write to make the file; the move is said
    // all the same, since that is where the file goes.
    access_.CopyOrCreate(access_.FileExists(original) ? original : std::string(), copy);
    moves_.push_back({firstFolder, what});
    return folder;
}

std::string KeptFilePlaces::Notice() const {
    if (moves_.empty())
        return {};
    std::vector<std::string> folders;
    std::vector<std::string> files;
    for (const Move& move : moves_) {
        folders.push_back(move.folder);
        files.insert(files.end(), move.what.begin(), move.what.end());
    }
    return "Orvane cannot write to " + ListText(folders) + "; it keeps " + ListText(files) +
           " in " + perUser_ + " instead.";
}

}  // namespace orvane
