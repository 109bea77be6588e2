// The game's files under concurrent writers, unusual file types, links, modes and permissions:
// nothing is lost, nothing waits forever, a file's identity survives its rewrites.
#include "game/random_generator.h"
#include "render/bmp_reader.h"
#include "render/game_sprites.h"
#include "store/file_replace.h"
#include "store/options_file.h"
#include "store/score_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <acl/libacl.h>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace zembro {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

constexpr uid_t PLAYER_ID = 65534; // "nobody": a user who owns nothing here
constexpr uid_t OTHER_ID = 4242;   // another player sharing the files

OptionValues Settings(int kinds) {
    OptionValues v;
    v.directory1 = "Immagini";
    v.directory2 = "Contatori";
    v.NumMaxPedine = 33;
    v.kindsUsed = kinds;
    return v;
}

ScoreRecord Record(const std::string& name, int seconds, int moves) {
    return MakeRecord(name, seconds, moves, std::tm{}, OptionValues{});
}

// The settings with ten kinds and a list whose best result is 100 seconds.
bool WriteBoth(const std::string& options, const std::string& scores) {
    return WriteOptions(options, Settings(10)) && InsertScore(scores, Record("r", 100, 1));
}

std::vector<std::string> StoredNames(const std::string& path) {
    std::vector<std::string> names;
    if (const Result<std::vector<ScoreRecord>> list = LoadScores(path))
        for (const ScoreRecord& r : *list)
            names.push_back(r.Name());
    return names;
}

// Runs `body` in a child process that is killed after `seconds`; gives "ok", "failed" or
// "hung", so that a regression that blocks fails the test instead of stopping the suite.
std::string InChild(const std::function<bool()>& body, unsigned seconds = 5) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return "hung";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "ok" : "failed";
}

// Runs `body` as a player without privileges: permission bits stop them as they stop anyone
// but the super-user.
std::string AsPlayer(const std::function<bool()>& body) {
    if (::geteuid() != 0)
        return InChild(body);
    return InChild([&] { return ::setgid(PLAYER_ID) == 0 && ::setuid(PLAYER_ID) == 0 && body(); });
}

// A file's owner, group, mode, access control list (where it has more than its mode) and the
// length of its "user.zembro" attribute (-1 where it has none), as text.
std::string Identity(const std::string& path) {
    struct stat s {};
    if (::stat(path.c_str(), &s) != 0)
        return "gone";
    std::string text = std::to_string(s.st_uid) + " " + std::to_string(s.st_gid) + " " +
                       std::to_string(s.st_mode) + " ";
    if (acl_t acl = ::acl_get_file(path.c_str(), ACL_TYPE_ACCESS)) {
        if (::acl_equiv_mode(acl, nullptr) != 0) {
            char* written = ::acl_to_any_text(acl, nullptr, ',', 0);
            text += written;
            ::acl_free(written);
        }
        ::acl_free(acl);
    }
    char attribute[8] = {};
    return text + " " + std::to_string(::getxattr(path.c_str(), "user.zembro", attribute, 8));
}

// Each writes something new at every call.
using Write = std::function<IoResult(const std::string& path)>;
struct Writer {
    const char* file;
    Write write;
};
const Writer WRITERS[] = {
    {"Option.opt",
     [](const std::string& p) {
         static int kinds = 0;
         return WriteOptions(p, Settings(++kinds));
     }},
    {"Zembro.rec", [](const std::string& p) { return InsertScore(p, Record("N", 9, 1)).Status(); }},
};

