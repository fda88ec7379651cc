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

// Another program's edits of the store, one after another, each taken key by key once it holds
// still, or not at all.
TEST_F(ReloadTest, EachKeyOfAnOutsideEditIsTakenOrRefusedOnItsOwnAndAFileGoneIsNoChange) {
    const std::string start = "reload=1\r\nwidth=800\r\nheight=600\r\ninterval=5\r\ndispbtm=old\r\n";
    folder.write("Placard.ini", start);
    const struct {
        const char* what;
        const char* file;  // null: deleted
        int width;
        const char* bar;
        PictureFit fit;
    } edits[] = {
        {"a store deleted", nullptr, 800, "old", PictureFit::None},
        {"an empty store", "", 800, "old", PictureFit::None},
        {"a refused width with a new text", "reload=1\r\nwidth=99999\r\ndispbtm=new\r\n", 800, "new", PictureFit::None},
        {"an opt-in key", "reload=1\r\nwidth=640\r\ndispbtm=new\r\nfit=cover\r\n", 640, "new", PictureFit::Cover},
    };
    struct Seen {
        int width;
        std::string bar, shown;
        PictureFit fit;
    };
    std::vector<Seen> seen;
    std::vector<ScriptStep> steps{OutputCreated()};
    for (const auto& edit : edits) {
        steps.push_back(Step([&] {
            if (edit.file == nullptr) {
                DeleteFileA(folder.file("Placard.ini").c_str());
            } else {
                folder.write("Placard.ini", edit.file);
            }
        }));
        steps.push_back(Within(3500, [] { return false; }));
        steps.push_back(Step([&] { seen.push_back({SharedState::width, SharedState::dispbtm, Text(IDC_DISPBTM), SharedState::fit}); }));
    }
    steps.push_back(Close());
    ModalBoxAnswerer answerer;
    Run(steps);
    ASSERT_EQ(seen.size(), std::size(edits));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].width, edits[i].width) << edits[i].what;
        EXPECT_EQ(seen[i].bar, edits[i].bar) << edits[i].what;
        EXPECT_EQ(seen[i].shown, edits[i].bar) << edits[i].what;
        EXPECT_EQ(seen[i].fit, edits[i].fit) << edits[i].what;
    }
    EXPECT_TRUE(answerer.boxes().empty());
}

// Apply keeps what it applied, so a rewrite of the same file by another program undoes nothing,
// and a value Apply refused never goes live through the reload.
TEST_F(ReloadTest, ARewriteOfTheAppliedStoreUndoesNothingAndARefusedValueNeverGoesLive) {
    folder.write("data\\a.png", "picture");
    folder.write("_items.txt", "a.png\r\n");
    folder.write("Placard.ini", "reload=1\r\nwidth=800\r\nheight=600\r\ninterval=5\r\non=1\r\n");
    ModalBoxAnswerer answerer;
    int interval = 0, on = 1;
    LONG widthAfterList = 0;
    std::string bar;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_INTERVAL, "9");
             SetText(IDC_WIDTH, "700");
             SetText(IDC_DISPBTM, "new text");
             Click(IDC_APPLY);
             Click(IDC_ENABLE);
             folder.write("Placard.ini", "; synced\r\n" + folder.read("Placard.ini"));
         }),
         Within(3500, [] { return false; }), Step([&] {
             interval = SharedState::interval;
             on = SharedState::on;
             bar = SharedState::dispbtm;
             SetText(IDC_WIDTH, "9000");
             Click(IDC_APPLY);  // refused, with its warning
             Click(IDC_ENABLE);  // the output back on, at the size last accepted
             folder.write("_items.txt", "a.png\r\na.png\r\n");
         }),
         Within(8000, [&] { return Rows().size() == 2; }), Step([&] {
             const RECT rect = SharedState::outputWnd->GetWindowRect();
             widthAfterList = rect.right - rect.left;
         }),
         Close()});
    EXPECT_EQ(interval, 9);
    EXPECT_EQ(on, 0);
    EXPECT_EQ(bar, "new text");
    EXPECT_EQ(widthAfterList, 700);
    EXPECT_EQ(answerer.boxes().size(), 1u) << "the refusal's warning alone";
}

}  // namespace
