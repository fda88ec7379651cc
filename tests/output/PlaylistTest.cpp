// The playlist loader: the names of the playlist file whose pictures exist, in file order,
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
    Items("a.jpg\r\nmissing.jpg\r\nb.png\r\n");
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png"}));
    EXPECT_EQ(SharedState::playlistCount, 2);

    Items("c.bmp\r\na.jpg\r\nc.bmp\r\nc.bmp\r\n");
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"c.bmp", "a.jpg", "c.bmp", "c.bmp"}));
    EXPECT_EQ(SharedState::playlistCount, 4);
}

TEST_F(PlaylistTest, LineBreaksAreNotPartOfANameAndTheLastLineNeedsNone) {
    Items("a.jpg\nb.png\r\nc.bmp");
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png", "c.bmp"}));

    Items("a.jpg\r\n\r\nb.png\r\n");
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png"})) << "an empty line names the folder, not a file";
}

TEST_F(PlaylistTest, NamesAreLookedUpExactlyAsWritten) {
    Picture(" lead.bmp", 4, 4, 0xFFFFFF);
    Items(" a.jpg\r\n lead.bmp\r\nA.JPG\r\n");
    LoadPlaylist();
    // Windows file names ignore case, so "A.JPG" exists; the blank is kept as written.
    EXPECT_EQ(Rows(), (Names{" lead.bmp", "A.JPG"}));
}

TEST_F(PlaylistTest, EveryLoadStartsFromAnEmptyTable) {
    Items("a.jpg\r\nb.png\r\nc.bmp\r\n");
    LoadPlaylist();
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"a.jpg", "b.png", "c.bmp"}));

    Items("b.png\r\n");
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"b.png"}));
    EXPECT_EQ(SharedState::playlistCount, 1);
    EXPECT_EQ(SharedState::playlist->row(1), "") << "no stale name beyond the count";

    Items("missing.jpg\r\n");
    LoadPlaylist();
    EXPECT_EQ(SharedState::playlistCount, 0);
    EXPECT_EQ(SharedState::playlist->row(0), "");
}

TEST_F(PlaylistTest, AFileThatCannotBeOpenedGivesAnEmptyPlaylist) {
    Items("a.jpg\r\n");
    LoadPlaylist();
    ASSERT_EQ(SharedState::playlistCount, 1);
    DeleteFileA(SharedState::itemsPath.c_str());
    LoadPlaylist();
    EXPECT_EQ(SharedState::playlistCount, 0);
    EXPECT_EQ(SharedState::playlist->count(), 0);
}

TEST_F(PlaylistTest, RowZeroReadsAsAnEmptyNameBeforeAnyLoad) {
    Playlist fresh;
    EXPECT_EQ(fresh.count(), 0);
    EXPECT_EQ(fresh.row(0), "");
    EXPECT_EQ(fresh.row(-1), "");
}

TEST_F(PlaylistTest, HoldsMoreThanFiftyNames) {
    std::string items;
    Names expected;
    for (int i = 0; i < 120; ++i) {
        const std::string listed = i % 3 == 0 ? "a.jpg" : i % 3 == 1 ? "b.png" : "c.bmp";
        items += listed + "\r\n";
        expected.push_back(listed);
    }
    Items(items);
    LoadPlaylist();
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
    Items("a.jpg\r\n" + name + "\r\nb.png\r\n");
    LoadPlaylist();
    EXPECT_EQ(Rows(), (Names{"a.jpg", name, "b.png"}));
}

}  // namespace
