// The operator's own files as Notepad and other programs leave them: the playlist in every
// encoding Notepad writes, files held open or damaged at start-up, and a Windows restart
// that ends the program with no close. Nothing the operator wrote is lost or garbled.
#include <algorithm>
#include <list>
#include <ostream>
#include <string>
#include <vector>

#include "output/Playlist.h"
#include "settings/SettingsFixture.h"
#include "support/HeldFile.h"
#include "support/ModalBoxAnswerer.h"

namespace {

using Names = std::vector<std::string>;

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

const char kUtf8Bom[] = "\xEF\xBB\xBF";
const std::string kNames = "a.png\r\n图片.png\r\n";

class OperatorFilesTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        folder.write("data\\a.png", "picture");
        folder.write("data\\图片.png", "picture");  // a CP936 name on disk
        folder.write("data\\b.png", "picture");
        for (const char* name : {"鞋.png", "小猫.png", "路牌.jpg", "味道.png"}) folder.write(std::string("data\\") + name, "picture");
    }
    Names Rows() const {
        Names rows;
        for (int i = 0; i < SharedState::playlistCount; ++i) rows.push_back(SharedState::playlist->row(i));
        return rows;
    }
    // One run of the dialog that shows the playlist, optionally replaces the box's text, and closes.
    void RunOnce(std::string* shown, Names* played, const std::string* typed = nullptr) {
        Run({OutputCreated(), Step([&] {
                 if (shown != nullptr) *shown = Text(IDC_ITEMS);
                 if (played != nullptr) *played = Rows();
                 if (typed != nullptr) SetText(IDC_ITEMS, *typed);
             }),
             Close()});
    }
};

struct EncodingCase {
    const char* name;
    std::string list;  // the names, as the box shows them
    // The file as Notepad saved them. In code page 936, "图片" also passes for two valid UTF-8
    // characters, and "鞋", "小猫" for Cyrillic and accented Latin ones.
    std::string bytes;
    std::string edited;  // the same file once "b.png" is added
};
// The case's name in test listings, for its bytes.
void PrintTo(const EncodingCase& c, std::ostream* out) { *out << c.name; }

class PlaylistEncodingTest : public OperatorFilesTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(PlaylistEncodingTest, NamesShowAndPlayAndTheFileKeepsItsEncoding) {
    const EncodingCase& c = GetParam();
    folder.write("_items.txt", c.bytes);
    std::string shown;
    Names played;
    RunOnce(&shown, &played);
    EXPECT_EQ(shown, c.list);
    Names listed;
    for (size_t start = 0, end; (end = c.list.find("\r\n", start)) != std::string::npos; start = end + 2)
        listed.push_back(c.list.substr(start, end - start));
    EXPECT_EQ(played, listed);
    EXPECT_EQ(folder.read("_items.txt"), c.bytes) << "closed unchanged: byte for byte as it was";

    const std::string typed = c.list + "b.png\r\n";
    ResetSharedState();
    RunOnce(nullptr, nullptr, &typed);
    EXPECT_EQ(folder.read("_items.txt"), c.edited) << "an edit is written in the file's own encoding";
}

// ASCII text as it stands in a file whose bytes are `like`'s: UTF-16 by its mark, else bytes.
std::string AsciiLike(const std::string& like, const std::string& ascii) {
    const bool le = like.rfind("\xFF\xFE", 0) == 0, be = like.rfind("\xFE\xFF", 0) == 0;
    std::string bytes;
    for (char c : ascii) bytes += le ? std::string{c, '\0'} : be ? std::string{'\0', c} : std::string{c};
    return bytes;
}

// The store as the same editor saves it: a line that is no entry (the list's first name), then
// the list's second name as the bar's text.
TEST_P(PlaylistEncodingTest, TheStoreInThatEncodingReadsAsWrittenAndKeepsIt) {
    const EncodingCase& c = GetParam();
    const std::string lineBreak = AsciiLike(c.bytes, "\r\n");
    const std::string firstLine = c.bytes.substr(0, c.bytes.find(lineBreak) + lineBreak.size());
    const std::string second = c.bytes.substr(firstLine.size(), c.bytes.size() - firstLine.size() - lineBreak.size());
    const std::string store = firstLine + AsciiLike(c.bytes, "dispbtm=") + second + lineBreak;
    folder.write("Placard.ini", store);
    const std::string secondName = c.list.substr(c.list.find("\r\n") + 2, c.list.size() - c.list.find("\r\n") - 4);
    std::string bar;
    Run({OutputCreated(), Step([&] {
             bar = Text(IDC_DISPBTM);
             SetText(IDC_DISPBTM, secondName + secondName);
         }),
         Close()});
    EXPECT_EQ(bar, secondName);
    const std::string saved = folder.read("Placard.ini");
    EXPECT_EQ(saved.substr(0, store.size() + second.size()),
              firstLine + AsciiLike(c.bytes, "dispbtm=") + second + second + lineBreak)
        << "the comment kept, the edit written in the file's own encoding";
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigStr("dispbtm"); }), secondName + secondName);
}

