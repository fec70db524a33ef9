#include "issue_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "issue_file.h"
#include "memory_files.h"
#include "oem_table_converter.h"
#include "recording_outline_sink.h"
#include "temp_dir.h"

namespace nuvella {
namespace {

class ScriptedQuestion final : public MarkerQuestion {
  public:
    explicit ScriptedQuestion(bool answer) : answer_(answer) {}
    bool continueWithoutMarker() override {
        ++asked;
        return answer_;
    }
    int asked = 0;

  private:
    bool answer_;
};

class IssueLoaderTest : public ::testing::Test {
  protected:
    LoadResult load(const std::string& name, const std::string& bytes, bool interactive = false) {
        return loadIssueFile(dir.write(name, bytes), context, interactive);
    }
    std::vector<std::string> pieces(std::size_t issue = 0) const {
        std::vector<std::string> out;
        for (const IssueLine* line = library.at(issue).head(); line; line = line->next()) {
            out.emplace_back(line->text());
        }
        return out;
    }
    // "depth kind label" for every entry, in tree order.
    std::vector<std::string> outline() const {
        std::vector<std::string> out;
        for (const auto& e : sink.entries) {
            const char* kind = e.kind == OutlineKind::File      ? "file"
                               : e.kind == OutlineKind::Section ? "section"
                                                                : "article";
            out.push_back(std::to_string(e.depth) + " " + kind + " " +
                          (e.kind == OutlineKind::File ? std::string("FILE") : e.label));
        }
        return out;
    }