TEST(FileSafety, ConcurrentWritersLoseNothing) {
    const TempFolder folder("concurrent");
    const std::string scores = folder / "Zembro.rec", options = folder / "Option.opt";
    constexpr int COUNT = 200;
    std::vector<pid_t> children;
    for (const char* prefix : {"A", "B"}) {
        const int moves = prefix[0] == 'A' ? 1 : 2;
        children.push_back(::fork());
        if (children.back() == 0) {
            bool ok = true;
            for (int i = 1; i <= COUNT; ++i) {
                const std::string name = prefix + std::to_string(i);
                ok = InsertScore(scores, Record(name, 1000 + i, moves)) && ok;
                ok = WriteOptions(options, Settings(10 * moves)) && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every write succeeded";
    }
    // Every record of both writers, best first: fewer seconds, then fewer moves.
    std::vector<std::pair<int, std::string>> all;
    for (int i = 1; i <= COUNT; ++i)
        for (const char* prefix : {"A", "B"})
            all.emplace_back((1000 + i) * 4 + (prefix[0] == 'A' ? 1 : 2),
                             prefix + std::to_string(i));
    std::sort(all.begin(), all.end());
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < MAX_SCORES; ++i)
        expected.push_back(all[i].second);
    EXPECT_EQ(StoredNames(scores), expected);
    const std::string text = TempFolder::Contents(options);
    EXPECT_TRUE(text == FormatOptions(Settings(10)) || text == FormatOptions(Settings(20)));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
}

TEST(FileSafety, RewritesKeepTheFilesIdentity) {
    for (const Writer& w : WRITERS) {
        SCOPED_TRACE(w.file);
        const TempFolder folder("identity");
        // The mode, writable by the player alone and readable by the group: not a mode the
        // writer would give by itself.
        const std::string plain = folder / w.file;
        ASSERT_TRUE(w.write(plain));
        const fs::perms mode =
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
        fs::permissions(plain, mode);
        ASSERT_TRUE(w.write(plain));
        EXPECT_EQ(fs::status(plain).permissions(), mode);

        // A link, relative, to a link, absolute, to the file kept elsewhere.
        fs::create_directories(folder.Path() / "elsewhere");
        const std::string target = folder / ("elsewhere/" + std::string(w.file));
        fs::create_symlink(target, folder.Path() / "elsewhere/second-link");
        fs::create_directories(folder.Path() / "run");
        const std::string link = folder / ("run/" + std::string(w.file));
        fs::create_symlink("../elsewhere/second-link", link);
        ASSERT_TRUE(w.write(link)); // makes the target
        const std::string once = TempFolder::Contents(target);
        ASSERT_TRUE(w.write(link)); // replaces it
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_TRUE(fs::is_symlink(folder / "elsewhere/second-link"));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
        EXPECT_NE(TempFolder::Contents(target), once);
    }
    // A loop is refused with a reason, not followed forever.
    const TempFolder folder("loop");
    fs::create_symlink("Zembro.rec", folder.Path() / "Zembro.rec");
    EXPECT_EQ(InsertScore(folder / "Zembro.rec", Record("N", 9, 1)).Error(), ELOOP);
}

TEST(FileSafety, PermissionsDecideAsForAnyWriteInPlace) {
    {
        const Writer& w = WRITERS[1];
        const TempFolder folder("permissions");
        const std::string path = folder / w.file;
        ASSERT_TRUE(w.write(path));
        const std::string before = TempFolder::Contents(path);
        const auto own = [&](const std::string& p) {
            return ::geteuid() != 0 || ::chown(p.c_str(), PLAYER_ID, PLAYER_ID) == 0;
        };

        // A file the player may not write, in a folder they may: refused, unchanged.
        ASSERT_TRUE(own(folder.Path().string()) && own(path));
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
        EXPECT_EQ(AsPlayer([&] { return w.write(path).Error() == EACCES; }), "ok");
        EXPECT_EQ(TempFolder::Contents(path), before);

        // A file the player may write, in a folder they may not: rewritten in place.
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
        ASSERT_EQ(::chown(folder.Path().c_str(), 0, 0) == 0 || ::geteuid() != 0, true);
        fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                           fs::perms::others_read | fs::perms::others_exec);
        EXPECT_EQ(AsPlayer([&] { return static_cast<bool>(w.write(path)); }), "ok");
        EXPECT_NE(TempFolder::Contents(path), before);
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{w.file}) << "nothing beside it";
        // Shorter contents cut the file to their length.
        EXPECT_EQ(AsPlayer([&] {
                      const Result<FileLock> lock = LockFile(path, LockKind::Exclusive);
                      return lock && ReplaceFileContents(*lock, "short");
                  }),
                  "ok");
        EXPECT_EQ(TempFolder::Contents(path), "short");
    }
}