INSTANTIATE_TEST_SUITE_P(
    Notepad, PlaylistEncodingTest,
    ::testing::Values(
        EncodingCase{"Ansi", kNames, kNames, kNames + "b.png\r\n"},
        EncodingCase{"AnsiThatPassesForUtf8", "鞋.png\r\n小猫.png\r\n", "鞋.png\r\n小猫.png\r\n",
                     "鞋.png\r\n小猫.png\r\nb.png\r\n"},
        EncodingCase{"AnsiWithSignNames", "路牌.jpg\r\n味道.png\r\n", "路牌.jpg\r\n味道.png\r\n",
                     "路牌.jpg\r\n味道.png\r\nb.png\r\n"},
        EncodingCase{"Utf8", kNames, u8"a.png\r\n图片.png\r\n", u8"a.png\r\n图片.png\r\nb.png\r\n"},
        EncodingCase{"Utf8WithBom", kNames, kUtf8Bom + std::string(u8"a.png\r\n图片.png\r\n"),
                     kUtf8Bom + std::string(u8"a.png\r\n图片.png\r\nb.png\r\n")},
        EncodingCase{"Utf16Le", kNames, Utf16(u"a.png\r\n图片.png\r\n", false),
                     Utf16(u"a.png\r\n图片.png\r\nb.png\r\n", false)},
        EncodingCase{"Utf16Be", kNames, Utf16(u"a.png\r\n图片.png\r\n", true),
                     Utf16(u"a.png\r\n图片.png\r\nb.png\r\n", true)}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::string edited;  // the file once the operator typed "b.png"
    bool heldAtStart;
    long long sparseSize;  // made this large without writing it
};
void PrintTo(const DamagedCase& c, std::ostream* out) { *out << c.name; }

class DamagedPlaylistTest : public OperatorFilesTest, public ::testing::WithParamInterface<DamagedCase> {
protected:
    void Make(const DamagedCase& c) const {
        folder.write("_items.txt", c.bytes);
        if (c.sparseSize == 0) return;
        HANDLE file = CreateFileA(folder.file("_items.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size;
        size.QuadPart = c.sparseSize;
        EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
        CloseHandle(file);
    }
    long long Size() const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(folder.file("_items.txt").c_str(), GetFileExInfoStandard, &data);
        return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
};

TEST_P(DamagedPlaylistTest, AnUnchangedCloseLeavesTheFileAsItWasAndAnEditIsSaved) {
    const DamagedCase& c = GetParam();
    Make(c);
    const long long size = Size();
    HeldFile hold(folder.file("_items.txt"));
    if (!c.heldAtStart) hold.release();
    ModalBoxAnswerer answerer;
    Run({OutputCreated(), Step([&] { hold.release(); }), Close()});
    EXPECT_EQ(Size(), size);
    if (c.sparseSize == 0) {
        EXPECT_EQ(folder.read("_items.txt"), c.bytes);
        EXPECT_TRUE(answerer.boxes().empty());
    } else {
        ASSERT_EQ(answerer.boxes().size(), 1u) << "a file too large is refused with a warning";
        EXPECT_NE(answerer.boxes()[0].text.find(folder.file("_items.txt")), std::string::npos)
            << answerer.boxes()[0].text;
    }

    const std::string typed = "b.png\r\n";
    ResetSharedState();
    RunOnce(nullptr, nullptr, &typed);
    EXPECT_EQ(folder.read("_items.txt"), c.edited);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedPlaylistTest,
    ::testing::Values(
        DamagedCase{"HeldOpenAtStartUp", "a.png\r\nb.png\r\n", "b.png\r\n", true, 0},
        DamagedCase{"WithANulByte", std::string("a.png\r\n\0b.png\r\nb.png\r\n", 21), "b.png\r\n", false, 0},
        DamagedCase{"Utf8NotInTheAnsiCodePage", u8"a.png\r\n\U0001F600.png\r\n", "b.png\r\n", false, 0},
        DamagedCase{"Utf16WithHalfAUnit", Utf16(u"a.png\r\n", false) + "\x41", Utf16(u"b.png\r\n", false), false, 0},
        DamagedCase{"Utf16NotInTheAnsiCodePage", Utf16(u"a.png\r\n\U0001F600.png\r\n", false),
                    Utf16(u"b.png\r\n", false), false, 0},
        DamagedCase{"TooLarge", "a.png\r\n", "b.png\r\n", false, 1536LL << 20}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

TEST_F(OperatorFilesTest, AWindowsRestartSavesAsACloseDoesBeforeAnyDestruction) {
    folder.write("_items.txt", "a.png\r\n");
    Store([](CCore& core) { core.saveConfigInt("width", 640); });
    auto stored = [this](const char* key) {
        return Stored([key](CCore& core) { return core.getConfigInt(key); });
    };
    int afterCancelledEnd = 0, afterQuery = 0, widthAtEnd = 0, intervalAtEnd = 0;
    std::string itemsAtEnd;
    LRESULT allowed = FALSE;
    ModalBoxAnswerer answerer;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_WIDTH, "700");
             dialog.SendMessage(WM_ENDSESSION, FALSE, 0);  // another program cancelled the restart
             afterCancelledEnd = stored("width");

             SetText(IDC_ITEMS, "b.png\r\n");
             allowed = dialog.SendMessage(WM_QUERYENDSESSION, 0, 0);
             afterQuery = stored("width");

             SetText(IDC_WIDTH, "900");
             SetText(IDC_INTERVAL, "7");
             SetText(IDC_ITEMS, "c.png\r\n");
             // The process may be ended as soon as this returns.
             dialog.SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
             widthAtEnd = stored("width");
             intervalAtEnd = stored("interval");
             itemsAtEnd = folder.read("_items.txt");
         }),
         Close()});
    EXPECT_TRUE(allowed);
    EXPECT_EQ(afterCancelledEnd, 640);
    EXPECT_EQ(afterQuery, 700);
    EXPECT_EQ(widthAtEnd, 900);
    EXPECT_EQ(intervalAtEnd, 7);
    EXPECT_EQ(itemsAtEnd, "c.png\r\n");
    EXPECT_TRUE(answerer.boxes().empty()) << "a restart shows no box";
}