    testing::TempDir dir;
    RecordingOutlineSink sink;
    OemTableConverter converter;
    ScriptedQuestion question{false};
    IssueLibrary library;
    LoadContext context{sink, converter, question, library};
};

TEST_F(IssueLoaderTest, MarkerAnywhereOnTheFirstLineInAnyCase) {
    EXPECT_EQ(load("a.txt", "---start.of nuvella #42---\nbody\n"), LoadResult::Loaded);
    EXPECT_EQ(load("b.txt", "START.OF\n"), LoadResult::Loaded);
    EXPECT_EQ(load("c.txt", "sTaRt.oF"), LoadResult::Loaded);
}

TEST_F(IssueLoaderTest, MarkerMissingFromTheFirstLineIsPassedOverQuietly) {
    EXPECT_EQ(load("a.txt", "first line\nStart.Of\n"), LoadResult::NoMarker);
    EXPECT_EQ(load("b.txt", "Start Of\n"), LoadResult::NoMarker);
    EXPECT_EQ(question.asked, 0);
    EXPECT_TRUE(sink.entries.empty());
    EXPECT_EQ(library.size(), 0u);
}

TEST_F(IssueLoaderTest, MarkerBeyondTheFirstPieceIsNotSeen) {
    EXPECT_EQ(load("a.txt", std::string(95, 'x') + "Start.Of\n"), LoadResult::NoMarker);
    EXPECT_EQ(load("b.txt", std::string(91, 'x') + "Start.Of\n"), LoadResult::Loaded);
}

TEST_F(IssueLoaderTest, InteractiveMissingMarkerAsksAndNoLeavesTheOutlineAlone) {
    EXPECT_EQ(load("a.txt", "hello\n==== S ====\n", true), LoadResult::Declined);
    EXPECT_EQ(question.asked, 1);
    EXPECT_TRUE(sink.entries.empty());
    EXPECT_TRUE(sink.redrawCalls.empty());
}

TEST_F(IssueLoaderTest, InteractiveMissingMarkerLoadsWhenTheAnswerIsYes) {
    ScriptedQuestion yes(true);
    LoadContext answering{sink, converter, yes, library};
    EXPECT_EQ(loadIssueFile(dir.write("a.txt", "hello\n==== S ====\n"), answering, true),
              LoadResult::Loaded);
    EXPECT_EQ(yes.asked, 1);
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE", "1 section  S "}));
}

TEST_F(IssueLoaderTest, InteractiveWithMarkerDoesNotAsk) {
    EXPECT_EQ(load("a.txt", "Start.Of\nx\n", true), LoadResult::Loaded);
    EXPECT_EQ(question.asked, 0);
}

TEST_F(IssueLoaderTest, UnreadableAndEmptyFilesAreNotLoaded) {
    EXPECT_EQ(loadIssueFile((dir.path() / "none.txt").string(), context, true),
              LoadResult::CannotRead);
    EXPECT_EQ(loadIssueFile(dir.path().string(), context, true), LoadResult::CannotRead);
    EXPECT_EQ(load("empty.txt", ""), LoadResult::CannotRead);
    EXPECT_EQ(load("ctrlz.txt", "\x1AStart.Of\n"), LoadResult::Empty);
    EXPECT_EQ(question.asked, 0);
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(IssueLoaderTest, MarkerLineAloneGivesAFileEntryWithNoSections) {
    ASSERT_EQ(load("a.txt", "Start.Of\n"), LoadResult::Loaded);
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE"}));
    EXPECT_EQ(pieces(), (std::vector<std::string>{""}));
    EXPECT_EQ(sink.entries[0].start, library.at(0).head());
    EXPECT_TRUE(sink.entries[0].start->isEnd());
}

TEST_F(IssueLoaderTest, FileEntryIsLabelledWithThePathAsGivenAndStartsAtLineTwo) {
    const std::string path = dir.write("issue.txt", "Start.Of\nline two\n");
    ASSERT_TRUE(LoadIssue(path, context, false));
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].label, path);
    EXPECT_EQ(sink.entries[0].start->text(), "line two\n");
    EXPECT_EQ(sink.entries[0].parent, kOutlineRoot);
}

TEST_F(IssueLoaderTest, LongLinesAreSplitEvery99Characters) {
    const std::string line250(250, 'a');
    const std::string line99(99, 'b');
    ASSERT_EQ(load("a.txt", "Start.Of\n" + line250 + "\n" + line99 + "\nend"), LoadResult::Loaded);
    EXPECT_EQ(pieces(),
              (std::vector<std::string>{std::string(99, 'a'), std::string(99, 'a'),
                                        std::string(52, 'a') + "\n", line99, "\n", "end", ""}));
}

TEST_F(IssueLoaderTest, EverySplitPieceIsClassifiedOnItsOwn) {
    // The separator starts the second piece of a long line.
    ASSERT_EQ(load("a.txt", "Start.Of\n" + std::string(99, 'x') + "== Late ==\n"),
              LoadResult::Loaded);
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE", "1 section  Late "}));
}

TEST_F(IssueLoaderTest, SectionsAndArticlesInTreeOrder) {
    const std::string text =
        "Start.Of issue 7\n"
        " :: \"Before any section\"\n"
        "==== Sports ====\n"
        "=--(Interview)-----\n"
        "text\n"
        " :: \"Party report\" by the editors\n"
        " :: Party report\n"
        "=-----------\n"
        "=-=-=-=-=-=-=-=-\n"
        "some text =-=- more text\n"
        "=-[Last]-\n";
    ASSERT_EQ(load("a.txt", text), LoadResult::Loaded);
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE", "1 article Before any section",
                                                   "1 section  Sports ", "2 article Interview",
                                                   "2 article Party report", "1 section (no title)",
                                                   "1 section some text ", "2 article Last"}));
    // The children flag: the file (articles before the first section) and sections with articles.
    const auto& e = sink.entries;
    EXPECT_TRUE(e[0].hasChildren);
    EXPECT_TRUE(e[2].hasChildren);
    EXPECT_FALSE(e[5].hasChildren);
    EXPECT_TRUE(e[6].hasChildren);
    // Start pieces: a section starts after its separator, an article at its title line.
    EXPECT_EQ(e[2].start->text(), "=--(Interview)-----\n");
    EXPECT_EQ(e[3].start->text(), "=--(Interview)-----\n");
    EXPECT_EQ(e[4].start->text(), " :: \"Party report\" by the editors\n");
    EXPECT_EQ(e[5].start->text(), "some text =-=- more text\n");
    EXPECT_TRUE(e[7].start->next()->isEnd());
    EXPECT_EQ(sink.redrawCalls, (std::vector<bool>{false, true}));
}

