// The operator's own files as Notepad and other programs leave them: the playlist in every
// encoding Notepad writes, files held open or damaged at start-up, and a Windows restart
// that ends the program with no close. Nothing the operator wrote is lost or garbled.
#include <ostream>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
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

class OperatorFilesTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        folder.write("data\\a.png", "picture");
        folder.write("data\\图片.png", "picture");  // a CP936 name on disk
        folder.write("data\\b.png", "picture");
    }
    void TearDown() override {
        AtomicFile::stopBeforeReplace(false);
        SettingsFixture::TearDown();
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
    // The file as Notepad saved "a.png", "图片.png". In code page 936, "图片" also passes for
    // two valid UTF-8 characters.
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
    EXPECT_EQ(shown, "a.png\r\n图片.png\r\n");
    EXPECT_EQ(played, (Names{"a.png", "图片.png"}));
    EXPECT_EQ(folder.read("_items.txt"), c.bytes) << "closed unchanged: byte for byte as it was";

    const std::string typed = "a.png\r\n图片.png\r\nb.png\r\n";
    ResetSharedState();
    RunOnce(nullptr, nullptr, &typed);
    EXPECT_EQ(folder.read("_items.txt"), c.edited) << "an edit is written in the file's own encoding";
}

INSTANTIATE_TEST_SUITE_P(
    Notepad, PlaylistEncodingTest,
    ::testing::Values(
        EncodingCase{"Ansi", "a.png\r\n图片.png\r\n", "a.png\r\n图片.png\r\nb.png\r\n"},
        EncodingCase{"Utf8", u8"a.png\r\n图片.png\r\n", u8"a.png\r\n图片.png\r\nb.png\r\n"},
        EncodingCase{"Utf8WithBom", kUtf8Bom + std::string(u8"a.png\r\n图片.png\r\n"),
                     kUtf8Bom + std::string(u8"a.png\r\n图片.png\r\nb.png\r\n")},
        EncodingCase{"Utf16Le", Utf16(u"a.png\r\n图片.png\r\n", false), Utf16(u"a.png\r\n图片.png\r\nb.png\r\n", false)},
        EncodingCase{"Utf16Be", Utf16(u"a.png\r\n图片.png\r\n", true), Utf16(u"a.png\r\n图片.png\r\nb.png\r\n", true)}),
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
    auto storedWidth = [this] { return Stored([](CCore& core) { return core.getConfigInt("width"); }); };
    int afterCancelledEnd = 0, afterQuery = 0, afterEnd = 0;
    LRESULT allowed = FALSE;
    Run({OutputCreated(), Step([&] {
             SetText(IDC_WIDTH, "700");
             dialog.SendMessage(WM_ENDSESSION, FALSE, 0);  // another program cancelled the restart
             afterCancelledEnd = storedWidth();

             SetText(IDC_ITEMS, "b.png\r\n");
             allowed = dialog.SendMessage(WM_QUERYENDSESSION, 0, 0);
             afterQuery = storedWidth();

             SetText(IDC_WIDTH, "900");
             SetText(IDC_INTERVAL, "7");
             // Killed right after its second replacement: the playlist and one store write.
             AtomicFile::stopBeforeReplace(true, 2);
             SetText(IDC_ITEMS, "c.png\r\n");
             dialog.SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
             afterEnd = storedWidth();
         }),
         Close()});
    EXPECT_TRUE(allowed);
    EXPECT_EQ(afterCancelledEnd, 640);
    EXPECT_EQ(afterQuery, 700);
    EXPECT_EQ(afterEnd, 900);
    EXPECT_EQ(Stored([](CCore& core) { return core.getConfigInt("interval"); }), 7) << "all seven keys in one write";
    EXPECT_EQ(folder.read("_items.txt"), "c.png\r\n");
}

}  // namespace
