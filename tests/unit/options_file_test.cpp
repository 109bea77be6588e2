// The options file: the reading rules, malformed files, the nineteen-line layout, a failed write.
#include "store/options_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zembro {
namespace {

namespace fs = std::filesystem;

class OptionsFile : public testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& text) {
        return temp_.Write(name, text);
    }
    static std::string Contents(const std::string& path) {
        return test::TempFolder::Contents(path);
    }

    test::TempFolder temp_{"options"};
    fs::path folder_ = temp_.Path();
};

// "folder1 folder2 n1 ... n9", the values in the file's order.
OptionValues Values(const std::string& text) {
    OptionValues v;
    std::istringstream in(text);
    in >> v.directory1 >> v.directory2 >> v.NumMaxPedine >> v.controlledInsertion >>
        v.randomEmptyCells >> v.reselectAfterMove >> v.holdToDrag >> v.twoColourPath >> v.penalty >>
        v.fixedCells >> v.kindsUsed;
    return v;
}

struct ReadCase {
    const char* name;
    std::string text;
    std::string expected;
    int valuesRead;
};

TEST_F(OptionsFile, ReadingRules) {
    const std::string legend = "\r\n\r\n\r\n// Significato\r\n\r\ndirectory1 directory2 "
                               "NumMaxPedine\r\nInserimento pedine -> 1 = controllato\r\n";
    const std::string x255(255, 'x');
    // clang-format off
    const ReadCase cases[] = {
        {"laid-out file", "Img Num 33\r\n1 0 0 0 1\r\n0\r\n0\r\n20\r\n" + legend, "Img Num 33 1 0 0 0 1 0 0 20", 11},
        {"all on one line, LF only", "Img Num 33 1 0 0 0 1 0 0 20\n", "Img Num 33 1 0 0 0 1 0 0 20", 11},
        {"any blank between values", "Img\tNum\v33\f1 0 0 0 1 0 0 20", "Img Num 33 1 0 0 0 1 0 0 20", 11},
        {"a folder name of 255 characters", x255 + " b 33 0 0 0 0 0 0 0 5", x255 + " b 33 0 0 0 0 0 0 0 5", 11},
        {"flags 5 and -1 read as 1", "a b 33 5 -1 0 0 7 0 0 12", "a b 33 1 1 0 0 1 0 0 12", 11},
        {"kinds above pictures", "a b 40 0 0 0 0 0 0 0 50", "a b 40 0 0 0 0 0 0 0 39", 11},
        {"kinds below pictures", "a b 40 0 0 0 0 0 0 0 12", "a b 40 0 0 0 0 0 0 0 12", 11},
        {"no pictures", "a b 0 0 0 0 0 0 0 0 0", "a b 0 0 0 0 0 0 0 0 -1", 11},
        {"hold to drag forces reselection", "a b 33 0 0 0 1 0 0 0 5", "a b 33 0 0 1 1 0 0 0 5", 11},
        {"extreme numbers", "a b 2147483647 0 0 0 0 0 -2147483648 2147483647 -2147483648",
         "a b 2147483647 0 0 0 0 0 -2147483648 2147483647 -2147483648", 11},
        {"lowest picture count", "a b -2147483648 0 0 0 0 0 0 0 0", "a b -2147483648 0 0 0 0 0 0 0 -2147483648", 11},
    };
    // clang-format on
    for (const ReadCase& c : cases) {
        OptionValues read;
        const Result<OptionsRead> result = ReadOptions(Write("case.opt", c.text), read);
        ASSERT_TRUE(result) << c.name;
        EXPECT_EQ(result->valuesRead, c.valuesRead) << c.name;
        EXPECT_EQ(read, Values(c.expected)) << c.name;
    }
}

// A file that ends early or holds something that is not a value: reading stops there, the
// values read are stored, the others keep what they held, and the two rules still apply.
TEST_F(OptionsFile, MalformedFilesKeepTheUnreadValues) {
    const std::string before = "old1 old2 33 1 1 0 0 1 5 3 20";
    // clang-format off
    const ReadCase cases[] = {
        {"empty file", "", before, 0},
        {"text where a number belongs", "a b 33 1 x 0 0 0 0 0 0", "a b 33 1 1 0 0 1 5 3 20", 4},
        {"number beyond 32 bits", "a b 33 0 0 0 0 0 99999999999 0 0", "a b 33 0 0 0 0 0 5 3 20", 8},
        {"number with trailing text", "a b 12abc 0 0 0 0 0 0 0 0", "a b 33 1 1 0 0 1 5 3 20", 2},
        {"number of 33 characters", "a b " + std::string(32, '0') + "1", "a b 33 1 1 0 0 1 5 3 20", 2},
        {"ends early, kinds clamped", "a b 10", "a b 10 1 1 0 0 1 5 3 9", 3},
        {"folder name too long", std::string(256, 'x') + " b 33", before, 0},
        {"NUL byte in a folder name", std::string("ab\0c", 4) + " b 33", before, 0},
    };
    // clang-format on
    for (const ReadCase& c : cases) {
        OptionValues read = Values(before);
        const Result<OptionsRead> result = ReadOptions(Write("case.opt", c.text), read);
        ASSERT_TRUE(result) << c.name;
        EXPECT_EQ(result->valuesRead, c.valuesRead) << c.name;
        if (c.valuesRead >= 2) { // the folders were read: the reason names the value that was not
            EXPECT_NE(
                result->stoppedBecause.find("value " + std::to_string(c.valuesRead + 1) + " is"),
                std::string::npos)
                << c.name << ": " << result->stoppedBecause;
        }
        EXPECT_FALSE(result->stoppedBecause.empty()) << c.name;
        EXPECT_EQ(read, Values(c.expected)) << c.name;
    }
}

// The values on their five lines, then the legend for people: nineteen lines, all CR LF.
TEST_F(OptionsFile, WritesTheNineteenLineLayout) {
    const std::string path = (folder_ / "Option.opt").string();
    ASSERT_TRUE(WriteOptions(path, Values("Immagini Numeri 33 1 0 1 1 1 148 30 20")));
    const std::string text = Contents(path);
    EXPECT_EQ(text.substr(0, 66),
              "Immagini Numeri 33\r\n1 0 1 1 1\r\n148\r\n30\r\n20\r\n\r\n\r\n\r\n"
              "// Significato\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 19);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 19);
    EXPECT_EQ(text.substr(text.size() - 37), "Numero di pedine diverse utilizzate\r\n");
}

} // namespace
} // namespace zembro
