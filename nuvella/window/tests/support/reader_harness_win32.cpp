#include "reader_harness_win32.h"

#include <gtest/gtest.h>

#include <cstring>

#include "reader_app_win32.h"

namespace nuvella::testing {
namespace {

DialogScript* activeScript = nullptr;

int scriptedMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    DialogScript& script = *activeScript;
    script.boxes.push_back({owner, text ? text : "",
                            caption ? std::optional<std::string>(caption) : std::nullopt, type});
    if (script.boxAnswers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << (text ? text : "");
        return (type & MB_YESNO) ? IDNO : IDOK;
    }
    const int answer = script.boxAnswers.front();
    script.boxAnswers.pop_front();
    return answer;
}

BOOL scriptedOpen(OPENFILENAMEA* request) {
    DialogScript& script = *activeScript;
    script.openRequests.push_back(*request);
    if (!script.openResult) {
        return FALSE;
    }
    const std::string& result = *script.openResult;
    if (result.size() > request->nMaxFile) {
        ADD_FAILURE() << "scripted result does not fit the buffer";
        return FALSE;
    }
    std::memcpy(request->lpstrFile, result.data(), result.size());
    request->nFileOffset = script.openFileOffset;
    return TRUE;
}

DWORD scriptedExtendedError() {
    ++activeScript->extendedErrorCalls;
    return 0;
}

BOOL scriptedChooseFont(CHOOSEFONTA* request) {
    DialogScript& script = *activeScript;
    script.fontRequests.push_back(*request);
    script.fontsOffered.push_back(*request->lpLogFont);
    if (!script.fontChoice) {
        return FALSE;
    }
    return script.fontChoice(*request->lpLogFont) ? TRUE : FALSE;
}

}  // namespace

DialogScript::DialogScript() : saved_(readerDialogs()) {
    activeScript = this;
    readerDialogs() =
        ReaderDialogs{scriptedMessageBox, scriptedOpen, scriptedExtendedError, scriptedChooseFont};
}

DialogScript::~DialogScript() {
    readerDialogs() = saved_;
    activeScript = nullptr;
}

ReaderHarness::ReaderHarness() {
    richEdit_ = LoadLibraryA("RICHED32.DLL");
    EXPECT_NE(richEdit_, nullptr);
    InitCommonControls();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    pictures_ = loadTreePictures(instance);
    EXPECT_NE(pictures_, nullptr);
    static const bool registered = registerReaderClass(instance);
    EXPECT_TRUE(registered);
    window = createReaderWindow(instance, pictures_);
    EXPECT_NE(window, nullptr);
    tree = GetDlgItem(window, 1);
    pane = GetDlgItem(window, 2);
    pump();
}

ReaderHarness::~ReaderHarness() {
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
    pump();
    ImageList_Destroy(pictures_);
}

void ReaderHarness::pump() {
    MSG message;
    // The window posts to itself while handling posted messages: go until nothing is left.
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;  // posted by the window's destruction; the test goes on
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ReaderHarness::command(WORD id) {
    SendMessageA(window, WM_COMMAND, id, 0);
    pump();
}

ReaderState& ReaderHarness::state() const {
    return *readerState(window);
}

std::vector<TreeEntry> ReaderHarness::treeEntries() const {
    std::vector<TreeEntry> entries;
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM first, int depth) {
        for (HTREEITEM item = first; item != nullptr;
             item = reinterpret_cast<HTREEITEM>(
                 SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
            char text[300] = "";
            TVITEMA got{};
            got.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN | TVIF_PARAM | TVIF_IMAGE;
            got.stateMask = TVIS_EXPANDED;
            got.hItem = item;
            got.pszText = text;
            got.cchTextMax = sizeof text;
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&got));
            entries.push_back({item, depth, text, got.cChildren != 0,
                               (got.state & TVIS_EXPANDED) != 0, got.iImage,
                               reinterpret_cast<const IssueLine*>(got.lParam)});
            walk(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                          reinterpret_cast<LPARAM>(item))),
                 depth + 1);
        }
    };
    walk(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0);
    return entries;
}

void ReaderHarness::select(HTREEITEM item) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    pump();
}

void ReaderHarness::expand(HTREEITEM item) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    pump();
}

std::string ReaderHarness::paneRawText() const {
    // The reported length can count a paragraph break as one character while the text holds
    // two, so leave room for both.
    const auto length = SendMessageA(pane, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) * 2 + 16, '\0');
    const auto got =
        SendMessageA(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::string ReaderHarness::paneText() const {
    std::string plain;
    for (const char c : paneRawText()) {
        if (c != '\r') {
            plain += c;
        }
    }
    return plain;
}

RECT ReaderHarness::childRect(HWND child) const {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ReaderHarness::clientRect() const {
    RECT r;
    GetClientRect(window, &r);
    return r;
}

bool ReaderHarness::menuChecked(UINT id) const {
    return (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

}  // namespace nuvella::testing
