// The settings dialog through its real modal loop: loading, validation with its warnings and
// focus, the playlist file, the keyboard, and saving on close.
#include <climits>
#include <ostream>

#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "settings/SettingsRecord.h"
#include "support/ModalBoxAnswerer.h"

namespace {

const char* const kWidthWarning = "输出显示宽度必须是100到8000之间的整数";
const char* const kHeightWarning = "输出显示高度必须是100到4320之间的整数";
const char* const kIntervalWarning = "轮换间隔不能小于1秒";

class SettingsDialogTest : public SettingsFixture {};

TEST_F(SettingsDialogTest, LoadsTheStoreAndThePlaylistFileIntoTheControls) {
    const std::string barText = "  a=b;[x]#\"引号\" 中文 ";
    Store([&](CCore& core) {
        core.saveConfigB("on", false);
        core.saveConfigInt("width", 1024);
        core.saveConfigInt("height", -3);
        core.saveConfigClr("clrbg", 0x80112233);
        core.saveConfigClr("clrfont", 0xFF445566);
        core.saveConfigStr("dispbtm", barText);
        core.saveConfigInt("interval", INT_MAX);
    });
    const std::string items = "a.jpg\r\n b.png \r\n\r\n图片.jpg";
    folder.write("_items.txt", items);

    struct Seen {
        std::string width, height, interval, bar, items;
        bool enabled = true;
        int focus = 0;
    } seen;
    Run({Step([&] {
             seen.width = Text(IDC_WIDTH);
             seen.height = Text(IDC_HEIGHT);
             seen.interval = Text(IDC_INTERVAL);
             seen.bar = Text(IDC_DISPBTM);
             seen.items = Text(IDC_ITEMS);
             seen.enabled = Checked(IDC_ENABLE);
             seen.focus = FocusedId();
         }),
         Close()});

    EXPECT_EQ(seen.width, "1024");
    EXPECT_EQ(seen.height, "-3");
    EXPECT_EQ(seen.interval, "2147483647");
    EXPECT_EQ(seen.bar, barText);
    EXPECT_EQ(seen.items, items);
    EXPECT_FALSE(seen.enabled);
    EXPECT_EQ(seen.focus, IDC_ENABLE);
    // Values are loaded as stored: nothing is validated or clamped at start.
    EXPECT_EQ(SharedState::height, -3);
    EXPECT_EQ(SharedState::appPath, folder.path());
    EXPECT_EQ(SharedState::dataDir, folder.path() + "data\\");
    EXPECT_EQ(SharedState::itemsPath, folder.path() + "_items.txt");

    // A colour keeps its RGB and reads as opaque, saved again or not.
    const SettingsRecord saved = Stored([](CCore& c) { return SettingsRecord::Read(c); });
    EXPECT_EQ(saved.clrbg, 0xFF112233u);
    EXPECT_EQ(saved.clrfont, 0xFF445566u);
    // Closing rewrote the playlist file byte for byte.
    EXPECT_EQ(folder.read("_items.txt"), items);
}

TEST_F(SettingsDialogTest, AFirstStartShowsTheWelcomeAndClosingCreatesThePlaylistFile) {
    std::string bar;
    Run({Step([&] {
             bar = Text(IDC_DISPBTM);
             SetText(IDC_ITEMS, "first.png\r\n");
         }),
         Close()});
    EXPECT_NE(bar.find("欢迎"), std::string::npos) << bar;
    EXPECT_EQ(folder.read("_items.txt"), "first.png\r\n");
}

struct ValidationCase {
    const char* width;
    const char* height;
    const char* interval;
    const char* warning;  // null: accepted
    int focus;
};
void PrintTo(const ValidationCase& c, std::ostream* out) {
    *out << "width \"" << c.width << "\", height \"" << c.height << "\", interval \"" << c.interval << "\": "
         << (c.warning == nullptr ? "accepted"
             : c.focus == IDC_WIDTH ? "the width refused"
             : c.focus == IDC_HEIGHT ? "the height refused"
                                     : "the interval refused");
}

class ValidationTest : public SettingsFixture, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(ValidationTest, ApplyChecksWidthHeightIntervalInOrderAndWritesThePlaylistOnlyWhenAccepted) {
    const ValidationCase& c = GetParam();
    Store([](CCore& core) { core.saveConfigB("on", false); });
    folder.write("_items.txt", "old.jpg\r\n");

    ModalBoxAnswerer answerer;
    int focusAfter = 0;
    HWND dialogWindow = nullptr;
    std::string fileAfterApply;
    Run({OutputCreated(), Step([&] {
             dialogWindow = dialog.m_hWnd;
             SetText(IDC_WIDTH, c.width);
             SetText(IDC_HEIGHT, c.height);
             SetText(IDC_INTERVAL, c.interval);
             SetText(IDC_ITEMS, "new.jpg\r\n");
             Click(IDC_APPLY);
             focusAfter = FocusedId();
             fileAfterApply = folder.read("_items.txt");
         }),
         Close()});