// Files shared with others, written by their owner or by another player: each save keeps the
// file's owner, group, mode and list, and every name of it sees the new contents.
TEST(FileSafety, SharedFilesKeepTheirIdentityAndEveryName) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the super-user to make the players and their files";
    struct Case {
        const char* name;
        uid_t folderOwner, fileOwner, writer;
        fs::perms folderMode, fileMode;
        const char* acl;      // the file's list, or nothing
        const char* linkedAs; // a second name, in a folder beside
    };
    using P = fs::perms;
    const P rw = P::owner_read | P::owner_write;
    const P all = P::owner_all | P::group_all | P::others_all;
    const Case cases[] = {
        {"a list, saved by its owner", PLAYER_ID, PLAYER_ID, PLAYER_ID, P::owner_all, rw,
         "u::rw-,u:4242:rw-,g::r--,m::rw-,o::---", nullptr},
        {"a list, saved by the other player", PLAYER_ID, PLAYER_ID, OTHER_ID, all, rw,
         "u::rw-,u:4242:rw-,g::r--,m::rw-,o::---", nullptr},
        {"a second name", PLAYER_ID, PLAYER_ID, PLAYER_ID, P::owner_all, rw, nullptr, "backup"},
        {"someone else's file in a sticky folder", 0, OTHER_ID, PLAYER_ID, all | P::sticky_bit,
         rw | P::group_read | P::group_write | P::others_read | P::others_write, nullptr, nullptr},
        {"a folder that cannot be read", PLAYER_ID, PLAYER_ID, PLAYER_ID,
         P::owner_write | P::owner_exec | P::group_write | P::group_exec | P::others_write |
             P::others_exec,
         rw, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        for (const Writer& w : WRITERS) {
            SCOPED_TRACE(std::string(c.name) + ", " + w.file);
            const TempFolder root("shared");
            fs::create_directories(root.Path() / "run");
            const std::string folder = root / "run", path = root / ("run/" + std::string(w.file));
            ASSERT_TRUE(w.write(path));
            ASSERT_EQ(::chown(path.c_str(), c.fileOwner, c.fileOwner), 0);
            fs::permissions(path, c.fileMode);
            if (c.acl != nullptr) {
                acl_t acl = ::acl_from_text(c.acl);
                ASSERT_EQ(::acl_set_file(path.c_str(), ACL_TYPE_ACCESS, acl), 0);
                ::acl_free(acl);
            }
            // An extended attribute of the player's, where the file system keeps them.
            ::setxattr(path.c_str(), "user.zembro", "kept", 4, 0);
            std::string other;
            if (c.linkedAs != nullptr) {
                fs::create_directories(root.Path() / c.linkedAs);
                other = root / (std::string(c.linkedAs) + "/" + w.file);
                fs::create_hard_link(path, other);
            }
            ASSERT_EQ(::chown(folder.c_str(), c.folderOwner, c.folderOwner), 0);
            fs::permissions(folder, c.folderMode);
            const std::string before = Identity(path), contents = TempFolder::Contents(path);

            EXPECT_EQ(InChild([&] {
                          return ::setgid(c.writer) == 0 && ::setuid(c.writer) == 0 &&
                                 w.write(path) && (w.file[0] != 'Z' || LoadScores(path));
                      }),
                      "ok");
            EXPECT_NE(TempFolder::Contents(path), contents);
            EXPECT_EQ(Identity(path), before);
            if (!other.empty()) {
                EXPECT_EQ(TempFolder::Contents(other), TempFolder::Contents(path));
            }
            fs::permissions(folder, P::owner_all);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
                << "nothing beside it";
        }
    }
    // The first save in a folder that cannot be read makes the file it locks, with the usual mode.
    const TempFolder root("unreadable");
    const std::string path = root / "Zembro.rec";
    ASSERT_EQ(::chown(root.Path().c_str(), PLAYER_ID, PLAYER_ID), 0);
    fs::permissions(root.Path(), fs::perms::owner_write | fs::perms::owner_exec);
    EXPECT_EQ(AsPlayer([&] { return static_cast<bool>(InsertScore(path, Record("N", 9, 1))); }),
              "ok");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat made {};
    ASSERT_EQ(::stat(path.c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0666 & ~mask);
}

// Each kind of file that is not a regular one, under each name the game reads or writes.
TEST(FileSafety, OnlyRegularFilesAreOpenedAndNothingWaits) {
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> kinds = {
        {"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        {"folder", [](const std::string& p) { fs::create_directory(p); }},
        // A node of its own where it may make one, so that a fault writing through it cannot
        // replace the system's.
        {"device",
         [](const std::string& p) {
             if (::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 5)) != 0)
                 fs::create_symlink("/dev/zero", p);
         }},
        {"socket",
         [](const std::string& p) {
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             p.copy(address.sun_path, sizeof address.sun_path - 1);
             ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             ::close(s);
         }},
    };
    const std::vector<std::pair<const char*, std::function<int(const std::string&)>>> uses = {
        {"ReadOptions",
         [](const std::string& p) {
             OptionValues v;
             return ReadOptions(p, v).Error();
         }},
        {"WriteOptions", [](const std::string& p) { return WriteOptions(p, Settings(3)).Error(); }},
        {"RankFor", [](const std::string& p) { return RankFor(p, 1, 1).Error(); }},
        {"InsertScore",
         [](const std::string& p) { return InsertScore(p, Record("x", 1, 1)).Error(); }},
        {"LoadScores", [](const std::string& p) { return LoadScores(p).Error(); }},
        {"LoadSprite", [](const std::string& p) { return LoadSprite(p).Error(); }},
        {"ReadHotspots",
         [](const std::string& p) {
             return ReadHotspots(fs::path(p).parent_path().string(), 1).Error();
         }},
    };
    for (const auto& [kind, make] : kinds) {
        for (const auto& [use, call] : uses) {
            SCOPED_TRACE(std::string(use) + " on a " + kind);
            const TempFolder folder("kinds");
            const std::string path = folder / "Pedine.pos";
            make(path);
            EXPECT_EQ(InChild([&] { return call(path) == FILE_ERROR_NOT_REGULAR; }, 1), "ok");
            EXPECT_FALSE(fs::is_regular_file(path)) << "left as it was";
        }
    }
}

