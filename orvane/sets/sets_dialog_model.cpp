#include "sets_dialog_model.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "set_names.h"
#include "setting_names.h"
#include "system_path.h"
#include "text_rules.h"

namespace orvane {

TSetsDialogModel::TSetsDialogModel(const SettingsStore& store, std::string currentSetName,
                                   TSetFolders folders)
    : rows_(ReadSetRegistry(store)),
      currentSetName_(std::move(currentSetName)),
      folders_(std::move(folders)) {
    if (rows_.empty()) {
        rows_.push_back({std::string(kDefaultSetName), std::string(kDefaultSetDescription)});
    }
    selected_ = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].name == currentSetName_) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
    currentSetName_ = rows_[static_cast<std::size_t>(selected_)].name;
}

std::string TSetsDialogModel::Caption() const {
    return "Set Configuration - " + currentSetName_;
}

std::string TSetsDialogModel::Description() const {
    if (selected_ < 0)
        return {};
    return rows_[static_cast<std::size_t>(selected_)].description;
}

void TSetsDialogModel::SelectionChanged(int index) {
    if (index < 0 || index >= static_cast<int>(rows_.size()))
        return;
    selected_ = index;
    currentSetName_ = rows_[static_cast<std::size_t>(index)].name;
}

std::vector<std::string> TSetsDialogModel::Names() const {
    std::vector<std::string> names;
    for (const auto& row : rows_) names.push_back(row.name);
    return names;
}

bool TSetsDialogModel::New(SetsDialogHost& host) {
    if (rows_.size() >= kMaxSets) {
        host.ShowMessage(kTooManySetsText, TMessageIcon::Error);
        return false;
    }
    const auto answer = host.AskNewSet();
    if (!answer || answer->name.empty())
        return false;
    // Refused here, once, rather than failing at every later save of the set.
    const std::string problem = CheckSetName(answer->name, Names());
    if (!problem.empty()) {
        host.ShowMessage(problem, TMessageIcon::Error);
        return false;
    }
    rows_.push_back(*answer);
    SelectionChanged(static_cast<int>(rows_.size()) - 1);
    return true;
}

bool TSetsDialogModel::CanDelete() const {
    return selected_ >= 0 && rows_[static_cast<std::size_t>(selected_)].name != kDefaultSetName;
}

bool TSetsDialogModel::Delete() {
    deleteError_.clear();
    if (!CanDelete())
        return false;
    const auto position = static_cast<std::size_t>(selected_);
    const std::string fileName = SetFileBaseName(rows_[position].name);
    // Sets stored by earlier versions may share one file ("Rock.90s", "Rock.80s"); the
    // file goes only with the last set that uses it.
    std::size_t users = 0;
    for (const TSetRecord& row : rows_)
        users += UpperText(SetFileBaseName(row.name)) == UpperText(fileName) ? 1 : 0;
    if (users == 1) {
        // A missing file is fine; one that stays is said, and the set stays with it. The
        // file is the one the set is read from (a per-user copy before the program folder's).
        const std::filesystem::path file = SetFileToRead(folders_, rows_[position].name);
        std::error_code error;
        std::filesystem::remove(file, error);
        if (error && std::filesystem::exists(file)) {
            deleteError_ = "Unable to delete " + fileName;
            return false;
        }
    }
    rows_.erase(rows_.begin() + selected_);
    if (rows_.empty()) {
        // Sets read from an older registry may lack the default set; never leave none.
        rows_.push_back({std::string(kDefaultSetName), std::string(kDefaultSetDescription)});
    }
    SelectionChanged(std::min(selected_, static_cast<int>(rows_.size()) - 1));
    return true;
}

void TSetsDialogModel::Close(SettingsStore& store) const {
    WriteSetRegistry(store, currentSetName_, rows_);
}

std::string NewSetCaption() {
    return std::string(kApplicationTitle) + " - New Set";
}

std::string MainWindowCaption(std::string_view currentSetName) {
    return std::string(kApplicationTitle) + " - " + std::string(currentSetName);
}

}  // namespace orvane