    // Collected before any test, refused or not.
    EXPECT_EQ(SharedState::width, atoi(c.width));
    EXPECT_EQ(SharedState::height, atoi(c.height));
    EXPECT_EQ(SharedState::interval, atoi(c.interval));
    if (c.warning == nullptr) {
        EXPECT_TRUE(answerer.boxes().empty());
        EXPECT_EQ(fileAfterApply, "new.jpg\r\n");
    } else {
        EXPECT_EQ(fileAfterApply, "old.jpg\r\n");
        ASSERT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].text, c.warning);
        EXPECT_EQ(answerer.boxes()[0].caption, "Placard");
        EXPECT_EQ(answerer.boxes()[0].owner, dialogWindow);
        EXPECT_EQ(focusAfter, c.focus);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ValidationTest,
    ::testing::Values(ValidationCase{"100", "100", "1", nullptr, 0},
                      ValidationCase{"8000", "4320", "999999", nullptr, 0},
                      ValidationCase{"99", "600", "5", kWidthWarning, IDC_WIDTH},
                      ValidationCase{"8001", "600", "5", kWidthWarning, IDC_WIDTH},
                      ValidationCase{"", "600", "5", kWidthWarning, IDC_WIDTH},
                      ValidationCase{"50", "50", "0", kWidthWarning, IDC_WIDTH},
                      ValidationCase{"800", "99", "5", kHeightWarning, IDC_HEIGHT},
                      ValidationCase{"800", "4321", "0", kHeightWarning, IDC_HEIGHT},
                      ValidationCase{"800", "600", "0", kIntervalWarning, IDC_INTERVAL},
                      ValidationCase{"800", "600", "-7", kIntervalWarning, IDC_INTERVAL}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) {
        std::string name = std::string("w") + info.param.width + "_h" + info.param.height + "_i" + info.param.interval;
        for (char& ch : name)
            if (ch == '-') ch = 'm';
        return name;
    });

TEST_F(SettingsDialogTest, ClosingSavesAllSevenKeysUnvalidatedAndRewritesThePlaylist) {
    folder.write("_items.txt", "old.jpg\r\n");
    ModalBoxAnswerer answerer;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_WIDTH, "50");  // refused by Apply, saved all the same
             SetText(IDC_HEIGHT, "99999");
             SetText(IDC_INTERVAL, "0");
             SetText(IDC_DISPBTM, " 新的一行 ");
             SetText(IDC_ITEMS, "x.png\r\ny.png");
             Click(IDC_ENABLE);  // on -> off
             Click(IDC_APPLY);
         }),
         Close()});
    EXPECT_FALSE(closedByScript);
    EXPECT_EQ(answerer.boxes().size(), 1u);
    EXPECT_FALSE(Stored([](CCore& c) { return c.getConfigB("on"); }));
    EXPECT_EQ(Stored([](CCore& c) { return c.getConfigInt("width"); }), 50);
    EXPECT_EQ(Stored([](CCore& c) { return c.getConfigInt("height"); }), 99999);
    EXPECT_EQ(Stored([](CCore& c) { return c.getConfigInt("interval"); }), 0);
    EXPECT_EQ(Stored([](CCore& c) { return c.getConfigStr("dispbtm"); }), " 新的一行 ");
    EXPECT_EQ(folder.read("_items.txt"), "x.png\r\ny.png");
    // Everything the dialog made is released.
    EXPECT_EQ(SharedState::core, nullptr);
    EXPECT_EQ(SharedState::playlist, nullptr);
    EXPECT_EQ(SharedState::outputWnd, nullptr);
}

TEST_F(SettingsDialogTest, EscapeDoesNothingWhicheverControlHasTheFocus) {
    const int controls[] = {IDC_ENABLE, IDC_SECOND_SCREEN, IDC_ITEMS,  IDC_WIDTH, IDC_HEIGHT, IDC_CLRBG,
                            IDC_INTERVAL, IDC_DISPBTM,      IDC_ABOUT, IDC_APPLY, IDC_CLRFONT};
    Store([](CCore& core) { core.saveConfigB("on", false); });
    std::vector<ScriptStep> steps{OutputCreated(), Step([&] {
                                      SetText(IDC_ITEMS, "keep.jpg");
                                      SetText(IDC_WIDTH, "640");
                                  })};
    int stillOpen = 0;
    for (int id : controls) {
        steps.push_back(Step([this, id] { PressKey(id, VK_ESCAPE); }));
        steps.push_back(Step([&] {
            if (dialog.IsWindowVisible() && Text(IDC_ITEMS) == "keep.jpg" &&
                Text(IDC_WIDTH) == "640")
                ++stillOpen;
        }));
    }
    steps.push_back(Close());
    Run(steps);
    EXPECT_EQ(stillOpen, static_cast<int>(std::size(controls)));
    EXPECT_FALSE(closedByScript);
}

TEST_F(SettingsDialogTest, EnterInAWidthFieldClosesTheDialogAndSaves) {
    Store([](CCore& core) { core.saveConfigB("on", false); });
    const INT_PTR result = Run({OutputCreated(), Step([&] {
                                    SetText(IDC_WIDTH, "1234");
                                    PressKey(IDC_WIDTH, VK_RETURN);
                                })});
    EXPECT_FALSE(closedByScript);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Stored([](CCore& c) { return c.getConfigInt("width"); }), 1234);
}

