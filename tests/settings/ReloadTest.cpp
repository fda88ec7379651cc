// "reload=N": the files another program changes while Placard runs, taken once they hold still.
#include <memory>
#include <string>
#include <vector>

#include "output/OutputDlg.h"
#include "output/Playlist.h"
#include "settings/SettingsFixture.h"
#include "store/SettledFile.h"
#include "support/ModalBoxAnswerer.h"

namespace {

TEST(SettledFileTest, AChangeIsTakenOnceItHoldsStillForTwoLooks) {
    const FileStamp a{true, 10, 100}, b{true, 20, 200}, c{true, 20, 300}, gone{};
    SettledFile file;
    file.take(a);
    const struct {
        FileStamp now;
        bool taken;
    } looks[] = {
        {a, false},     // as taken
        {b, false},     // changed: perhaps still being written
        {c, false},     // the same size, a later time: it was
        {c, true},      // held still: taken
        {c, false},     // and only once
        {gone, false},  // deleted
        {a, false},     // back as it was taken last but one
        {a, true},
    };
    for (size_t i = 0; i < std::size(looks); ++i) EXPECT_EQ(file.look(looks[i].now), looks[i].taken) << "look " << i;
}

class ReloadTest : public SettingsFixture {
protected:
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < SharedState::playlistCount; ++i) rows.push_back(SharedState::playlist->row(i));
        return rows;
    }
    // Waits until `condition` holds, or `ms` have gone by.
    static ScriptStep Within(DWORD ms, std::function<bool()> condition) {
        auto start = std::make_shared<DWORD>(0);
        return [=] {
            if (*start == 0) *start = GetTickCount();
            return condition() || GetTickCount() - *start > ms;
        };
    }
};

TEST_F(ReloadTest, TheShowFollowsWhatAnotherProgramWritesUnlessTheOperatorIsEditing) {
    for (const char* name : {"a.png", "b.png"}) folder.write(std::string("data\\") + name, "picture");
    folder.write("_items.txt", "a.png\r\n");
    Store([](CCore& core) {
        core.saveConfigInt("reload", 1);
        core.saveConfigInt("width", 800);
        core.saveConfigInt("height", 600);
    });
    ModalBoxAnswerer answerer;
    std::vector<std::string> playedAfterList, playedWhileEditing;
    std::string shownAfterList, widthShown;
    int widthAfterStore = 0, heightAfterBadStore = 0;
    size_t boxesAfterBadStore = 1;
    LONG outputWidth = 0;
    Run({OutputCreated(), Step([&] { folder.write("_items.txt", "b.png\r\n"); }),
         Within(8000, [&] { return Rows() == std::vector<std::string>{"b.png"}; }), Step([&] {
             playedAfterList = Rows();
             shownAfterList = Text(IDC_ITEMS);
             Store([](CCore& core) { core.saveConfigInt("width", 640); });
         }),
         Within(8000, [] { return SharedState::width == 640; }), Step([&] {
             widthAfterStore = SharedState::width;
             widthShown = Text(IDC_WIDTH);
             const RECT rect = SharedState::outputWnd->GetWindowRect();
             outputWidth = rect.right - rect.left;
             Store([](CCore& core) { core.saveConfigInt("height", 99999); });
         }),
         Within(3500, [] { return false; }), Step([&] {
             heightAfterBadStore = SharedState::height;
             boxesAfterBadStore = answerer.boxes().size();
             SetText(IDC_ITEMS, "a.png\r\nb.png\r\n");  // the operator types
             folder.write("_items.txt", "a.png\r\n");
         }),
         Within(3500, [] { return false; }), Step([&] { playedWhileEditing = Rows(); }), Close()});

    EXPECT_EQ(playedAfterList, (std::vector<std::string>{"b.png"}));
    EXPECT_EQ(shownAfterList, "b.png\r\n") << "the box shows the list taken";
    EXPECT_EQ(widthAfterStore, 640);
    EXPECT_EQ(widthShown, "640");
    EXPECT_EQ(outputWidth, 640);
    EXPECT_EQ(heightAfterBadStore, 600) << "a value Apply refuses is refused";
    EXPECT_EQ(boxesAfterBadStore, 0u) << "and without a box";
    EXPECT_EQ(playedWhileEditing, (std::vector<std::string>{"b.png"})) << "the operator's box wins";
    EXPECT_EQ(folder.read("_items.txt"), "a.png\r\nb.png\r\n") << "and is written at the close";
    EXPECT_EQ(answerer.boxes().size(), 1u) << "which says where the other version was kept";
}

}  // namespace