// A child rewrites both files over and over, between two contents; it is killed at random
// moments, and each time both files are found whole.
TEST(FileSafety, KilledWhileWritingLeavesOldOrNewFiles) {
    const TempFolder folder("killed");
    const std::string options = folder / "Option.opt", scores = folder / "Zembro.rec";
    ASSERT_TRUE(WriteBoth(options, scores));
    const std::string optionsA = TempFolder::Contents(options);
    const std::string optionsB = FormatOptions(Settings(20));
    const std::string best = TempFolder::Contents(scores).substr(0, SCORE_RECORD_SIZE);
    RandomGenerator rng(2026);
    for (int round = 0; round < 120; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0;; ++i) {
                WriteOptions(options, Settings(i % 2 == 0 ? 20 : 10));
                InsertScore(scores, Record("r", 200 + i % 7, 1)); // a full list grows to fifteen
            }
        }
        ::usleep(static_cast<useconds_t>(200 + rng.Next() % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = TempFolder::Contents(options);
        ASSERT_TRUE(now == optionsA || now == optionsB) << "round " << round;
        const std::string list = TempFolder::Contents(scores);
        ASSERT_FALSE(list.empty()) << "round " << round;
        ASSERT_EQ(list.size() % SCORE_RECORD_SIZE, 0u) << "round " << round;
        ASSERT_LE(list.size(), 15 * SCORE_RECORD_SIZE);
        ASSERT_EQ(list.substr(0, SCORE_RECORD_SIZE), best) << "the best result is never lost";
    }
    // The temporary files of killed writers are swept by the next write.
    ASSERT_TRUE(WriteBoth(options, scores));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
}

// A file-size limit stands in for a full disk: the writes fail, say so, and change nothing.
TEST(FileSafety, AFullDiskKeepsTheOldFilesAndSaysSo) {
    const TempFolder folder("full");
    const std::string options = folder / "Option.opt", scores = folder / "Zembro.rec";
    ASSERT_TRUE(WriteBoth(options, scores));
    const std::string oldOptions = TempFolder::Contents(options);
    const std::string oldScores = TempFolder::Contents(scores);
    // A killed writer's leftover is swept before the write, so it never takes the room.
    folder.Write(".Zembro.rec.999999999.0.zembro-tmp", "half");
    const auto failsWhenFull = [](const std::function<bool()>& write) {
        return InChild([&] {
            FailWritesPastTheSizeLimit();
            const rlimit limit{64, 64};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return !write();
        });
    };
    EXPECT_EQ(failsWhenFull([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }),
              "ok");
    EXPECT_EQ(
        failsWhenFull([&] { return static_cast<bool>(InsertScore(scores, Record("n", 50, 1))); }),
        "ok");
    EXPECT_EQ(TempFolder::Contents(options), oldOptions);
    EXPECT_EQ(TempFolder::Contents(scores), oldScores);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}))
        << "no temporary file is left behind";
    // A file with a second name is rewritten in place: the limit stops it before it changes.
    fs::create_hard_link(options, folder / "Option.bak");
    EXPECT_EQ(failsWhenFull([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }),
              "ok");
    EXPECT_EQ(TempFolder::Contents(options), oldOptions);
}