TEST_F(IssueLoaderTest, SeparatorMarkSplitOverTwoPiecesBelongsToNeither) {
    const std::string text = "Start.Of\n" + std::string(96, 'x') + "=-=-abc\n" +
                             std::string(97, 'y') + "=-=-\n" + "plain\n" + "later =-=- found\n";
    ASSERT_EQ(load("a.txt", text), LoadResult::Loaded);
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE", "1 section later "}));
}

TEST_F(IssueLoaderTest, SeparatorMarkAtTheVeryEndOfAPieceCounts) {
    ASSERT_EQ(load("a.txt", "Start.Of\n" + std::string(95, 'x') + "=-=-" + "tail\n"),
              LoadResult::Loaded);
    EXPECT_EQ(outline(),
              (std::vector<std::string>{"0 file FILE", "1 section " + std::string(95, 'x')}));
}

TEST_F(IssueLoaderTest, SeparatorOnTheLastLineStartsItsSectionAtTheClosingPiece) {
    ASSERT_EQ(load("a.txt", "Start.Of\n== End =="), LoadResult::Loaded);
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_TRUE(sink.entries[1].start->isEnd());
}

TEST_F(IssueLoaderTest, LoadingTheSameFileTwiceGivesTwoIndependentEntries) {
    const std::string path = dir.write("a.txt", "Start.Of\n== A ==\n");
    ASSERT_TRUE(LoadIssue(path, context, false));
    ASSERT_TRUE(LoadIssue(path, context, false));
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE", "1 section  A ", "0 file FILE",
                                                   "1 section  A "}));
    EXPECT_EQ(library.size(), 2u);
    EXPECT_NE(sink.entries[1].start, sink.entries[3].start);
}

TEST_F(IssueLoaderTest, CarriageReturnsOfLineEndsAreDropped) {
    ASSERT_EQ(load("a.txt", "Start.Of\r\n :: \"Dos\"\r\nbody\r\n"), LoadResult::Loaded);
    EXPECT_EQ(pieces(), (std::vector<std::string>{" :: \"Dos\"\n", "body\n", ""}));
    EXPECT_EQ(sink.entries[1].label, "Dos");
}

TEST_F(IssueLoaderTest, StoredLinesAreConvertedFromTheOemCodePageButTheMarkerLineIsNot) {
    // 0x82 is e acute in code page 437 and 0xE9 in code page 1252.
    ASSERT_EQ(load("a.txt", "Start.Of \x82\n == Caf\x82 ==\n"), LoadResult::Loaded);
    EXPECT_EQ(pieces(), (std::vector<std::string>{" == Caf\xE9 ==\n", ""}));
    EXPECT_EQ(std::string(library.at(0).text.get(), 11), "Start.Of \x82\n");
}

TEST_F(IssueLoaderTest, SignsTheCodePageTurnsIntoEqualsMakeASeparator) {
    // 0xF0 (identical to) and 0xF2 (greater or equal) read as '=' in the ANSI code page.
    ASSERT_EQ(load("a.txt", "Start.Of\n\xF0\xF2 Menu \xF0\xF0\nbody\n"), LoadResult::Loaded);
    EXPECT_EQ(outline(), (std::vector<std::string>{"0 file FILE", "1 section  Menu "}));
}

TEST_F(IssueLoaderTest, NulEndsTheVisibleTextOfItsPiece) {
    ASSERT_EQ(load("a.txt", std::string("Start.Of\n== A ==\0hidden\nafter\n", 30)),
              LoadResult::Loaded);
    const auto p = pieces();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], "== A ==");
    EXPECT_EQ(p[1], "after\n");
    EXPECT_EQ(sink.entries[1].label, " A ");
}

