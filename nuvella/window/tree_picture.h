// Which of the five tree pictures an outline entry shows.
#pragma once

namespace nuvella {

// Pictures of the tree image list, in bitmap order.
enum TreePicture : int {
    kSectionClosed = 0,
    kSectionOpen = 1,
    kArticle = 2,
    kFileClosed = 3,
    kFileOpen = 4,
};

// A file entry has no parent; a section with articles has the children flag; anything
// without the flag (an article, an empty section) is drawn as an article.
inline int treePicture(bool hasParent, bool hasChildren, bool expanded) {
    if (!hasParent) {
        return expanded ? kFileOpen : kFileClosed;
    }
    if (hasChildren) {
        return expanded ? kSectionOpen : kSectionClosed;
    }
    return kArticle;
}

}  // namespace nuvella