// Saves whose targets cannot be written, at Apply and at the close that follows.
struct FailingSaveCase {
    const char* name;
    std::vector<std::string> files;  // the files that cannot be written
    bool held;  // held open by another program; otherwise read-only, with no new file beside them
};
void PrintTo(const FailingSaveCase& c, std::ostream* out) { *out << c.name; }

class FailingSaveTest : public OperatorFilesTest, public ::testing::WithParamInterface<FailingSaveCase> {};

TEST_P(FailingSaveTest, ApplyAndCloseTellWhatWasNotSavedAndTheShowPlaysTheAppliedList) {
    const FailingSaveCase& c = GetParam();
    folder.write("_items.txt", "a.png\r\n");
    Store([](CCore& core) { core.saveConfigInt("width", 640); });
    std::vector<std::string> before;
    for (const std::string& file : c.files) before.push_back(folder.read(file));
    std::list<HeldFile> holds;
    ModalBoxAnswerer answerer;
    Names played;
    size_t boxesAtApply = 0;
    Run({OutputCreated(), Step([&] {
             for (const std::string& file : c.files) {
                 if (c.held) {
                     holds.emplace_back(folder.file(file));
                 } else {
                     SetFileAttributesA(folder.file(file).c_str(), FILE_ATTRIBUTE_READONLY);
                     folder.makeFolder(file + ".tmp");
                 }
             }
             SetText(IDC_ITEMS, "b.png\r\n");
             SetText(IDC_WIDTH, "700");
             Click(IDC_APPLY);
             boxesAtApply = answerer.boxes().size();
             played = Rows();
         }),
         Close()});
    holds.clear();
    for (const std::string& file : c.files) SetFileAttributesA(folder.file(file).c_str(), FILE_ATTRIBUTE_NORMAL);

    const bool playlistFails = c.files[0] == "_items.txt";
    const bool storeFails = c.files.back() == "Placard.ini";
    EXPECT_EQ(played, (Names{"b.png"})) << "the show plays what was applied, saved or not";
    for (size_t i = 0; i < c.files.size(); ++i) EXPECT_EQ(folder.read(c.files[i]), before[i]) << "whole";
    // Apply saves the settings as well as the list.
    EXPECT_EQ(boxesAtApply, 1u);
    ASSERT_EQ(answerer.boxes().size(), 2u);
    for (const ModalBoxAnswerer::Box& box : answerer.boxes()) {
        EXPECT_NE(box.text.find("没有保存"), std::string::npos) << box.text;
        EXPECT_EQ(box.text.find("移到可以写入的地方") != std::string::npos, !c.held) << box.text;
    }
    EXPECT_EQ(answerer.boxes()[0].text.find(folder.file("_items.txt")) != std::string::npos, playlistFails);
    EXPECT_EQ(answerer.boxes()[0].text.find(folder.file("Placard.ini")) != std::string::npos, storeFails);
    for (const std::string& file : c.files) {
        EXPECT_NE(answerer.boxes().back().text.find(folder.file(file)), std::string::npos)
            << "the close names " << file << ": " << answerer.boxes().back().text;
    }
    EXPECT_EQ(folder.read("_items.txt") == "b.png\r\n", !playlistFails) << "what could be saved was";
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigInt("width"); }) == 700, !storeFails);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FailingSaveTest,
    ::testing::Values(FailingSaveCase{"ReadOnlyPlaylist", {"_items.txt"}, false},
                      FailingSaveCase{"HeldPlaylist", {"_items.txt"}, true},
                      FailingSaveCase{"HeldStore", {"Placard.ini"}, true},
                      FailingSaveCase{"FolderWhereNothingCanBeWritten", {"_items.txt", "Placard.ini"}, false}),
    [](const ::testing::TestParamInfo<FailingSaveCase>& info) { return std::string(info.param.name); });

