// The settings record through a real store file: what one run saves, the next reads back whole,
// and what the store holds that no save would have written is read as its key's "off".
#include <climits>
#include <functional>
#include <ostream>

#include "settings/SettingsFixture.h"
#include "settings/SettingsRecord.h"

namespace {

class SettingsRecordTest : public SettingsFixture {
protected:
    SettingsRecord ReadBack() {
        return Stored([](CCore& core) { return SettingsRecord::Read(core); });
    }
};

SettingsRecord Typical() {
    SettingsRecord record;
    record.on = true;
    record.width = 800;
    record.height = 600;
    record.clrbg = 0xFF000000;
    record.clrfont = 0xFFFFFFFF;
    record.dispbtm = "欢迎光临";
    record.interval = 5;
    return record;
}

SettingsRecord Edges() {
    SettingsRecord record;
    record.width = INT_MIN;
    record.height = INT_MAX;
    record.clrbg = 0x00000000;
    record.clrfont = 0x80FF7F01;
    record.dispbtm = " a=b;[x]#\"引号\"\r\n\\ 中文\t";
    record.interval = 0;
    record.restorePlace = true;
    record.reloadSeconds = kLongestReloadSeconds;
    record.fit = PictureFit::Stretch;
    record.scroll = 600;
    record.hours = "1-5 08:30-21:00; 6-7 10:00-22:00";
    record.corner = POINT{INT_MIN, -1};
    record.home = HomePlace{"\\\\.\\DISPLAY2", POINT{-1280, INT_MAX}};
    return record;
}

SettingsRecord PlaceWithoutMonitor() {
    SettingsRecord record = Typical();
    record.dispbtm.clear();
    record.restorePlace = true;
    record.reloadSeconds = 1;
    record.fit = PictureFit::Cover;
    record.scroll = 30;
    record.corner = POINT{0, 0};
    return record;
}

TEST_F(SettingsRecordTest, WhatASaveWritesTheNextStartReadsBackWhole) {
    for (const SettingsRecord& saved : {Typical(), Edges(), PlaceWithoutMonitor()}) {
        folder.write("Placard.ini", "");  // nothing left of the row before
        Store([&](CCore& core) {
            saved.Save(core, SettingsRecord::Extra::OptIn);
            saved.Save(core, SettingsRecord::Extra::Place);
        });
        EXPECT_TRUE(ReadBack() == saved) << saved.dispbtm;
    }
}

// A close writes no opt-in key, and no place it does not know.
TEST_F(SettingsRecordTest, ASaveWithoutExtraKeysWritesTheSevenAlone) {
    const SettingsRecord saved = Edges();
    Store([&](CCore& core) { saved.Save(core, SettingsRecord::Extra::None); });
    const std::string file = folder.read("Placard.ini");
    EXPECT_EQ(file.find("place"), std::string::npos) << file;
    EXPECT_EQ(file.find("hours"), std::string::npos) << file;
    EXPECT_EQ(ReadBack().width, INT_MIN);
}

struct StoredLines {
    const char* lines;
    std::function<void(SettingsRecord&)> expected;  // what differs from a first start's record
};
void PrintTo(const StoredLines& c, std::ostream* out) { *out << c.lines; }

class RefusedValueTest : public SettingsRecordTest, public ::testing::WithParamInterface<StoredLines> {};

TEST_P(RefusedValueTest, ReadsAsItsKeysOffOrItsDefault) {
    SettingsRecord expected = ReadBack();  // a first start: the embedded defaults
    GetParam().expected(expected);
    folder.write("Placard.ini", GetParam().lines);
    const SettingsRecord read = ReadBack();
    EXPECT_TRUE(read == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedValueTest,
    ::testing::Values(
        StoredLines{"reload=86401", [](SettingsRecord&) {}}, StoredLines{"reload=-5", [](SettingsRecord&) {}},
        StoredLines{"reload=often", [](SettingsRecord&) {}}, StoredLines{"scroll=29", [](SettingsRecord&) {}},
        StoredLines{"scroll=601", [](SettingsRecord&) {}},
        StoredLines{"scroll= 120 ", [](SettingsRecord& r) { r.scroll = 120; }},
        StoredLines{"fit=COVER", [](SettingsRecord& r) { r.fit = PictureFit::Cover; }},
        StoredLines{"fit=sideways", [](SettingsRecord&) {}},
        StoredLines{"width=wide\r\nheight=", [](SettingsRecord&) {}},
        StoredLines{"placex=5\r\nplacey=6", [](SettingsRecord&) {}},
        StoredLines{"restoreplace=1\r\nplacex=5\r\nplacemonitor=\\\\.\\DISPLAY1\r\nplaceoffsetx=3",
                    [](SettingsRecord& r) { r.restorePlace = true; }},
        StoredLines{"restoreplace=1\r\nplacex=5\r\nplacey=-6\r\nplacemonitor=\r\nplaceoffsetx=3\r\nplaceoffsety=4",
                    [](SettingsRecord& r) {
                        r.restorePlace = true;
                        r.corner = POINT{5, -6};
                    }}),
    [](const ::testing::TestParamInfo<StoredLines>& info) { return "line" + std::to_string(info.index); });

}  // namespace
