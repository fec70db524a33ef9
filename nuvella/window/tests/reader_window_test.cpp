#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "reader_harness_win32.h"
#include "resource.h"
#include "temp_dir.h"

namespace nuvella {
namespace {

using testing::DialogScript;
using testing::ReaderHarness;
using testing::TreeEntry;

// Code page 437 bytes: 0x81 u umlaut, 0xE1 sharp s, 0x82 e acute.
const std::string kIssue =
    "Start.Of test issue\r\n"
    " :: \"Front page\"\r\n"
    "Welcome\r\n"
    "== News ==\r\n"
    " :: \"First story\" by us\r\n"
    "Gr\x81\xE1"
    "e aus M\x81nchen, caf\x82 and \\ {braces}\r\n"
    " ____ Heading\r\n"
    " :: \"Second story\"\r\n"
    "more text\r\n"
    "=-=-=-[ Empty ]-=-=-\r\n"
    "nothing here\r\n";

// Every test runs in a fresh current directory holding one issue and one other file,
// which the start-up scan finds.
class ReaderWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_.write("one.txt", kIssue);
        dir_.write("notes.txt", "no marker on this first line\r\n== Not a section ==\r\n");
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    const TreeEntry& entry(ReaderHarness& reader, const std::string& label) {
        entries_ = reader.treeEntries();
        for (const TreeEntry& e : entries_) {
            if (e.label == label) {
                return e;
            }
        }
        ADD_FAILURE() << "no tree entry " << label;
        static TreeEntry none;
        return none;
    }

    static int width(const RECT& r) { return r.right - r.left; }
    static int height(const RECT& r) { return r.bottom - r.top; }

    testing::TempDir dir_;
    DialogScript dialogs_;