TEST_F(SettingsDialogTest, EnterInThePlaylistBoxStartsANewLine) {
    Store([](CCore& core) { core.saveConfigB("on", false); });
    std::string text;
    bool open = false;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_ITEMS, "a.jpg");
             Focus(IDC_ITEMS);
             ::SendMessageW(Item(IDC_ITEMS), EM_SETSEL, 5, 5);
             PostKey(IDC_ITEMS, VK_RETURN);
         }),
         Step([&] {
             text = Text(IDC_ITEMS);
             open = dialog.IsWindowVisible();
         }),
         Close()});
    EXPECT_TRUE(open);
    EXPECT_EQ(text, "a.jpg\r\n");
    EXPECT_EQ(folder.read("_items.txt"), "a.jpg\r\n");
}

// The box takes what the list file holds, not the edit control's 32,767 characters.
TEST_F(SettingsDialogTest, APasteIntoALongListIsTakenWholeAndSaved) {
    Store([](CCore& core) { core.saveConfigB("on", false); });
    std::string names;
    while (names.size() < 40000) names += "新品促销-" + std::to_string(names.size()) + ".jpg\r\n";
    std::string text;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_ITEMS, names);
             const int end = ::GetWindowTextLengthW(Item(IDC_ITEMS));
             ::SendMessageW(Item(IDC_ITEMS), EM_SETSEL, end, end);
             ::SendMessageW(Item(IDC_ITEMS), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"最后.jpg\r\n"));
             text = Text(IDC_ITEMS);
         }),
         Close()});
    EXPECT_EQ(text, names + "最后.jpg\r\n");
    EXPECT_EQ(folder.read("_items.txt"), text);
}

TEST_F(SettingsDialogTest, EnterOnAFocusedApplyButtonPressesIt) {
    Store([](CCore& core) { core.saveConfigB("on", false); });
    ModalBoxAnswerer answerer;
    bool open = false;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_WIDTH, "5");
             PressKey(IDC_APPLY, VK_RETURN);
         }),
         Until([&] { return !answerer.boxes().empty(); }), Step([&] { open = dialog.IsWindowVisible(); }),
         Close()});
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, kWidthWarning);
    EXPECT_TRUE(open);
}

TEST_F(SettingsDialogTest, TheAboutBoxOpensOverTheDialogAndClosesWithOk) {
    ModalBoxAnswerer answerer;
    HWND dialogWindow = nullptr;
    Run({OutputCreated(), Step([&] {
             dialogWindow = dialog.m_hWnd;
             Click(IDC_ABOUT);
         }),
         Close()});
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].owner, dialogWindow);
    EXPECT_NE(answerer.boxes()[0].caption.find("Placard"), std::string::npos);
    EXPECT_FALSE(closedByScript);
}

// A modal box over the dialog keeps it disabled until the box closes, whatever the output
// window (which the dialog owns, and which stays usable) is sent meanwhile.
struct ModalBoxCase {
    const char* name;
    int button;         // opens the box
    const char* width;  // 50: Apply's width warning
    bool outputEnds;    // Enter in the output window reaches it through the box's loop
};
std::ostream& operator<<(std::ostream& out, const ModalBoxCase& c) { return out << c.name; }

class ModalBoxTest : public SettingsFixture, public ::testing::WithParamInterface<ModalBoxCase> {};

TEST_P(ModalBoxTest, EnterInTheOutputWindowDoesNotEnableTheDialogUnderTheBox) {
    const ModalBoxCase& c = GetParam();
    HWND box = nullptr;
    ModalBoxAnswerer finder([&](HWND found) { box = found; });
    bool outputShown = false, enabledUnder = true, enabledAfter = false;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_WIDTH, c.width);
             ::PostMessageW(Item(c.button), BM_CLICK, 0, 0);
         }),
         Until([&] { return box != nullptr; }), Step([&] {
             const HWND output = SharedState::outputWnd->m_hWnd;
             ::SetActiveWindow(output);
             ::PostKey(output, VK_RETURN);
         }),
         Step([&] {
             outputShown = SharedState::outputWnd->IsWindowVisible();
             enabledUnder = ::IsWindowEnabled(dialog.m_hWnd) != FALSE;
             ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         }),
         Until([&] { return !::IsWindow(box); }),
         Step([&] { enabledAfter = ::IsWindowEnabled(dialog.m_hWnd) != FALSE; }), Close()});
    EXPECT_EQ(outputShown, !c.outputEnds);
    EXPECT_FALSE(enabledUnder);
    EXPECT_TRUE(enabledAfter);
    EXPECT_FALSE(closedByScript);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ModalBoxTest,
                         ::testing::Values(ModalBoxCase{"About", IDC_ABOUT, "800", true},
                                           ModalBoxCase{"Warning", IDC_APPLY, "50", false}),
                         [](const ::testing::TestParamInfo<ModalBoxCase>& info) { return info.param.name; });

}  // namespace
