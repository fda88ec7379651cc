// Another program's versions of a file kept beside it: only the newest few, and only its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/KeptCopy.h"
#include "support/TempFolder.h"

namespace {

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

TEST(KeptCopyTest, OnlyTheNewestCopiesOfTheFileItselfStay) {
    TempFolder folder;
    // Copies made within one second long ago ("-10" came after "-9"), and beside them files that
    // are no copies of the list: another file's, and the operator's own.
    const std::string earlier = "list.其他程序的版本.20200101-120000";
    const std::vector<std::string> others = {"other.其他程序的版本.20200101-110000.txt", "list.其他程序的版本.旧的.txt"};
    for (const std::string& name : others) folder.write(name, "other");
    for (const char* attempt : {"", "-9", "-10"}) folder.write(earlier + attempt + ".txt", "earlier");

    // A dozen in a second or two: "-2", "-3", ... "-10", "-11" within each.
    std::vector<std::string> made;
    for (int i = 1; i <= 12; ++i) {
        made.push_back(NameOf(KeepOtherVersion(folder.file("list.txt"), std::to_string(i))));
        if (i == kKeptCopies - 1) {
            EXPECT_FALSE(folder.exists(earlier + "-9.txt"));
            EXPECT_TRUE(folder.exists(earlier + "-10.txt")) << "the older went first";
        }
    }
    for (int i = 12 - kKeptCopies; i < 12; ++i) EXPECT_EQ(folder.read(made[i]), std::to_string(i + 1)) << made[i];
    EXPECT_FALSE(folder.exists(made[12 - kKeptCopies - 1]));
    for (const std::string& name : others) EXPECT_TRUE(folder.exists(name)) << name;
}

}  // namespace
