#include "tree_outline_sink_win32.h"

#include <commctrl.h>

#include <new>
#include <string>

namespace nuvella {

void TreeOutlineSink::setRedraw(bool on) {
    SendMessageA(tree_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

OutlineItem TreeOutlineSink::insert(OutlineItem parent, OutlineKind kind, std::string_view label,
                                    const IssueLine* start) {
    std::string text(label);  // the control wants it NUL-terminated
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent == kOutlineRoot ? TVI_ROOT : reinterpret_cast<HTREEITEM>(parent);
    insert.hInsertAfter = TVI_LAST;
    TVITEMA& item = insert.item;
    item.mask =
        TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
    item.pszText = text.data();
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
    item.lParam = reinterpret_cast<LPARAM>(start);
    item.state = TVIS_EXPANDED;
    // A file entry names the expanded state with an empty mask, so it starts collapsed;
    // sections and articles start expanded.
    item.stateMask = kind == OutlineKind::File ? 0 : TVIS_EXPANDED;
    item.cChildren = kind == OutlineKind::File ? 1 : 0;
    const LRESULT handle =
        SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    // The control fails an insertion only when it has no memory left; going on would hang
    // the following entries at the root.
    if (handle == 0) {
        throw std::bad_alloc();
    }
    return static_cast<OutlineItem>(handle);
}

void TreeOutlineSink::markHasChildren(OutlineItem item) {
    TVITEMA update{};
    update.mask = TVIF_CHILDREN;
    update.hItem = reinterpret_cast<HTREEITEM>(item);
    update.cChildren = 1;
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&update));
}

void TreeOutlineSink::repaint() {
    UpdateWindow(tree_);
}

}  // namespace nuvella
