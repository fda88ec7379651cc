// The playlist loader: the names of the list whose pictures exist, in the list's order,
// exactly as written, the table rebuilt from nothing at every load.
#include <string>
#include <vector>

#include "output/OutputFixture.h"

namespace {

std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < SharedState::playlist->count(); ++i) rows.push_back(SharedState::playlist->row(i));
    return rows;
}

using Names = std::vector<std::string>;

class PlaylistTest : public OutputFixture {
protected:
    void SetUp() override {
        OutputFixture::SetUp();
        Picture("a.jpg", 4, 4, 0xFF0000);
        Picture("b.png", 4, 4, 0x00FF00);
        Picture("c.bmp", 4, 4, 0x0000FF);
    }
};

TEST_F(PlaylistTest, KeepsTheExistingNamesInFileOrderWithDuplicates) {
    LoadPlaylist("a.jpg\r\nmissing.jpg\r\nb.png\r\n");
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png"}));
    EXPECT_EQ(SharedState::playlistCount, 2);

    LoadPlaylist("c.bmp\r\na.jpg\r\nc.bmp\r\nc.bmp\r\n");
    EXPECT_EQ(Rows(), (Names{"c.bmp", "a.jpg", "c.bmp", "c.bmp"}));
    EXPECT_EQ(SharedState::playlistCount, 4);
}

TEST_F(PlaylistTest, LineBreaksAreNotPartOfANameAndTheLastLineNeedsNone) {
    LoadPlaylist("a.jpg\nb.png\r\nc.bmp");
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png", "c.bmp"}));

    LoadPlaylist("a.jpg\r\n\r\nb.png\r\n");
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png"})) << "an empty line names the folder, not a file";
}

TEST_F(PlaylistTest, NamesAreLookedUpExactlyAsWritten) {
    Picture(" lead.bmp", 4, 4, 0xFFFFFF);
    LoadPlaylist(" a.jpg\r\n lead.bmp\r\nA.JPG\r\n");
    // Windows file names ignore case, so "A.JPG" exists; the blank is kept as written.
    EXPECT_EQ(Rows(), (Names{" lead.bmp", "A.JPG"}));
}

TEST_F(PlaylistTest, EveryLoadStartsFromAnEmptyTable) {
    LoadPlaylist("a.jpg\r\nb.png\r\nc.bmp\r\n");
    LoadPlaylist("a.jpg\r\nb.png\r\nc.bmp\r\n");
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png", "c.bmp"}));

    LoadPlaylist("b.png\r\n");
    EXPECT_EQ(Rows(), (Names{"b.png"}));
    EXPECT_EQ(SharedState::playlistCount, 1);
    EXPECT_EQ(SharedState::playlist->row(1), "") << "no stale name beyond the count";

    LoadPlaylist("missing.jpg\r\n");
    EXPECT_EQ(SharedState::playlistCount, 0);
    EXPECT_EQ(SharedState::playlist->row(0), "");
    EXPECT_EQ(SharedState::playlist->row(-1), "");
}

TEST_F(PlaylistTest, HoldsMoreThanFiftyNames) {
    std::string items;
    Names expected;
    for (int i = 0; i < 120; ++i) {
        const std::string listed = i % 3 == 0 ? "a.jpg" : i % 3 == 1 ? "b.png" : "c.bmp";
        items += listed + "\r\n";
        expected.push_back(listed);
    }
    LoadPlaylist(items);
    EXPECT_EQ(SharedState::playlistCount, 120);
    EXPECT_EQ(Rows(), expected);
}

TEST_F(PlaylistTest, KeepsALongNameWhole) {
    // 300 bytes in the ANSI code page, a path the platform still reaches.
    std::string name;
    for (int i = 0; i < 148; ++i) name += "图";
    name += ".bmp";
    ASSERT_EQ(name.size(), 300u);
    Picture(name, 4, 4, 0);
    ASSERT_TRUE(folder.exists("data\\" + name));
    LoadPlaylist("a.jpg\r\n" + name + "\r\nb.png\r\n");
    EXPECT_EQ(Rows(), (Names{"a.jpg", name, "b.png"}));
}

