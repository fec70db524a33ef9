#include "tree_outline_sink_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace nuvella {
namespace {

class TreeOutlineSinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitCommonControls();
        tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW | TVS_HASBUTTONS, 0, 0, 200,
                               200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(tree, nullptr);
    }
    void TearDown() override { DestroyWindow(tree); }

    TVITEMA item(OutlineItem handle) {
        TVITEMA got{};
        got.mask =
            TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
        got.stateMask = 0xFFFF;
        got.hItem = reinterpret_cast<HTREEITEM>(handle);
        got.pszText = text;
        got.cchTextMax = sizeof text;
        EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&got)));
        return got;
    }

    HWND tree = nullptr;
    char text[300] = {};
};

TEST_F(TreeOutlineSinkTest, EntriesCarryTheirKindsStatesAndStartPieces) {
    TreeOutlineSink sink(tree);
    const IssueLine pieces[3] = {};
    const OutlineItem file = sink.insert(kOutlineRoot, OutlineKind::File, "issue.txt", &pieces[0]);
    const OutlineItem section = sink.insert(file, OutlineKind::Section, " News ", &pieces[1]);
    ASSERT_NE(file, 0u);

    TVITEMA f = item(file);
    EXPECT_STREQ(f.pszText, "issue.txt");
    EXPECT_EQ(f.cChildren, 1);
    EXPECT_EQ(f.state & TVIS_EXPANDED, 0u) << "a file entry starts collapsed";
    EXPECT_EQ(f.lParam, reinterpret_cast<LPARAM>(&pieces[0]));

    TVITEMA s = item(section);
    EXPECT_STREQ(s.pszText, " News ");
    EXPECT_EQ(s.cChildren, 0) << "no articles yet";
    EXPECT_NE(s.state & TVIS_EXPANDED, 0u);

    const OutlineItem article = sink.insert(section, OutlineKind::Article, "Party", &pieces[2]);
    sink.markHasChildren(section);
    EXPECT_EQ(item(section).cChildren, 1);

    TVITEMA a = item(article);
    EXPECT_STREQ(a.pszText, "Party");
    EXPECT_EQ(a.cChildren, 0);
    EXPECT_EQ(a.lParam, reinterpret_cast<LPARAM>(&pieces[2]));
    EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, static_cast<LPARAM>(article)),
              static_cast<LRESULT>(section));
}

TEST_F(TreeOutlineSinkTest, LaterEntriesGoLastUnderTheirParent) {
    TreeOutlineSink sink(tree);
    const IssueLine piece{};
    const OutlineItem file = sink.insert(kOutlineRoot, OutlineKind::File, "f", &piece);
    const OutlineItem first = sink.insert(file, OutlineKind::Section, "first", &piece);
    const OutlineItem second = sink.insert(file, OutlineKind::Section, "second", &piece);
    EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, static_cast<LPARAM>(file)),
              static_cast<LRESULT>(first));
    EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(first)),
              static_cast<LRESULT>(second));
}

}  // namespace
}  // namespace nuvella
