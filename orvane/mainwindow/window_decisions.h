// The main window's small decisions, free of any control: start, close, double-click,
// the file the panels show, the button size answer and the sort items.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "options.h"
#include "settings_store.h"
#include "song_list.h"
#include "tag_boxes.h"
#include "view_settings.h"

namespace orvane {

inline constexpr std::string_view kAboutDllName = "About.DLL";
inline constexpr std::string_view kAboutDllMissingText = "About.DLL not found !!";
inline constexpr int kSplashMilliseconds = 2000;
inline constexpr std::string_view kModifiedText = "Modified";
inline constexpr std::string_view kReadOnlyText = "Read Only";
inline constexpr std::string_view kButtonSizePrompt = "Please input speed button size (25 ~ 35) : ";
inline constexpr int kMinButtonSize = 25;
inline constexpr int kMaxButtonSize = 35;
inline constexpr std::string_view kFileFilter = "MP3 Files|*.MP3";
inline constexpr std::string_view kFileMask = "*.MP3";

struct TStartPlan {
    bool showSplash = true;
    bool startHidden = false;
};
TStartPlan PlanStart(const SettingsStore& store);

// "Are you sure leaving %s ??" with the application title.
std::string LeaveQuestion();
// Only a click on the title bar's close box asks; Exit commands close at once.
inline bool CloseNeedsQuestion(bool closeBoxHit) {
    return closeBoxHit;
}

enum class TClickedList { SongList, FileList };
enum class TDoubleClickCommand { Nothing, Add, Remove, Play, PlayListFromHere };
// Nothing happens while the song list has no selected entry, whichever list was clicked.
TDoubleClickCommand DoubleClickCommand(TClickedList list, TDoubleClickAction option,
                                       bool songListHasSelection);

enum class TActiveControl { None, SongList, FileList, Other };
// The file the information and tag panels show: the song list's first selected entry (or
// the now-playing one), or the file list's focused file. Nothing when there is none.
std::optional<std::string> ShownFile(TActiveControl active, const TSongList& list,
                                     const std::optional<std::string>& fileListFocused);

// The question before "&Del" removes a set and its file for good.
std::string DeleteSetQuestion(std::string_view setName);

// An answer from 25 to 35 (nothing else, text that is no number included).
std::optional<int> ButtonSizeAnswer(std::string_view answer);

// Leaving Year: nothing while the user has not changed it since the boxes were filled (an
// empty year of an untagged song stays empty, the tag unmodified); else the year rule.
std::optional<TYearResult> YearOnExit(bool touched, std::string_view text, int currentYear);
// Save writes no year the user typed that the rule rejects.
bool YearBlocksSave(bool touched, std::string_view text, int currentYear);

// Inside an edit box Ctrl+C, Ctrl+X, Ctrl+V and Ctrl+Z act on its text, as in every edit;
// the tag-wide commands on those keys act everywhere else.
bool EditBoxKeepsKey(bool inEditBox, bool control, bool alt, unsigned virtualKey);

// The sort items of the settings and of the list model are the same four.
TSortState SortStateOf(const TViewState& view);
void StoreSortState(TViewState& view, const TSortState& sort);

}  // namespace orvane
