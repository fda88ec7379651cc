// Another program's versions of a file kept beside it: only the newest few, and only its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "store/KeptCopy.h"
#include "support/TempFolder.h"

namespace {

using Names = std::set<std::string>;

Names FilesIn(const TempFolder& folder) {
    Names names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(folder.file("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

TEST(KeptCopyTest, OnlyTheNewestCopiesOfTheFileItselfStay) {
    TempFolder folder;
    // Copies made within one second long ago: "-10" and "-11" came after "-9".
    const std::string earlier = "list.其他程序的版本.20200101-120000";
    for (const char* attempt : {"", "-2", "-9", "-10", "-11"}) folder.write(earlier + attempt + ".txt", "earlier");
    // Beside them, files that are no copies of the list: another file's, and the operator's own.
    const Names others = {"list.txt", "other.其他程序的版本.20200101-110000.txt", "list.其他程序的版本.旧的.txt"};
    for (const std::string& name : others) folder.write(name, "other");

    const std::string kept = KeepOtherVersion(folder.file("list.txt"), "theirs");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(folder.read(NameOf(kept)), "theirs");
    Names expected = others;
    expected.insert({NameOf(kept), earlier + "-2.txt", earlier + "-9.txt", earlier + "-10.txt", earlier + "-11.txt"});
    EXPECT_EQ(FilesIn(folder), expected) << "the oldest went";

    // A dozen in a second or two: "-2", "-3", ... "-10", "-11" within each.
    std::vector<std::string> made;
    for (int i = 1; i <= 12; ++i) made.push_back(NameOf(KeepOtherVersion(folder.file("list.txt"), std::to_string(i))));
    expected = others;
    expected.insert(made.end() - kKeptCopies, made.end());
    EXPECT_EQ(FilesIn(folder), expected);
    for (int i = 12 - kKeptCopies; i < 12; ++i) EXPECT_EQ(folder.read(made[i]), std::to_string(i + 1));
}

}  // namespace