  private:
    std::filesystem::path previous_;
    std::vector<TreeEntry> entries_;
};

TEST_F(ReaderWindowTest, StartUpCreatesBothPanesSideBySide) {
    ReaderHarness reader;
    char text[64] = "";
    GetClassNameA(reader.window, text, sizeof text);
    EXPECT_STREQ(text, "nuv95Main");
    GetWindowTextA(reader.window, text, sizeof text);
    EXPECT_STREQ(text, "Nuvella Reader 1.01");
    GetClassNameA(reader.tree, text, sizeof text);
    EXPECT_STREQ(text, "SysTreeView32");
    ASSERT_NE(reader.pane, nullptr);
    EXPECT_TRUE(IsWindowVisible(reader.tree));
    EXPECT_TRUE(IsWindowVisible(reader.pane));
    EXPECT_TRUE(reader.menuChecked(IDM_SPLIT_VERTICAL));
    EXPECT_FALSE(reader.menuChecked(IDM_SPLIT_HORIZONTAL));

    const RECT client = reader.clientRect();
    const int a = static_cast<int>(client.right * 0.25);
    const RECT tree = reader.childRect(reader.tree);
    const RECT pane = reader.childRect(reader.pane);
    EXPECT_EQ(tree.left, 0);
    EXPECT_EQ(width(tree), a - 2);
    EXPECT_EQ(height(tree), client.bottom);
    EXPECT_EQ(pane.left, a + 2);
    EXPECT_EQ(width(pane), client.right - a);

    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(reader.pane, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.yHeight, 180);
    EXPECT_STREQ(format.szFaceName, "Terminal");
    EXPECT_EQ(reader.state().baseFontSize, 9);
}

TEST_F(ReaderWindowTest, ScanFillsTheTreeWithLabelsChildrenAndPictures) {
    ReaderHarness reader;
    std::vector<std::string> outline;
    for (const TreeEntry& e : reader.treeEntries()) {
        outline.push_back(std::to_string(e.depth) + " " + e.label + (e.hasChildren ? " +" : "") +
                          (e.expanded ? " open" : "") + " pic" + std::to_string(e.picture));
    }
    EXPECT_EQ(outline, (std::vector<std::string>{
                           "0 one.txt + pic3",
                           "1 Front page open pic2",
                           "1  News  + open pic1",
                           "2 First story open pic2",
                           "2 Second story open pic2",
                           "1  Empty  open pic2",
                       }));
    const TreeEntry file = entry(reader, "one.txt");
    reader.expand(file.item);
    EXPECT_EQ(entry(reader, "one.txt").picture, 4);
    EXPECT_EQ(entry(reader, "one.txt").start->text(), " :: \"Front page\"\n");
}

TEST_F(ReaderWindowTest, SelectingAnArticleShowsItsTextWithTitlesAndHeadings) {
    ReaderHarness reader;
    reader.select(entry(reader, "First story").item);
    const std::string text = reader.paneText();
    EXPECT_NE(text.find("\"First story\" by us\n"), std::string::npos) << text;
    EXPECT_NE(text.find("and \\ {braces}\n"), std::string::npos) << text;
    EXPECT_NE(text.find("       Heading\n\"Second story\"\nmore text"), std::string::npos) << text;
    EXPECT_EQ(text.find("Empty"), std::string::npos) << text;

    // The first title is dark red and centred, the second dark blue; headings bold italic.
    const std::string raw = reader.paneRawText();
    auto formatAt = [&](const std::string& what) {
        const auto at = static_cast<LPARAM>(raw.find(what));
        SendMessageA(reader.pane, EM_SETSEL, at, at + 1);
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        SendMessageA(reader.pane, EM_GETCHARFORMAT, SCF_SELECTION,
                     reinterpret_cast<LPARAM>(&format));
        PARAFORMAT paragraph{};
        paragraph.cbSize = sizeof paragraph;
        SendMessageA(reader.pane, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
        return std::make_pair(format, paragraph);
    };
    const auto [first, firstParagraph] = formatAt("First story");
    EXPECT_EQ(first.crTextColor, RGB(128, 0, 0));
    EXPECT_EQ(firstParagraph.wAlignment, PFA_CENTER);
    const auto [second, secondParagraph] = formatAt("Second story");
    EXPECT_EQ(second.crTextColor, RGB(0, 0, 128));
    EXPECT_EQ(secondParagraph.wAlignment, PFA_CENTER);
    const auto [heading, headingParagraph] = formatAt("Heading");
    EXPECT_EQ(heading.dwEffects & (CFE_BOLD | CFE_ITALIC),
              static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(heading.crTextColor, RGB(0, 0, 128));
    EXPECT_EQ(headingParagraph.wAlignment, PFA_LEFT);
}

TEST_F(ReaderWindowTest, LettersOfTheIssueShowAsTheSameLetters) {
    ReaderHarness reader;
    reader.select(entry(reader, "First story").item);
    // The pane's text in the ANSI code page: u umlaut 0xFC, sharp s 0xDF, e acute 0xE9.
    EXPECT_NE(reader.paneText().find("Gr\xFC\xDF"
                                     "e aus M\xFCnchen, caf\xE9 and"),
              std::string::npos)
        << reader.paneText();
}

TEST_F(ReaderWindowTest, SelectingTheFileShowsItsFrontPage) {
    ReaderHarness reader;
    reader.select(entry(reader, "one.txt").item);
    EXPECT_EQ(reader.paneText(), "\"Front page\"\nWelcome");
}

TEST_F(ReaderWindowTest, StackedSplitUsesTheSameRatioOfTheHeight) {
    ReaderHarness reader;
    reader.command(IDM_SPLIT_HORIZONTAL);
    EXPECT_TRUE(reader.menuChecked(IDM_SPLIT_HORIZONTAL));
    EXPECT_FALSE(reader.menuChecked(IDM_SPLIT_VERTICAL));
    const RECT client = reader.clientRect();
    const int a = static_cast<int>(client.bottom * 0.25);
    const RECT tree = reader.childRect(reader.tree);
    const RECT pane = reader.childRect(reader.pane);
    EXPECT_EQ(width(tree), client.right);
    EXPECT_EQ(height(tree), a - 1);
    EXPECT_EQ(pane.top, a + 2);
    EXPECT_EQ(height(pane), client.bottom - a);

    reader.command(IDM_SPLIT_VERTICAL);
    EXPECT_EQ(width(reader.childRect(reader.tree)), static_cast<int>(client.right * 0.25) - 2);
}

TEST_F(ReaderWindowTest, ResizingKeepsTheRatioAndMinimisingLeavesThePanes) {
    ReaderHarness reader;
    SetWindowPos(reader.window, nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    reader.pump();
    const RECT client = reader.clientRect();
    EXPECT_EQ(width(reader.childRect(reader.tree)), static_cast<int>(client.right * 0.25) - 2);
    const RECT before = reader.childRect(reader.tree);
    SendMessageA(reader.window, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    const RECT after = reader.childRect(reader.tree);
    EXPECT_EQ(width(after), width(before));
    EXPECT_EQ(height(after), height(before));
}

TEST_F(ReaderWindowTest, WindowCannotBeMadeSmallerThan50By50) {
    ReaderHarness reader;
    MINMAXINFO info{};
    SendMessageA(reader.window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 50);
    EXPECT_EQ(info.ptMinTrackSize.y, 50);
}

TEST_F(ReaderWindowTest, SplitterDragSetsTheRatioWithinItsBounds) {
    ReaderHarness reader;
    const RECT client = reader.clientRect();
    struct Drag {
        int release;
        double ratio;
    };
    for (const Drag drag :
         {Drag{client.right / 2, 0.5}, Drag{0, 0.05}, Drag{client.right, 0.95}, Drag{-40, 0.05}}) {
        const int start = reader.childRect(reader.pane).left - 2;
        SendMessageA(reader.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start, 10));
        EXPECT_TRUE(reader.state().dragging);
        EXPECT_EQ(GetCapture(), reader.window);
        SendMessageA(reader.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start + 7, 10));
        EXPECT_EQ(reader.state().dragPosition, start + 7);
        SendMessageA(reader.window, WM_LBUTTONUP, 0,
                     MAKELPARAM(static_cast<WORD>(static_cast<short>(drag.release)), 10));
        reader.pump();
        EXPECT_FALSE(reader.state().dragging);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_DOUBLE_EQ(reader.state().splitRatio,
                         drag.release == client.right / 2
                             ? static_cast<double>(client.right / 2) / client.right
                             : drag.ratio);
        EXPECT_EQ(width(reader.childRect(reader.tree)),
                  static_cast<int>(client.right * reader.state().splitRatio) - 2);
    }
}

TEST_F(ReaderWindowTest, StackedSplitterDragUsesTheVerticalPosition) {
    ReaderHarness reader;
    reader.command(IDM_SPLIT_HORIZONTAL);
    const RECT client = reader.clientRect();
    SendMessageA(reader.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 100));
    SendMessageA(reader.window, WM_LBUTTONUP, 0, MAKELPARAM(5, client.bottom));
    reader.pump();
    EXPECT_DOUBLE_EQ(reader.state().splitRatio, 0.95);
    EXPECT_EQ(height(reader.childRect(reader.tree)), static_cast<int>(client.bottom * 0.95) - 1);
}

TEST_F(ReaderWindowTest, OpenWithSeveralFilesAddsOneEntryPerJoinedPath) {
    dir_.write("a.txt", "Start.Of A\r\n== A1 ==\r\n");
    dir_.write("b.txt", "Start.Of B\r\n");
    ReaderHarness reader;
    const std::string directory = std::filesystem::current_path().string();
    dialogs_.openResult = directory + '\0' + "a.txt" + '\0' + "b.txt" + '\0' + '\0';
    dialogs_.openFileOffset = static_cast<WORD>(directory.size() + 1);
    reader.command(IDM_OPEN);

    ASSERT_EQ(dialogs_.openRequests.size(), 1u);
    const OPENFILENAMEA& request = dialogs_.openRequests[0];
    EXPECT_EQ(request.hwndOwner, reader.window);
    EXPECT_EQ(request.nMaxFile, 1024u);
    EXPECT_EQ(request.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_ALLOWMULTISELECT |
                                                OFN_FILEMUSTEXIST | OFN_HIDEREADONLY |
                                                OFN_NOCHANGEDIR));
    EXPECT_EQ(request.lpstrFilter, nullptr);

    std::vector<std::string> files;
    for (const TreeEntry& e : reader.treeEntries()) {
        if (e.depth == 0) {
            files.push_back(e.label);
        }
    }
    ASSERT_GE(files.size(), 2u);
    EXPECT_EQ(files[files.size() - 2], directory + "\\a.txt");
    EXPECT_EQ(files[files.size() - 1], directory + "\\b.txt");
    EXPECT_TRUE(dialogs_.boxes.empty());
}

// The shipped sample issue shows the same outline as the outline printer gives for it.
TEST_F(ReaderWindowTest, ShippedSampleFillsTheTreeLikeItsOutline) {
    const std::string source = NUVELLA_SOURCE_DIR;
    const std::string sample = source + "\\samples\\nuvella1.txt";
    std::ifstream golden(source + "\\cli\\tests\\nuvella1.outline", std::ios::binary);
    ASSERT_TRUE(golden.good()) << source;
    std::vector<std::string> expected;
    for (std::string line; std::getline(golden, line);) {
        // "DEPTH KIND LABEL": keep the depth and the label; the file entry is the path opened.
        const auto kindEnd = line.find(' ', 2);
        expected.push_back(line.substr(0, 2) +
                           (line[0] == '0' ? sample : line.substr(kindEnd + 1)));
    }
    ReaderHarness reader;
    const auto before = reader.treeEntries().size();
    dialogs_.openResult = sample + '\0';
    dialogs_.openFileOffset = static_cast<WORD>(sample.size() - 12);
    reader.command(IDM_OPEN);
    const auto entries = reader.treeEntries();
    std::vector<std::string> shown;
    for (std::size_t i = before; i < entries.size(); ++i) {
        shown.push_back(std::to_string(entries[i].depth) + " " + entries[i].label);
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(ReaderWindowTest, OpenOfOneFileUsesItsFullPath) {
    ReaderHarness reader;
    const std::string path = (std::filesystem::current_path() / "one.txt").string();
    dialogs_.openResult = path + '\0';
    dialogs_.openFileOffset = static_cast<WORD>(path.size() - 7);
    const auto before = reader.treeEntries().size();
    reader.command(IDM_OPEN);
    const auto entries = reader.treeEntries();
    EXPECT_EQ(entries.size(), 2 * before) << "the same file again is a second, independent entry";
    EXPECT_EQ(entries[before].label, path);
}

TEST_F(ReaderWindowTest, CancelledOpenChangesNothing) {
    ReaderHarness reader;
    const auto before = reader.treeEntries().size();
    reader.command(IDM_OPEN);
    EXPECT_EQ(dialogs_.extendedErrorCalls, 1);
    EXPECT_EQ(reader.treeEntries().size(), before);
}

TEST_F(ReaderWindowTest, JoinedPathTooLongForItsBufferIsSkipped) {
    ReaderHarness reader;
    const std::string directory = "C:\\" + std::string(240, 'd');
    dialogs_.openResult = directory + '\0' + std::string(20, 'n') + '\0' + '\0';
    dialogs_.openFileOffset = static_cast<WORD>(directory.size() + 1);
    const auto before = reader.treeEntries().size();
    reader.command(IDM_OPEN);
    EXPECT_EQ(reader.treeEntries().size(), before);
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(ReaderWindowTest, MissingMarkerAsksAndLoadsOnlyOnYes) {
    ReaderHarness reader;
    const std::string path = (std::filesystem::current_path() / "notes.txt").string();
    dialogs_.openResult = path + '\0';
    dialogs_.openFileOffset = static_cast<WORD>(path.size() - 9);
    const auto before = reader.treeEntries().size();

    dialogs_.boxAnswers = {IDNO};
    reader.command(IDM_OPEN);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].owner, reader.window);
    EXPECT_EQ(dialogs_.boxes[0].text,
              "\"Start.Of\" not found on first line.\n"
              "This file may not be a Nuvella-compatible file, continue anyway?");
    EXPECT_FALSE(dialogs_.boxes[0].caption.has_value());
    EXPECT_EQ(dialogs_.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(reader.treeEntries().size(), before);

    dialogs_.boxAnswers = {IDYES};
    reader.command(IDM_OPEN);
    const auto entries = reader.treeEntries();
    ASSERT_EQ(entries.size(), before + 2);
    EXPECT_EQ(entries[before].label, path);
    EXPECT_EQ(entries[before + 1].label, " Not a section ");
}

TEST_F(ReaderWindowTest, AboutShowsItsTextAndCaption) {
    ReaderHarness reader;
    dialogs_.boxAnswers = {IDOK};
    reader.command(IDM_ABOUT);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text.substr(0, 34), "Nuvella Reader 96 v1.01\n\nNotes :\n-");
    EXPECT_NE(dialogs_.boxes[0].text.find(
                  "-Resize the window or change the font if you see that text wraps"),
              std::string::npos);
    EXPECT_EQ(dialogs_.boxes[0].caption, std::optional<std::string>("So.. what about this?"));
    EXPECT_EQ(dialogs_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(ReaderWindowTest, FontDialogSetsThePaneFontAndTheBaseSize) {
    ReaderHarness reader;
    dialogs_.fontChoice = [](LOGFONTA& font) {
        font.lfHeight = -13;  // 10 points at 96 dots per inch
        lstrcpyA(font.lfFaceName, "Courier New");
        font.lfCharSet = ANSI_CHARSET;
        return true;
    };
    reader.command(IDM_FONT);
    ASSERT_EQ(dialogs_.fontRequests.size(), 1u);
    EXPECT_EQ(dialogs_.fontRequests[0].hwndOwner, nullptr);
    EXPECT_EQ(dialogs_.fontRequests[0].Flags,
              static_cast<DWORD>(CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT));
    EXPECT_EQ(dialogs_.fontsOffered[0].lfHeight, -9);
    EXPECT_STREQ(dialogs_.fontsOffered[0].lfFaceName, "Terminal");

    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(reader.pane, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.yHeight, 260);
    EXPECT_STREQ(format.szFaceName, "Courier New");
    EXPECT_EQ(reader.state().baseFontSize, 13);
}

TEST_F(ReaderWindowTest, FailedCommandIsShownAndTheWindowStaysUsable) {
    ReaderHarness reader;
    dialogs_.fontChoice = [](LOGFONTA&) -> bool { throw std::runtime_error("no fonts today"); };
    dialogs_.boxAnswers = {IDOK, IDOK};
    reader.command(IDM_FONT);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text, "no fonts today");
    EXPECT_EQ(dialogs_.boxes[0].caption, std::optional<std::string>("Nuvella Reader 1.01"));
    EXPECT_EQ(dialogs_.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    reader.command(IDM_ABOUT);
    EXPECT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_TRUE(IsWindow(reader.window));
}

TEST_F(ReaderWindowTest, CancelledFontDialogKeepsTheFont) {
    ReaderHarness reader;
    reader.command(IDM_FONT);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(reader.pane, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.yHeight, 180);
    EXPECT_STREQ(format.szFaceName, "Terminal");
    EXPECT_EQ(reader.state().baseFontSize, 9);
}

TEST_F(ReaderWindowTest, SelectAllSelectsTheWholeArticle) {
    ReaderHarness reader;
    reader.select(entry(reader, "Front page").item);
    reader.command(IDM_SELECT_ALL);
    CHARRANGE range{};
    SendMessageA(reader.pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.cpMin, 0);
    // The selection reaches past the text, over the closing paragraph mark.
    EXPECT_GE(range.cpMax, static_cast<LONG>(reader.paneRawText().size()));
    std::string selected(4096, '\0');
    selected.resize(static_cast<std::size_t>(
        SendMessageA(reader.pane, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected.data()))));
    EXPECT_EQ(selected.substr(0, reader.paneRawText().size()), reader.paneRawText());
}

TEST_F(ReaderWindowTest, SelectAllThenCopyPutsTheArticleOnTheClipboard) {
    ReaderHarness reader;
    reader.select(entry(reader, "Front page").item);
    reader.command(IDM_SELECT_ALL);
    reader.command(IDM_COPY);
    ASSERT_TRUE(OpenClipboard(reader.window));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string copied;
    if (data != nullptr) {
        copied = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(copied.substr(0, reader.paneRawText().size()), reader.paneRawText());
}

TEST_F(ReaderWindowTest, ExitClosesTheWindow) {
    ReaderHarness reader;
    reader.command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(reader.window));
}

// Not a check: holds a reader on screen with an article selected so that a screenshot can
// be taken (NUVELLA_DEMO_HOLD_SECONDS, with the current directory set by the caller). The
// first article is shown, or the entry whose label NUVELLA_DEMO_ENTRY names.
TEST(ReaderDemo, HoldsTheFirstArticleOnScreen) {
    const char* hold = std::getenv("NUVELLA_DEMO_HOLD_SECONDS");
    if (hold == nullptr) {
        GTEST_SKIP() << "set NUVELLA_DEMO_HOLD_SECONDS to run";
    }
    ReaderHarness reader;
    const auto entries = reader.treeEntries();
    ASSERT_FALSE(entries.empty()) << "no issue in the current directory";
    reader.expand(entries[0].item);
    const char* wanted = std::getenv("NUVELLA_DEMO_ENTRY");
    for (const TreeEntry& e : reader.treeEntries()) {
        if (wanted != nullptr ? e.label == wanted : (e.depth > 0 && !e.hasChildren)) {
            reader.select(e.item);
            break;
        }
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(hold));
    while (std::chrono::steady_clock::now() < until) {
        reader.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace
}  // namespace nuvella