TEST(FileSafety, ALockNotGrantedInTimeFailsWithAReason) {
    const TempFolder folder("lock");
    const std::string path = folder / "Zembro.rec";
    {
        const Result<FileLock> held = LockFile(path, LockKind::Exclusive);
        ASSERT_TRUE(held);
        const Result<FileLock> waited = LockFile(path, LockKind::Exclusive, 100);
        EXPECT_EQ(waited.Error(), FILE_ERROR_LOCKED);
        EXPECT_NE(
            waited.Reason().find("another program is writing it and did not finish in 100 ms"),
            std::string::npos);
        EXPECT_EQ(LockFile(path, LockKind::Shared, 0).Error(), FILE_ERROR_LOCKED);
    }
    const Result<FileLock> reader = LockFile(path, LockKind::Shared, 0);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(LockFile(path, LockKind::Shared, 0)) << "readers share";
    const Result<FileLock> writer = LockFile(path, LockKind::Exclusive, 0);
    EXPECT_EQ(writer.Error(), FILE_ERROR_READ_LOCKED);
    EXPECT_NE(writer.Reason().find("another program is reading it"), std::string::npos);
    EXPECT_EQ(ReplaceFileContents(*reader, "").Error(), FILE_ERROR_LOCKED)
        << "a shared lock does not allow a rewrite";
    EXPECT_FALSE(fs::exists(path));
    // A file right under the root is locked through the root folder.
    EXPECT_TRUE(LockFile("/zembro-no-such-file", LockKind::Shared, 0));
    // A "folder" that is a file is no place to lock.
    folder.Write("plain", "x");
    EXPECT_EQ(LockFile(folder / "plain/x", LockKind::Exclusive, 0).Error(), ENOTDIR);
}

// A file system that keeps no locks: the files are saved all the same, and standard error says
// why once.
TEST(FileSafety, WithoutLocksFilesAreStillSaved) {
    const TempFolder folder("nolock");
    const std::string path = folder / "Zembro.rec";
    for (const int error : {ENOLCK, EOPNOTSUPP}) {
        static int refusal = 0;
        refusal = error;
        const LockCall none = [](int, int) {
            errno = refusal;
            return -1;
        };
        testing::internal::CaptureStderr();
        for (int save = 0; save < 2; ++save) {
            const Result<FileLock> lock = LockFile(path, LockKind::Exclusive, 0, none);
            ASSERT_TRUE(lock);
            EXPECT_FALSE(lock->Held());
            EXPECT_TRUE(
                ReplaceFileContents(*lock, std::string(SCORE_RECORD_SIZE, save == 0 ? 'a' : 'b')));
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(TempFolder::Contents(path), std::string(SCORE_RECORD_SIZE, 'b'));
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), error == ENOLCK ? 1 : 0) << said;
        EXPECT_NE(said.find("keeps no locks") == std::string::npos, error == ENOLCK);
    }
}

TEST(FileSafety, OnlyTheProgramsOwnTemporaryFilesAreSwept) {
    struct Case {
        const char* name;
        bool ours;
    };
    const Case cases[] = {
        {".Zembro.rec.123.0.zembro-tmp", true},   {".Zembro.rec.4194304.99.zembro-tmp", true},
        {"Zembro.rec.tmp99999-0", false},         {".Zembro.rec.123.0.zembro-tmp.bak", false},
        {".Zembro.rec.0123.0.zembro-tmp", false}, {".Zembro.rec.123.100.zembro-tmp", false},
        {".Zembro.rec.12a.0.zembro-tmp", false},  {".Option.opt.123.0.zembro-tmp", false},
        {".Zembro.rec.0.0.zembro-tmp", false},    {".Zembro.rec.1234567890.0.zembro-tmp", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TemporaryFileWriter(c.name, "Zembro.rec").has_value(), c.ours) << c.name;

    // A writer that is gone: its temporary file goes at the next write; look-alikes stay.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const TempFolder folder("sweep");
    const std::string abandoned = ".Zembro.rec." + std::to_string(gone) + ".0.zembro-tmp";
    // A writer still at work keeps its file, whatever the sweep met before it.
    std::vector<std::string> kept = {"Zembro.rec.tmp99999-mybackup",
                                     ".Zembro.rec." + std::to_string(gone) + ".0.zembro-tmp~",
                                     ".Zembro.rec." + std::to_string(::getpid()) + ".7.zembro-tmp",
                                     ".Zembro.rec.1.3.zembro-tmp"};
    for (int dead = 1; dead <= 20; ++dead)
        folder.Write(".Zembro.rec." + std::to_string(gone) + "." + std::to_string(dead) +
                         ".zembro-tmp",
                     "half");
    for (const std::string& name : kept)
        folder.Write(name, "mine");
    folder.Write(abandoned, "half");
    ASSERT_TRUE(InsertScore(folder / "Zembro.rec", Record("N", 5, 5)));
    kept.push_back("Zembro.rec");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.Entries(), kept);
}

} // namespace
} // namespace zembro
