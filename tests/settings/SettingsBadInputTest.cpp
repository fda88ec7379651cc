// Bad input reaching the settings dialog: values from the store that no Apply would accept and
// text of any kind in the number fields.
// The dialog keeps working, closes normally, and no file that was whole is left damaged.
#include <climits>
#include <ostream>
#include <string>

#include "output/OutputDlg.h"
#include "settings/SettingsFixture.h"
#include "output/Playlist.h"
#include "support/ModalBoxAnswerer.h"

namespace {

class SettingsBadInputTest : public SettingsFixture {
protected:
    // The output window's present size, or 0 x 0 while there is none.
    SIZE OutputSize() const {
        const COutputDlg* output = SharedState::outputWnd;
        if (output == nullptr || output->m_hWnd == nullptr) return SIZE{0, 0};
        const RECT rect = output->GetWindowRect();
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
    // Valid values applied: the output follows them, so the dialog still works.
    ScriptStep ApplyValid(SIZE* placed) const {
        return Step([this, placed] {
            SetText(IDC_WIDTH, "320");
            SetText(IDC_HEIGHT, "200");
            SetText(IDC_INTERVAL, "5");
            Click(IDC_APPLY);
            *placed = OutputSize();
        });
    }
};

struct StoredValue {
    const char* key;
    int value;
};
void PrintTo(const StoredValue& stored, std::ostream* out) { *out << stored.key << '=' << stored.value; }

class StoreOutOfRangeTest : public SettingsBadInputTest, public ::testing::WithParamInterface<StoredValue> {};

TEST_P(StoreOutOfRangeTest, StartsShowsTheValueAndClosesWithTheStoreWhole) {
    const StoredValue stored = GetParam();
    Store([&](CCore& core) {
        core.saveConfigB("on", true);
        core.saveConfigStr("dispbtm", "信息栏");
        core.saveConfigInt(stored.key, stored.value);
    });
    folder.write("_items.txt", "missing.jpg\r\n");
    const int field = std::string(stored.key) == "width" ? IDC_WIDTH
                      : std::string(stored.key) == "height" ? IDC_HEIGHT
                                                            : IDC_INTERVAL;
    ModalBoxAnswerer answerer;
    std::string shown;
    SIZE placed{};
    Run({OutputCreated(), Step([&] {
             shown = Text(field);
             SharedState::outputWnd->Render();  // a frame with the value, on demand
         }),
         Step([&] { SetText(field, shown); }),  // as it was, so that closing saves it again
         Close()});
    EXPECT_FALSE(closedByScript);
    EXPECT_EQ(shown, std::to_string(stored.value));
    EXPECT_TRUE(answerer.boxes().empty()) << "a start validates nothing";
    EXPECT_EQ(Stored([&](CCore& c) { return c.getConfigInt(stored.key); }), stored.value);
    EXPECT_EQ(folder.read("_items.txt"), "missing.jpg\r\n");

    // The next run starts from it again and still takes valid values.
    Run({OutputCreated(), ApplyValid(&placed), Close()});
    EXPECT_FALSE(closedByScript);
    EXPECT_EQ(placed.cx, 320);
    EXPECT_EQ(placed.cy, 200);
}

INSTANTIATE_TEST_SUITE_P(Values, StoreOutOfRangeTest,
                         ::testing::Values(StoredValue{"width", -1}, StoredValue{"width", INT_MAX}, StoredValue{"height", 100000},
                                           StoredValue{"interval", 0}),
                         [](const ::testing::TestParamInfo<StoredValue>& info) {
                             const int value = info.param.value;
                             return std::string(info.param.key) + (value < 0 ? "_minus" : "_") +
                                    std::to_string(value < 0 ? -static_cast<long long>(value) : value);
                         });

TEST_F(SettingsBadInputTest, ABackgroundWithNoAlphaIsKeptAndTheOutputStillRuns) {
    Store([](CCore& core) {
        core.saveConfigB("on", true);
        core.saveConfigClr("clrbg", 0x00FF0000);
    });
    SIZE placed{};
    Run({OutputCreated(), ApplyValid(&placed), Close()});
    EXPECT_FALSE(closedByScript);
    EXPECT_EQ(placed.cx, 320);
    // The dialog keeps the colour the button shows; an opaque red is what a picker gives.
    const Gdiplus::ARGB saved = Stored([](CCore& c) { return c.getConfigClr("clrbg"); });
    EXPECT_EQ(saved & 0x00FFFFFFu, 0x00FF0000u);
}

// A picture's seconds that cannot be read are told in one warning; the pictures play all the same.
TEST_F(SettingsBadInputTest, UnreadableSecondsInTheListAreToldAndThePicturesStillPlay) {
    for (const char* name : {"a.png", "b.png", "c.png"}) folder.write(std::string("data\\") + name, "picture");
    const std::string list = "a.png|x\r\nb.png|5\r\nc.png|0\r\n";
    ModalBoxAnswerer answerer;
    std::vector<std::string> played;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_ITEMS, list);
             Click(IDC_APPLY);
             for (int i = 0; i < SharedState::playlistCount; ++i) played.push_back(SharedState::playlist->row(i));
         }),
         Close()});
    ASSERT_EQ(answerer.boxes().size(), 1u);
    const std::string& told = answerer.boxes()[0].text;
    EXPECT_NE(told.find("a.png|x\nc.png|0"), std::string::npos) << told;
    EXPECT_EQ(told.find("b.png|5"), std::string::npos) << told;
    EXPECT_EQ(played, (std::vector<std::string>{"a.png", "b.png", "c.png"}));
    EXPECT_EQ(folder.read("_items.txt"), list) << "the lines kept as written";
}

