#include "current_set.h"

#include <system_error>

#include "set_file_io.h"
#include "set_names.h"
#include "system_path.h"

namespace orvane {

namespace {

// Keeps a damaged set file beside itself, so that saving the entries that could be read
// never destroys the rest. Returns the message for the user.
std::string KeepDamagedFile(const std::filesystem::path& file,
                            const std::filesystem::path& folder) {
    // Beside the file where the set is saved, which is not the program folder when that
    // cannot be written.
    std::filesystem::path kept = folder / file.filename();
    kept += kDamagedSuffix;
    const std::string name = SystemPathText(file);
    std::error_code ec;
    std::filesystem::copy_file(file, kept, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        return "The set file " + name + " is damaged and cannot be copied to " +
               SystemPathText(kept) + " (" + ec.message() +
               "); saving the list will replace it with the entries shown.";
    }
    return "The set file " + name +
           " is damaged; only the entries read before the damage are "
           "shown. The file is kept as " +
           SystemPathText(kept) + ".";
}

}  // namespace

TLoadedSet LoadCurrentSet(const SettingsStore& store, const TSetFolders& folders,
                          std::string_view currentSetName, bool showUsedIcon) {
    TLoadedSet loaded;
    const TColumnWidths widths = LoadColumnWidths(store);
    const std::filesystem::path file = SetFileToRead(folders, currentSetName);
    TSetFileReadResult read = LoadSetFile(file);
    loaded.error = std::move(read.error);
    std::error_code ec;
    if (!loaded.error.empty() && std::filesystem::exists(file, ec)) {
        loaded.notice = KeepDamagedFile(file, folders.write);
    }
    if (read.image.properties.empty()) {
        // Nothing of the control was read: start from a fresh control with what entries came.
        auto entries = std::move(read.image.entries);
        read.image = DefaultSongListImage(widths);
        read.image.entries = std::move(entries);
    }
    loaded.image = std::move(read.image);
    SetImageColumns(loaded.image, widths);

    auto& entries = loaded.image.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].stateImage == kNowPlayingImage)
            loaded.currentIndex = static_cast<int>(i);
    }
    // Only the now-playing entry keeps its mark, even when a file holds several.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (static_cast<int>(i) == loaded.currentIndex)
            continue;
        entries[i].stateImage =
            (entries[i].usedFlag == "1" && showUsedIcon) ? kUsedImage : kNoStateImage;
    }
    if (loaded.currentIndex != -1) {
        loaded.selectIndex = loaded.currentIndex;
        loaded.focusList = true;
    } else if (!entries.empty()) {
        loaded.selectIndex = 0;
    }
    return loaded;
}

std::size_t SaveCurrentSet(SettingsStore& store, const TSetFolders& folders,
                           std::string_view currentSetName, const TSetFileImage& control,
                           const std::vector<TSongEntry>& rows, const TColumnWidths& widths) {
    SaveColumnWidths(store, widths);
    // The control's records with the list's rows; the control's own entries are not copied.
    TSetFileImage image;
    image.resourceName = control.resourceName;
    image.resourceFlags = control.resourceFlags;
    image.className = control.className;
    image.objectName = control.objectName;
    image.properties = control.properties;
    image.itemsIndex = control.itemsIndex;
    image.entries = rows;
    SetImageColumns(image, widths);
    return SaveSetFile(SetFileName(folders.write, currentSetName), image);
}

}  // namespace orvane
