// Faults while the game writes its files: the process killed at random points, a file-size limit
// standing in for a full disk, a read-only folder. After each, a file is the old one or the new
// one, whole, and a failed write says so.
#include "game/random_generator.h"
#include "store/options_file.h"
#include "store/score_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zembro {
namespace {

namespace fs = std::filesystem;

class Faults : public testing::Test {
  protected:
    void TearDown() override { ::umount(folder_.c_str()); }
    static std::string Contents(const fs::path& path) {
        return test::TempFolder::Contents(path.string());
    }
    // Runs `write` in a child with the file size limited to `limit` bytes; gives whether the
    // child saw its write fail.
    static bool FailsWithin(std::size_t limit, const std::function<bool()>& write) {
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limit, limit};
            setrlimit(RLIMIT_FSIZE, &r);
            _exit(write() ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    test::TempFolder temp_{"faults"};
    fs::path folder_ = temp_.Path();
};

OptionValues Settings(int kinds) {
    OptionValues v;
    v.directory1 = "Immagini";
    v.directory2 = "Contatori";
    v.NumMaxPedine = 33;
    v.kindsUsed = kinds;
    return v;
}

ScoreRecord Result(int seconds) {
    return MakeRecord("r" + std::to_string(seconds), seconds, 1, std::tm{}, OptionValues{});
}

// A child rewrites both files over and over, between two contents; it is killed at random
// moments, and each time both files are found whole.
TEST_F(Faults, KilledWhileWritingLeavesOldOrNewFiles) {
    const std::string options = (folder_ / "Option.opt").string();
    const std::string scores = (folder_ / "Zembro.rec").string();
    ASSERT_TRUE(WriteOptions(options, Settings(10)));
    ASSERT_TRUE(InsertScore(scores, Result(100)));
    const std::string optionsA = Contents(options), optionsB = FormatOptions(Settings(20));
    const std::string scoreFile = Contents(scores);

    RandomGenerator rng(2026);
    int kills = 0;
    for (int round = 0; round < 120; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (int i = 0;; ++i) {
                WriteOptions(options, Settings(i % 2 == 0 ? 20 : 10));
                InsertScore(scores, Result(200 + i % 7)); // a full list grows to fifteen
            }
        }
        ::usleep(static_cast<useconds_t>(200 + rng.Next() % 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        kills += WIFSIGNALED(status) ? 1 : 0;
        const std::string now = Contents(options);
        ASSERT_TRUE(now == optionsA || now == optionsB) << "round " << round;
        const std::string list = Contents(scores);
        ASSERT_FALSE(list.empty()) << "round " << round;
        ASSERT_EQ(list.size() % SCORE_RECORD_SIZE, 0u) << "round " << round;
        ASSERT_LE(list.size(), 15 * SCORE_RECORD_SIZE);
        ASSERT_EQ(list.substr(0, SCORE_RECORD_SIZE), scoreFile.substr(0, SCORE_RECORD_SIZE))
            << "the best result is never lost";
    }
    EXPECT_EQ(kills, 120);
    // The temporary files of killed writers are swept by the next write.
    ASSERT_TRUE(WriteOptions(options, Settings(10)));
    ASSERT_TRUE(InsertScore(scores, Result(100)));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_))
        ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST_F(Faults, AFullDiskKeepsTheOldFilesAndSaysSo) {
    const std::string options = (folder_ / "Option.opt").string();
    const std::string scores = (folder_ / "Zembro.rec").string();
    ASSERT_TRUE(WriteOptions(options, Settings(10)));
    ASSERT_TRUE(InsertScore(scores, Result(100)));
    const std::string oldOptions = Contents(options), oldScores = Contents(scores);
    EXPECT_TRUE(FailsWithin(64, [&] { return WriteOptions(options, Settings(20)).ok; }));
    EXPECT_TRUE(FailsWithin(64, [&] { return InsertScore(scores, Result(50)).operator bool(); }));
    EXPECT_EQ(Contents(options), oldOptions);
    EXPECT_EQ(Contents(scores), oldScores);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_))
        ++entries;
    EXPECT_EQ(entries, 2u) << "no temporary file is left behind";
}

TEST_F(Faults, AReadOnlyFolderKeepsTheOldFilesAndSaysSo) {
    const std::string options = (folder_ / "Option.opt").string();
    ASSERT_TRUE(WriteOptions(options, Settings(10)));
    ASSERT_TRUE(InsertScore((folder_ / "Zembro.rec").string(), Result(100)));
    const std::string before = Contents(options);
    // Permissions do not stop the super-user: a read-only mount does.
    if (::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, folder_.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        GTEST_SKIP() << "cannot make a read-only folder here";
    const IoResult written = WriteOptions(options, Settings(20));
    EXPECT_FALSE(written);
    EXPECT_NE(written.reason.find("Read-only"), std::string::npos) << written.reason;
    EXPECT_FALSE(InsertScore((folder_ / "Zembro.rec").string(), Result(50)));
    EXPECT_EQ(Contents(options), before);
    OptionValues read;
    EXPECT_TRUE(ReadOptions(options, read));
    const zembro::Result<int> place = RankFor((folder_ / "Zembro.rec").string(), 50, 1);
    ASSERT_TRUE(place);
    EXPECT_EQ(*place, 1);
}

} // namespace
} // namespace zembro