TEST_F(SettingsBadInputTest, TextInTheNumberFieldsIsReadAsANumberOrRefused) {
    Store([](CCore& core) { core.saveConfigB("on", true); });
    struct Entry {
        const char* text;
        bool accepted;  // as a width
    };
    // The reading itself is the number field's own test; these show that the dialog uses it.
    const Entry entries[] = {{"12abc", false}, {"+640", true}, {"640 480", true}};
    ModalBoxAnswerer answerer;
    std::vector<size_t> boxesAfter;
    std::vector<SIZE> sizes;
    SIZE placed{};
    std::vector<ScriptStep> steps{OutputCreated()};
    for (const Entry& entry : entries) {
        steps.push_back(Step([&, entry] {
            SetText(IDC_HEIGHT, "200");
            SetText(IDC_INTERVAL, "5");
            SetText(IDC_WIDTH, entry.text);
            Click(IDC_APPLY);
            boxesAfter.push_back(answerer.boxes().size());
            sizes.push_back(OutputSize());
        }));
    }
    // Thirty digits as the interval saturate and are accepted: the longest period there is.
    steps.push_back(Step([&] {
        SetText(IDC_WIDTH, "320");
        SetText(IDC_INTERVAL, "123456789012345678901234567890");
        Click(IDC_APPLY);
        boxesAfter.push_back(answerer.boxes().size());
    }));
    steps.push_back(ApplyValid(&placed));
    steps.push_back(Close());
    Run(steps);

    EXPECT_FALSE(closedByScript);
    ASSERT_EQ(boxesAfter.size(), std::size(entries) + 1);
    size_t boxes = 0;
    for (size_t i = 0; i < std::size(entries); ++i) {
        const size_t expected = boxes + (entries[i].accepted ? 0 : 1);
        EXPECT_EQ(boxesAfter[i], expected) << '"' << entries[i].text << '"';
        if (entries[i].accepted) {
            EXPECT_EQ(sizes[i].cx, 640) << '"' << entries[i].text << '"';
        }
        boxes = boxesAfter[i];
    }
    EXPECT_EQ(boxesAfter.back(), boxes) << "a saturated interval is accepted";
    EXPECT_EQ(placed.cx, 320);
}

}  // namespace
