// Streams the document of one outline entry into the RichEdit text pane.
#pragma once

#include <windows.h>

#include "issue_line.h"

namespace nuvella {

// The EDITSTREAM callback: the cookie is the ArticleStream being handed over.
DWORD CALLBACK StreamArticleRtf(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* handed);

// Replaces the pane's content; the pane is not redrawn until the whole document is in.
void ShowArticle(HWND pane, const IssueLine* start, int baseFontSize);

}  // namespace nuvella