// The same loads through files in memory, where the bytes read can be counted.
class HeadFirstTest : public IssueLoaderTest {
  protected:
    LoadResult loadMemory(const std::string& name, bool interactive = false) {
        LoadContext counted{sink, converter, question, library, files};
        return loadIssueFile(name, counted, interactive);
    }
    testing::MemoryFiles files;
};

struct HeadCase {
    const char* name;
    std::string text;
    std::size_t size;  // filler ('x', no line feed) up to here
    LoadResult result;
    std::size_t mostBytesRead;
};

TEST_F(HeadFirstTest, MarkerIsDecidedOnTheHeadAlone) {
    const std::size_t k50Mb = 50u << 20;
    const HeadCase cases[] = {
        {"marker early on a long first line", "--- Start.Of ---", 100000, LoadResult::Loaded,
         100000},
        {"marker past the first piece of a long line", std::string(120, '-') + "Start.Of", 100000,
         LoadResult::NoMarker, kIssueHeadSize},
        {"NUL before the marker", std::string("abc\0Start.Of\n", 13), 0, LoadResult::NoMarker, 13},
        {"NUL after the marker", std::string("Start.Of\0abc\nbody\n", 18), 0, LoadResult::Loaded,
         18},
        {"large file without the marker", "PK\x03\x04 an archive", k50Mb, LoadResult::NoMarker,
         kIssueHeadSize},
    };
    for (const HeadCase& c : cases) {
        files.bytesRead = 0;
        files.add(c.name, c.text, c.size);
        EXPECT_EQ(loadMemory(c.name), c.result) << c.name;
        EXPECT_LE(files.bytesRead, c.mostBytesRead) << c.name;
    }
}

TEST_F(HeadFirstTest, OpenAsksAboutALargeFileWithoutTheMarkerAfterItsHead) {
    files.add("video.avi", "RIFF", 50u << 20);
    EXPECT_EQ(loadMemory("video.avi", true), LoadResult::Declined);
    EXPECT_EQ(question.asked, 1);
    EXPECT_EQ(files.bytesRead, kIssueHeadSize);
}

TEST_F(HeadFirstTest, WholeFileIsReadWhateverSizeTheSystemReported) {
    const std::string text = "Start.Of\n== A ==\n" + std::string(9000, 'b') + "\n== B ==\n";
    for (const std::uint64_t reported : {std::uint64_t{0}, std::uint64_t{5000},
                                         std::uint64_t{text.size()}, std::uint64_t{1} << 20}) {
        IssueLibrary fresh;
        LoadContext counted{sink, converter, question, fresh, files};
        files.add("a.txt", text, 0, reported);
        ASSERT_EQ(loadIssueFile("a.txt", counted, false), LoadResult::Loaded) << reported;
        EXPECT_EQ(fresh.at(0).textSize, text.size()) << reported;
        EXPECT_EQ(sink.entries.back().label, " B ") << reported;
    }
}

// Runs out of memory at the n-th entry, as the tree control may.
class FailingSink final : public OutlineSink {
  public:
    explicit FailingSink(int failAt) : failAt_(failAt) {}
    void setRedraw(bool on) override { redrawCalls.push_back(on); }
    OutlineItem insert(OutlineItem, OutlineKind, std::string_view, const IssueLine*) override {
        if (++inserted == failAt_) {
            throw std::bad_alloc();
        }
        return static_cast<OutlineItem>(inserted);
    }
    void markHasChildren(OutlineItem) override {}
    void repaint() override {}
    std::vector<bool> redrawCalls;
    int inserted = 0;

  private:
    int failAt_;
};

