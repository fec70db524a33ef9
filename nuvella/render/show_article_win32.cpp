#include "show_article_win32.h"

#include <richedit.h>

#include "article_rtf.h"

namespace nuvella {

DWORD CALLBACK StreamArticleRtf(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* handed) {
    auto* stream = reinterpret_cast<ArticleStream*>(cookie);
    const std::size_t count = requested > 0 ? stream->read(reinterpret_cast<char*>(buffer),
                                                           static_cast<std::size_t>(requested))
                                            : 0;
    *handed = static_cast<LONG>(count);
    return 0;
}

void ShowArticle(HWND pane, const IssueLine* start, int baseFontSize) {
    SendMessageA(pane, WM_SETREDRAW, FALSE, 0);
    ArticleStream stream;
    BuildArticleRtf(stream, start, baseFontSize);
    EDITSTREAM editStream{};
    editStream.dwCookie = reinterpret_cast<DWORD_PTR>(&stream);
    editStream.dwError = 0;
    editStream.pfnCallback = StreamArticleRtf;
    SendMessageA(pane, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&editStream));
    SendMessageA(pane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(pane, nullptr, TRUE);
    UpdateWindow(pane);
}

}  // namespace nuvella