// The versions of the playlist file another program left beside it.
Names KeptCopies(const TempFolder& folder) {
    Names kept;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(folder.file("_items.其他程序的版本.*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return kept;
    do kept.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return kept;
}

TEST_F(OperatorFilesTest, AnotherProgramsEditOfThePlaylistIsNeverOverwrittenUnknowingly) {
    folder.write("_items.txt", "a.png\r\n");
    ModalBoxAnswerer answerer;
    std::string shownAfterApply;
    Names playedAfterApply;
    // A sync tool rewrites the file; the operator has not touched the box.
    Run({OutputCreated(), Step([&] {
             folder.write("_items.txt", "b.png\r\n");
             Click(IDC_APPLY);
             shownAfterApply = Text(IDC_ITEMS);
             playedAfterApply = Rows();
             folder.write("_items.txt", "图片.png\r\n");
         }),
         Close()});
    EXPECT_EQ(shownAfterApply, "b.png\r\n") << "Apply takes the file's list, as if typed";
    EXPECT_EQ(playedAfterApply, (Names{"b.png"}));
    EXPECT_EQ(folder.read("_items.txt"), "图片.png\r\n") << "a close keeps the other program's version";
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_TRUE(KeptCopies(folder).empty());

    // Both the operator and another program changed the list.
    ResetSharedState();
    Run({OutputCreated(), Step([&] {
             folder.write("_items.txt", "b.png\r\n");
             SetText(IDC_ITEMS, "a.png\r\n");
         }),
         Close()});
    EXPECT_EQ(folder.read("_items.txt"), "a.png\r\n") << "the operator's list is written";
    const Names kept = KeptCopies(folder);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(folder.read(kept[0]), "b.png\r\n") << "the other version is kept beside it";
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_NE(answerer.boxes()[0].text.find(folder.file(kept[0])), std::string::npos) << answerer.boxes()[0].text;
}

// A sync tool rewriting the file between the operator's Applies: the conflict is told once while
// it goes on, the newest of the other versions are kept, and one too large to copy is only told.
TEST_F(OperatorFilesTest, AConflictThatGoesOnIsToldOnceAndKeepsOnlyTheNewestVersions) {
    folder.write("_items.txt", "a.png\r\n");
    ModalBoxAnswerer answerer;
    size_t boxesWhileItWentOn = 0;
    const std::string large(6 << 20, 'x');
    Run({OutputCreated(), Step([&] {
             for (int i = 1; i <= 7; ++i) {
                 folder.write("_items.txt", "theirs" + std::to_string(i) + ".png\r\n");
                 SetText(IDC_ITEMS, "ours" + std::to_string(i) + ".png\r\n");
                 Click(IDC_APPLY);
             }
             boxesWhileItWentOn = answerer.boxes().size();
             Click(IDC_APPLY);  // nobody else wrote meanwhile: that conflict is over
             folder.write("_items.txt", large);
             SetText(IDC_ITEMS, "b.png\r\n");
             Click(IDC_APPLY);
         }),
         Close()});
    EXPECT_EQ(boxesWhileItWentOn, 1u);
    Names versions;
    for (const std::string& name : KeptCopies(folder)) versions.push_back(folder.read(name));
    std::sort(versions.begin(), versions.end());
    EXPECT_EQ(versions, (Names{"theirs3.png\r\n", "theirs4.png\r\n", "theirs5.png\r\n", "theirs6.png\r\n",
                               "theirs7.png\r\n"}));
    EXPECT_TRUE(folder.read("_items.txt") == large) << "the large list is left as it is";
    ASSERT_EQ(answerer.boxes().size(), 2u) << "a new conflict is told, at its Apply only";
    EXPECT_NE(answerer.boxes()[1].text.find(folder.file("_items.txt")), std::string::npos);
    EXPECT_NE(answerer.boxes()[1].text.find("太大"), std::string::npos) << answerer.boxes()[1].text;
}

}  // namespace