TEST_F(IssueLoaderTest, RedrawingComesBackOnWhenEnteringRunsOutOfMemory) {
    FailingSink failing(2);
    LoadContext failingContext{failing, converter, question, library};
    const std::string path = dir.write("a.txt", "Start.Of\n== A ==\n== B ==\n");
    EXPECT_EQ(loadIssueFile(path, failingContext, false), LoadResult::OutOfMemory);
    EXPECT_EQ(failing.redrawCalls, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace nuvella

namespace nuvella {
namespace {

// The streamed outline is the loaded one, whatever the size of the parts: lines across part
// ends, a line longer than a part, CR LF, code page signs, a NUL, a Ctrl+Z.
TEST_F(IssueLoaderTest, StreamingEntersTheOutlineTheLoadEnters) {
    std::string text = "Start.Of streamed\r\n";
    for (int i = 0; i < 60; ++i) {
        text += i % 7 == 0 ? "=-=-=-[ Part " + std::to_string(i) + " ]-=-=-\r\n"
                           : " :: \"Story " + std::to_string(i) + "\" body\n";
        text += std::string(static_cast<std::size_t>(i * 13 % 230), 'b') + "= ==\n";
        if (i == 20)
            text += "\xF0\xF2 Menu \xF0\n" + std::string(9000, 'L') + "\n== long ==\n";
        if (i == 30)
            text += std::string("== N ==\0hidden\n", 15);
    }
    text += "== last ==\n\x1A== after the end ==\n";
    ASSERT_EQ(load("whole.txt", text), LoadResult::Loaded);
    const auto loaded = outline();
    ASSERT_GT(loaded.size(), 60u);
    const std::string path = (dir.path() / "whole.txt").string();
    for (const std::size_t part : {64u, 99u, 4096u, 5000u, 1u << 20}) {
        sink.entries.clear();
        EXPECT_EQ(streamIssueFile(path, context, part), LoadResult::Loaded);
        EXPECT_EQ(outline(), loaded) << "parts of " << part;
    }
    EXPECT_EQ(library.size(), 1u) << "a streamed issue is not kept";
    EXPECT_EQ(streamIssueFile(dir.write("no.txt", "not an issue\n"), context),
              LoadResult::NoMarker);
    EXPECT_EQ(question.asked, 0);
}

}  // namespace
}  // namespace nuvella

namespace nuvella {
namespace {

// A UTF-8 issue: its letters in the ANSI code page, its lines split by characters, the
// byte-order mark dropped; loading and streaming give the same outline.
TEST_F(IssueLoaderTest, Utf8IssueIsConvertedBeforeItsLinesAreSplit) {
    const std::string eAcute = "\xC3\xA9";
    std::string longLine;
    for (int i = 0; i < 120; ++i) {
        longLine += eAcute;
    }
    const std::string text =
        "\xEF\xBB\xBF--- Start.Of caf\xC3\xA9 ---\r\n"
        "==== Caf\xC3\xA9 \xE2\x80\x9Cnews\xE2\x80\x9D ====\r\n" +
        longLine + "\n =-(\xCE\xA9mega)\n";
    ASSERT_EQ(load("utf8.txt", text), LoadResult::Loaded);
    EXPECT_EQ(pieces(),
              (std::vector<std::string>{"==== Caf\xE9 \x93news\x94 ====\n", std::string(99, '\xE9'),
                                        std::string(21, '\xE9') + "\n", " =-(?mega)\n", ""}));
    const auto loaded = outline();
    EXPECT_EQ(loaded,
              (std::vector<std::string>{"0 file FILE", "1 section  Caf\xE9 \x93news\x94 "}));
    const std::string path = (dir.path() / "utf8.txt").string();
    for (const std::size_t part : {64u, 1u << 20}) {
        sink.entries.clear();
        EXPECT_EQ(streamIssueFile(path, context, part), LoadResult::Loaded);
        EXPECT_EQ(outline(), loaded) << "parts of " << part;
    }
}

// Bytes that are no UTF-8 (an OEM letter beside a sequence that would be valid) read as OEM.
TEST_F(IssueLoaderTest, IssueThatIsNotWholeUtf8IsReadFromTheOemCodePage) {
    ASSERT_EQ(load("oem.txt", "Start.Of\n\xC3\xA9 caf\x82\n"), LoadResult::Loaded);
    EXPECT_EQ(pieces(), (std::vector<std::string>{"+\xAC caf\xE9\n", ""}));
}

}  // namespace
}  // namespace nuvella
