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
    record.clrbg = 0xFF000000;
    record.clrfont = 0xFFFF7F01;
    record.dispbtm = " a=b;[x]#\"引号\"\r\n\\ 中文\t";
    record.interval = 0;
    record.restorePlace = true;
    record.reloadSeconds = kLongestReloadSeconds;
    record.fit = PictureFit::Stretch;
    record.scroll = 600;
    record.hours = "1-5 08:30-21:00; 6-7 10:00-22:00";
    record.clock = "date";
    record.barSize = 400;
    record.fade = 5000;
    record.runLog = true;
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
    record.clock = "time";
    record.barSize = 12;
    record.fade = 100;
    record.corner = POINT{0, 0};
    return record;
}

TEST_F(SettingsRecordTest, WhatASaveWritesTheNextStartReadsBackWhole) {
    for (const SettingsRecord& saved : {Typical(), Edges(), PlaceWithoutMonitor()}) {
        folder.write("Placard.ini", "");  // nothing left of the row before
        Store([&](CCore& core) {
            saved.Save(core, SettingsRecord::Extra::Place);
        });
        EXPECT_TRUE(ReadBack() == saved) << saved.dispbtm;
    }
}

// A save writes the keys this run changed into the file as another program left it meanwhile.
struct MergeCase {
    const char* theirs;  // what another program wrote over "width=800 fit=none dispbtm=a" meanwhile
    std::function<void(SettingsRecord&)> ours;
    std::function<void(SettingsRecord&)> expected;  // what differs from the first file's record
    bool copyKept;
};
void PrintTo(const MergeCase& c, std::ostream* out) { *out << c.theirs; }

class SaveMergeTest : public SettingsRecordTest, public ::testing::WithParamInterface<MergeCase> {};

TEST_P(SaveMergeTest, KeepsWhatOnlyTheOtherProgramChangedAndACopyWhereBothDid) {
    const char base[] = "; hand-made\r\nwidth=800\r\nfit=none\r\ndispbtm=a\r\n";
    folder.write("Placard.ini", base);
    SettingsRecord expected = ReadBack();
    GetParam().expected(expected);
    std::string keptCopy;
    Store([&](CCore& core) {
        SettingsRecord record = SettingsRecord::Read(core);
        folder.write("Placard.ini", GetParam().theirs);
        GetParam().ours(record);
        record.Save(core, SettingsRecord::Extra::None);
        keptCopy = core.takeConfigKeptCopyNews();
        if (!GetParam().copyKept) return;
        // Another conflict straight after is kept too, but is no news.
        folder.write("Placard.ini", "dispbtm=again\r\n");
        record.dispbtm += "+";
        record.Save(core, SettingsRecord::Extra::None);
        EXPECT_EQ(core.takeConfigKeptCopyNews(), "") << "told once while the conflict goes on";
        record.dispbtm.pop_back();
        record.Save(core, SettingsRecord::Extra::None);
    });
    EXPECT_TRUE(ReadBack() == expected) << folder.read("Placard.ini");
    EXPECT_EQ(!keptCopy.empty(), GetParam().copyKept);
    if (!keptCopy.empty()) {
        EXPECT_EQ(folder.read(keptCopy.substr(folder.path().size())), GetParam().theirs);
    }
    EXPECT_EQ(folder.read("Placard.ini").find("place"), std::string::npos) << "no place it does not know";
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SaveMergeTest,
    ::testing::Values(
        MergeCase{"width=800\r\nfit=cover\r\ndispbtm=a\r\n", [](SettingsRecord& r) { r.width = 640; },
                  [](SettingsRecord& r) {
                      r.width = 640;
                      r.fit = PictureFit::Cover;
                  },
                  false},
        MergeCase{"width=700\r\ndispbtm=a\r\n", [](SettingsRecord& r) { r.dispbtm = "b"; },
                  [](SettingsRecord& r) {
                      r.width = 700;
                      r.fit = PictureFit::None;
                      r.dispbtm = "b";
                  },
                  false},
        MergeCase{"width=800\r\nfit=none\r\ndispbtm=theirs\r\n", [](SettingsRecord& r) { r.dispbtm = "ours"; },
                  [](SettingsRecord& r) { r.dispbtm = "ours"; }, true},
        MergeCase{"width=800\r\nfit=none\r\ndispbtm=b\r\n", [](SettingsRecord& r) { r.dispbtm = "b"; },
                  [](SettingsRecord& r) { r.dispbtm = "b"; }, false}),
    [](const ::testing::TestParamInfo<MergeCase>& info) { return "edit" + std::to_string(info.index); });

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
        StoredLines{"barsize=11", [](SettingsRecord&) {}}, StoredLines{"barsize=401", [](SettingsRecord&) {}},
        StoredLines{"barsize=96", [](SettingsRecord& r) { r.barSize = 96; }},
        StoredLines{"fade=99", [](SettingsRecord&) {}}, StoredLines{"fade=5001", [](SettingsRecord&) {}},
        StoredLines{"fade=500", [](SettingsRecord& r) { r.fade = 500; }},
        StoredLines{"clock=sometimes", [](SettingsRecord& r) { r.clock = "sometimes"; }},
        StoredLines{"log=yes", [](SettingsRecord&) {}},
        StoredLines{"width=wide\r\nheight=", [](SettingsRecord&) {}},
        StoredLines{"clrbg=0x00FF0000\r\nclrfont=0x7F00FF00",
                    [](SettingsRecord& r) {
                        r.clrbg = 0xFFFF0000;
                        r.clrfont = 0xFF00FF00;
                    }},
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
