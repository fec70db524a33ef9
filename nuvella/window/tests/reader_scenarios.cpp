// Scenarios through the real nuvella.exe, driven from outside as a reader would use it.
#include <gtest/gtest.h>

#include "resource.h"
#include "scenario_test.h"

namespace {

using namespace driver;

const char* const kSecondIssue =
    "Start.Of the second issue\r\n"
    " :: \"Short note\"\r\n"
    "Only a few words in this one.\r\n";

class ReaderScenario : public ScenarioTest {
  protected:
    // A folder of two issues and one file without the marker, as a reader keeps them.
    void SetUp() override {
        ScenarioTest::SetUp();
        CopyInto(NUVELLA_SAMPLE, Folder());
        WriteFileBytes(InFolder("second.txt"), kSecondIssue);
        WriteFileBytes(InFolder("notes.txt"), "no marker on this first line\r\n");
    }
    static std::vector<std::string> Roots(HWND tree) {
        std::vector<std::string> roots;
        for (const TreeItem& item : TreeItems(tree))
            if (item.depth == 0)
                roots.push_back(item.text);
        return roots;
    }
};

TEST_F(ReaderScenario, ReadsAnArticleChangesTheFontAndDeclinesAFileWithoutTheMarker) {
    Run([&] {
        Program& reader = Start(NUVELLA_EXE);
        Step("start: the scan lists the two issues");
        HWND window = reader.Window("nuv95Main");
        HWND tree = ControlById(window, IDC_TREE);
        HWND pane = ControlById(window, IDC_TEXT);
        WaitFor("two issues in the tree", [&] { return Roots(tree).size() == 2; });
        EXPECT_EQ(Roots(tree), (std::vector<std::string>{"nuvella1.txt", "second.txt"}));

        Step("open an article by selecting it in the tree");
        Select(tree, "nuvella1.txt");
        Select(tree, "nuvella1.txt>Welcome to the first issue");
        WaitFor("the article in the pane", [&] {
            return TextOf(pane).find("Four small programs, one repository") != std::string::npos;
        });
        EXPECT_EQ(TextOf(pane).find("editor's note"), std::string::npos);

        Step("Font: a larger size chosen in the font dialog");
        ChooseMenu(window, IDM_FONT);
        HWND fontBox = reader.Box();
        Retype(ControlByClass(fontBox, "ComboBox", 2), "20");
        ClickButton(fontBox, "OK");
        WaitFor("the font dialog to close", [&] { return !IsWindow(fontBox); });
        EXPECT_NE(TextOf(pane).find("Four small programs"), std::string::npos);

        Step("Open of a file without the marker, answered No");
        ChooseMenu(window, IDM_OPEN);
        HWND openBox = reader.Box();
        HWND name = ControlById(openBox, 0x47c);  // the file name box of the open dialog
        Retype(name, "notes.txt");                // the dialog opens in the reader's folder
        ClickButton(openBox, "&Open");
        const std::string question = Answer(reader, "&No");
        EXPECT_NE(question.find("\"Start.Of\" not found on first line."), std::string::npos);
        EXPECT_EQ(Roots(tree).size(), 2u);

        Step("close");
        Close(window);
        EXPECT_TRUE(reader.WaitForExit());
    });
}

}  // namespace