TEST_F(PlaylistTest, TenThousandLinesAndAFiveThousandByteLineLeaveEveryOtherNameWhole) {
    const Names cycle = {"a.jpg", "b.png", "missing.jpg", "c.bmp"};
    std::string items;
    Names expected;
    for (int i = 0; i < 10000; ++i) {
        // Halfway, a line far longer than any path, right before a name that exists.
        if (i == 5001) items += std::string(4996, 'x') + ".bmp\r\n";
        const std::string& listed = cycle[static_cast<size_t>(i) % cycle.size()];
        items += listed + "\r\n";
        if (listed != "missing.jpg") expected.push_back(listed);
    }
    LoadPlaylist(items);
    EXPECT_EQ(SharedState::playlistCount, 7500);
    EXPECT_EQ(Rows(), expected);
}

TEST_F(PlaylistTest, OnlyLineBreaksGiveNoNamesAndOneLineNeedsNoBreak) {
    for (const std::string items : {"\r\n", "\r\n\r\n\r\n", "\n\n\n", "\r\r\r", "\r\n\n\r\r\n", ""}) {
        LoadPlaylist(items);
        EXPECT_EQ(SharedState::playlistCount, 0) << testing::PrintToString(items);
        EXPECT_EQ(SharedState::playlist->count(), 0);
    }
    LoadPlaylist("b.png");
    EXPECT_EQ(Rows(), (Names{"b.png"}));
}

TEST_F(PlaylistTest, BytesThatAreNotCp936StayInTheirOwnLine) {
    // A lead byte with no valid trail, a lone 0xFF and 0x80: whatever the code page makes of
    // them, they neither name an existing picture nor take the line break after them along.
    LoadPlaylist("\x81\x20" "a.jpg\r\n"
          "\xFF\r\n"
          "a.jpg\xFF\r\n"
          "\x81\r\nb.png\r\n"
          "\x81\nc.bmp\r\n"
          "\x80" "a.jpg\r\n"
          "\xFF");
    EXPECT_EQ(Rows(), (Names{"b.png", "c.bmp"}));
    EXPECT_EQ(SharedState::playlistCount, 2);
}

TEST_F(PlaylistTest, ALineWithANulByteNamesNoFile) {
    // No file name holds a NUL; cut there, the line would name another picture than it says.
    LoadPlaylist(std::string("a.jpg\0.png\r\n\0\r\nb.png\0\r\n\0c.bmp\r\nc.bmp\r\n", 38));
    EXPECT_EQ(Rows(), (Names{"c.bmp"}));
    EXPECT_EQ(SharedState::playlistCount, 1);
}

TEST_F(PlaylistTest, AControlZByteEndsNeitherTheFileNorItsLine) {
    // The settings dialog shows the file's exact bytes: every name it shows after a stray
    // Ctrl-Z (an end-of-file mark to a stream in text mode) is still played.
    LoadPlaylist("a.jpg\r\n\x1A\r\nb.png\r\nc.bmp\x1A\r\nc.bmp\r\n");
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png", "c.bmp"}));
}

// "name|seconds": the name before the last '|', as written; a suffix that is no number of
// seconds leaves the interval and is told.
TEST(PlaylistLineTest, ASuffixOfWholeSecondsIsThePicturesOwnTime) {
    const struct {
        const char* line;
        const char* name;
        int seconds;
        bool unreadable;
    } lines[] = {
        {"a.png", "a.png", 0, false},          {"a.png|20", "a.png", 20, false},
        {"a.png|86400", "a.png", 86400, false}, {" a b.png |1", " a b.png ", 1, false},
        {"a.png|0", "a.png", 0, true},          {"a.png|86401", "a.png", 0, true},
        {"a.png|x", "a.png", 0, true},          {"a.png|", "a.png", 0, true},
        {"a.png|99999999999", "a.png", 0, true}, {"a.png| 5", "a.png", 0, true},
        {"a|b.png|5", "a|b.png", 5, false},
        // A double-byte character whose second byte is '|' is no suffix.
        {"\x81\x7C.png", "\x81\x7C.png", 0, false},
    };
    for (const auto& l : lines) {
        const PlaylistLine read = ReadPlaylistLine(l.line);
        EXPECT_EQ(read.name, l.name) << l.line;
        EXPECT_EQ(read.seconds, l.seconds) << l.line;
        EXPECT_EQ(read.unreadableSeconds, l.unreadable) << l.line;
    }
    EXPECT_EQ(LinesWithUnreadableSeconds("a.png|x\r\nb.png|3\nc.png|0"), (Names{"a.png|x", "c.png|0"}));
}

}  // namespace
