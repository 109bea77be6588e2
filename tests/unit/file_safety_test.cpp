// The game's files under concurrent writers, killed writers, full disks, links, modes, ACLs,
// other players, files that are no regular files, locks and leftovers: nothing is lost, nothing
// waits forever, a file's identity survives its rewrites.
#include "game/random_generator.h"
#include "render/bmp_reader.h"
#include "render/game_sprites.h"
#include "store/file_replace.h"
#include "store/options_file.h"
#include "store/score_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <acl/libacl.h>
#include <algorithm>
#include <csignal>
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
using P = fs::perms;

constexpr uid_t PLAYER = 65534; // "nobody": a user who owns nothing here
constexpr uid_t OTHER = 4242;   // another player sharing the files

OptionValues Settings(int kinds) {
    OptionValues v;
    v.directory1 = "Immagini";
    v.directory2 = "Contatori";
    v.NumMaxPedine = 33;
    v.kindsUsed = kinds;
    return v;
}
ScoreRecord Record(const std::string& name, int seconds, int moves = 1) {
    return MakeRecord(name, seconds, moves, std::tm{}, OptionValues{});
}
std::string Names(const std::string& path) {
    std::string names;
    if (const Result<std::vector<ScoreRecord>> list = LoadScores(path))
        for (const ScoreRecord& r : *list)
            names += r.Name() + " ";
    return names;
}

// Runs `body` in a child killed after `seconds`, as user `uid` when given (and when the tests
// may change user): "ok", "failed" or "hung", so that a regression that blocks fails the test
// instead of stopping the suite.
std::string InChild(const std::function<bool()>& body, uid_t uid = 0, unsigned seconds = 5) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        const bool as = uid == 0 || ::geteuid() != 0 || (::setgid(uid) == 0 && ::setuid(uid) == 0);
        ::_exit(as && body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? "hung" : WEXITSTATUS(status) == 0 ? "ok" : "failed";
}

// Owner, group, mode, access control list (where it says more than the mode) and the length of
// the "user.zembro" attribute (-1 without), as text.
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

// The two files, each written anew at every call.
struct Writer {
    const char* file;
    std::function<IoResult(const std::string& path)> write;
};
const Writer WRITERS[] = {
    {"Option.opt",
     [](const std::string& p) {
         static int kinds = 0;
         return WriteOptions(p, Settings(++kinds));
     }},
    {"Zembro.rec", [](const std::string& p) { return InsertScore(p, Record("N", 9)).Status(); }},
};

TEST(FileSafety, ConcurrentWritersLoseNothing) {
    const TempFolder folder("concurrent");
    const std::string scores = folder / "Zembro.rec", options = folder / "Option.opt";
    std::vector<pid_t> children;
    for (const int writer : {1, 2}) {
        children.push_back(::fork());
        if (children.back() == 0) {
            bool ok = true;
            for (int i = 1; i <= 200; ++i)
                ok = InsertScore(scores, Record(std::to_string(writer) + "-" + std::to_string(i),
                                                1000 + i, writer)) &&
                     WriteOptions(options, Settings(10 * writer)) && ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every write succeeded";
    }
    std::string best; // fewer seconds first, then fewer moves
    for (int i = 1; i <= 8; ++i)
        best += "1-" + std::to_string(i) + " 2-" + std::to_string(i) + " ";
    EXPECT_EQ(Names(scores), best.substr(0, best.size() - 4));
    const std::string text = TempFolder::Contents(options);
    EXPECT_TRUE(text == FormatOptions(Settings(10)) || text == FormatOptions(Settings(20)));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
}

// A child rewrites both files over and over and is killed at random moments: each time both
// files are whole, the old or the new; the next write sweeps what the killed ones left.
TEST(FileSafety, KilledWhileWritingLeavesOldOrNewFiles) {
    const TempFolder folder("killed");
    const std::string options = folder / "Option.opt", scores = folder / "Zembro.rec";
    ASSERT_TRUE(WriteOptions(options, Settings(10)) && InsertScore(scores, Record("r", 100)));
    const std::string optionsA = TempFolder::Contents(options),
                      optionsB = FormatOptions(Settings(20));
    const std::string best = TempFolder::Contents(scores);
    RandomGenerator rng(2026);
    for (int round = 0; round < 120; ++round) {
        const pid_t child = ::fork();
        if (child == 0)
            for (int i = 0;; ++i) {
                WriteOptions(options, Settings(i % 2 == 0 ? 20 : 10));
                InsertScore(scores, Record("r", 200 + i % 7)); // a full list grows to fifteen
            }
        ::usleep(static_cast<useconds_t>(200 + rng.Next() % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = TempFolder::Contents(options), list = TempFolder::Contents(scores);
        ASSERT_TRUE(now == optionsA || now == optionsB) << "round " << round;
        ASSERT_TRUE(list.size() % SCORE_RECORD_SIZE == 0 && list.size() <= 15 * SCORE_RECORD_SIZE);
        ASSERT_EQ(list.substr(0, SCORE_RECORD_SIZE), best) << "the best result is never lost";
    }
    ASSERT_TRUE(WriteOptions(options, Settings(10)) && InsertScore(scores, Record("r", 100)));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
}

// A file-size limit stands in for a full disk: the writes fail, say so, and change nothing, in
// place (a second name) or beside; a killed writer's leftover never takes the room.
TEST(FileSafety, AFullDiskKeepsTheOldFilesAndSaysSo) {
    const TempFolder folder("full");
    const std::string options = folder / "Option.opt", scores = folder / "Zembro.rec";
    ASSERT_TRUE(WriteOptions(options, Settings(10)) && InsertScore(scores, Record("r", 100)));
    const std::string oldOptions = TempFolder::Contents(options);
    const std::string oldScores = TempFolder::Contents(scores);
    folder.Write(".Zembro.rec.999999999.0.zembro-tmp", "half");
    const auto full = [](const std::function<bool()>& write) {
        return InChild([&] {
            FailWritesPastTheSizeLimit();
            const rlimit limit{64, 64};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && !write();
        });
    };
    EXPECT_EQ(full([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }), "ok");
    EXPECT_EQ(full([&] { return static_cast<bool>(InsertScore(scores, Record("n", 50))); }), "ok");
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
    fs::create_hard_link(options, folder / "Option.bak");
    EXPECT_EQ(full([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }), "ok");
    EXPECT_EQ(TempFolder::Contents(options), oldOptions);
    EXPECT_EQ(TempFolder::Contents(scores), oldScores);
}

// A rewrite keeps a mode the writer would not give by itself; a link, relative, to a link,
// absolute, stays a link and its target is replaced; a loop is refused.
TEST(FileSafety, RewritesKeepModesAndLinks) {
    for (const Writer& w : WRITERS) {
        const TempFolder folder("identity");
        const std::string plain = folder / w.file;
        ASSERT_TRUE(w.write(plain));
        fs::permissions(plain, P::owner_read | P::owner_write | P::group_read);
        ASSERT_TRUE(w.write(plain));
        EXPECT_EQ(fs::status(plain).permissions(), P::owner_read | P::owner_write | P::group_read);
        fs::create_directories(folder.Path() / "elsewhere");
        fs::create_directories(folder.Path() / "run");
        const std::string target = folder / ("elsewhere/" + std::string(w.file));
        fs::create_symlink(target, folder.Path() / "elsewhere/second-link");
        const std::string link = folder / ("run/" + std::string(w.file));
        fs::create_symlink("../elsewhere/second-link", link);
        ASSERT_TRUE(w.write(link)); // makes the target
        const std::string once = TempFolder::Contents(target);
        ASSERT_TRUE(w.write(link)); // replaces it
        EXPECT_TRUE(fs::is_symlink(link) && fs::is_symlink(folder / "elsewhere/second-link"));
        EXPECT_NE(TempFolder::Contents(target), once) << w.file;
    }
    const TempFolder folder("loop");
    fs::create_symlink("Zembro.rec", folder.Path() / "Zembro.rec");
    EXPECT_EQ(InsertScore(folder / "Zembro.rec", Record("N", 9)).Error(), ELOOP);
}

// A file the player may not write is refused and left as it was; one they may write, in a folder
// they may not, is rewritten in place, shorter contents cutting it to their length.
TEST(FileSafety, PermissionsDecideAsForAnyWriteInPlace) {
    const TempFolder folder("permissions");
    const std::string path = folder / "Zembro.rec";
    ASSERT_TRUE(InsertScore(path, Record("N", 9)));
    const std::string before = TempFolder::Contents(path);
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || (::chown(folder.Path().c_str(), PLAYER, PLAYER) == 0 &&
                          ::chown(path.c_str(), PLAYER, PLAYER) == 0));
    fs::permissions(path, P::owner_read | P::group_read);
    EXPECT_EQ(InChild([&] { return InsertScore(path, Record("M", 8)).Error() == EACCES; }, PLAYER),
              "ok");
    EXPECT_EQ(TempFolder::Contents(path), before);
    fs::permissions(path, P::owner_read | P::owner_write);
    ASSERT_TRUE(!root || ::chown(folder.Path().c_str(), 0, 0) == 0);
    fs::permissions(folder.Path(), P::owner_read | P::owner_exec | P::others_read | P::others_exec);
    EXPECT_EQ(InChild([&] { return static_cast<bool>(InsertScore(path, Record("M", 8))); }, PLAYER),
              "ok");
    EXPECT_EQ(Names(path), "M N ");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Zembro.rec"}) << "nothing beside it";
    EXPECT_EQ(InChild(
                  [&] {
                      const Result<FileLock> lock = LockFile(path, LockKind::Exclusive);
                      return lock && ReplaceFileContents(*lock, "short");
                  },
                  PLAYER),
              "ok");
    EXPECT_EQ(TempFolder::Contents(path), "short");
}

// Files shared with others, written by their owner or by another player: each save keeps the
// file's owner, group, mode, list and attribute, and every name of it sees the new contents.
TEST(FileSafety, SharedFilesKeepTheirIdentityAndEveryName) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the super-user to make the players and their files";
    const P rw = P::owner_read | P::owner_write, all = P::owner_all | P::group_all | P::others_all;
    const char* list = "u::rw-,u:4242:rw-,g::r--,m::rw-,o::---";
    struct Case {
        const char* name;
        uid_t folderOwner, fileOwner, writer;
        P folderMode, fileMode;
        const char* acl;      // the file's list, or nothing
        const char* linkedAs; // a second name, in a folder beside
    };
    const Case cases[] = {
        {"a list, saved by its owner", PLAYER, PLAYER, PLAYER, P::owner_all, rw, list, nullptr},
        {"a list, saved by the other player", PLAYER, PLAYER, OTHER, all, rw, list, nullptr},
        {"a second name", PLAYER, PLAYER, PLAYER, P::owner_all, rw, nullptr, "backup"},
        {"someone else's file in a sticky folder", 0, OTHER, PLAYER, all | P::sticky_bit,
         rw | P::group_read | P::group_write | P::others_read | P::others_write, nullptr, nullptr},
        {"a folder that cannot be read", PLAYER, PLAYER, PLAYER,
         all & ~(P::owner_read | P::group_read | P::others_read), rw, nullptr, nullptr},
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
            ::setxattr(path.c_str(), "user.zembro", "kept", 4, 0); // where the system keeps them
            const std::string other =
                c.linkedAs ? root / (std::string(c.linkedAs) + "/" + w.file) : "";
            if (c.linkedAs != nullptr) {
                fs::create_directories(root.Path() / c.linkedAs);
                fs::create_hard_link(path, other);
            }
            ASSERT_EQ(::chown(folder.c_str(), c.folderOwner, c.folderOwner), 0);
            fs::permissions(folder, c.folderMode);
            const std::string before = Identity(path), contents = TempFolder::Contents(path);
            EXPECT_EQ(
                InChild([&] { return w.write(path) && (w.file[0] != 'Z' || LoadScores(path)); },
                        c.writer),
                "ok");
            EXPECT_NE(TempFolder::Contents(path), contents);
            EXPECT_EQ(Identity(path), before);
            EXPECT_TRUE(other.empty() || TempFolder::Contents(other) == TempFolder::Contents(path));
            fs::permissions(folder, P::owner_all);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
        }
    }
    // The first save in a folder that cannot be read makes the file it locks, with the usual mode.
    const TempFolder root("unreadable");
    ASSERT_EQ(::chown(root.Path().c_str(), PLAYER, PLAYER), 0);
    fs::permissions(root.Path(), P::owner_write | P::owner_exec);
    EXPECT_EQ(
        InChild([&] { return static_cast<bool>(InsertScore(root / "Zembro.rec", Record("N", 9))); },
                PLAYER),
        "ok");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(root / "Zembro.rec").permissions()), 0666 & ~mask);
}

// Each kind of file that is not a regular one, under each name the game reads or writes: refused
// at once with the game's reason, never waited on, left as it was.
TEST(FileSafety, OnlyRegularFilesAreOpenedAndNothingWaits) {
    const std::function<void(const std::string&)> kinds[] = {
        [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
        [](const std::string& p) { fs::create_directory(p); },
        // A node of its own where it may make one, so that a fault writing through it cannot
        // replace the system's.
        [](const std::string& p) {
            if (::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 5)) != 0)
                fs::create_symlink("/dev/zero", p);
        },
        [](const std::string& p) {
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
            p.copy(address.sun_path, sizeof address.sun_path - 1);
            ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
            ::close(s);
        },
    };
    const std::function<int(const std::string&)> uses[] = {
        [](const std::string& p) {
            OptionValues v;
            return ReadOptions(p, v).Error();
        },
        [](const std::string& p) { return WriteOptions(p, Settings(3)).Error(); },
        [](const std::string& p) { return RankFor(p, 1, 1).Error(); },
        [](const std::string& p) { return InsertScore(p, Record("x", 1)).Error(); },
        [](const std::string& p) { return LoadScores(p).Error(); },
        [](const std::string& p) { return LoadSprite(p).Error(); },
        [](const std::string& p) {
            return ReadHotspots(fs::path(p).parent_path().string(), 1).Error();
        },
    };
    for (std::size_t kind = 0; kind < std::size(kinds); ++kind)
        for (std::size_t use = 0; use < std::size(uses); ++use) {
            const TempFolder folder("kinds");
            const std::string path = folder / "Pedine.pos";
            kinds[kind](path);
            EXPECT_EQ(InChild([&] { return uses[use](path) == FILE_ERROR_NOT_REGULAR; }, 0, 1),
                      "ok")
                << "kind " << kind << ", use " << use;
            EXPECT_FALSE(fs::is_regular_file(path));
        }
}

// A lock not granted in time fails with a reason that says who holds it; readers share; a
// shared lock allows no rewrite; a file system that keeps no locks saves all the same and says
// so once.
TEST(FileSafety, LocksWaitBoundedlyAndAreDoneWithoutWhereNoneAreKept) {
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
    }
    const Result<FileLock> reader = LockFile(path, LockKind::Shared, 0);
    ASSERT_TRUE(reader && LockFile(path, LockKind::Shared, 0));
    const Result<FileLock> writer = LockFile(path, LockKind::Exclusive, 0);
    EXPECT_EQ(writer.Error(), FILE_ERROR_READ_LOCKED);
    EXPECT_NE(writer.Reason().find("another program is reading it"), std::string::npos);
    EXPECT_EQ(ReplaceFileContents(*reader, "").Error(), FILE_ERROR_LOCKED);
    EXPECT_TRUE(LockFile("/zembro-no-such-file", LockKind::Shared, 0)) << "through the root";
    folder.Write("plain", "x");
    EXPECT_EQ(LockFile(folder / "plain/x", LockKind::Exclusive, 0).Error(), ENOTDIR);
    for (const int error : {ENOLCK, EOPNOTSUPP}) {
        static int refusal = 0;
        refusal = error;
        const LockCall none = [](int, int) {
            errno = refusal;
            return -1;
        };
        testing::internal::CaptureStderr();
        for (const char contents : {'a', 'b'}) {
            const Result<FileLock> lock = LockFile(folder / "nolock", LockKind::Exclusive, 0, none);
            ASSERT_TRUE(lock && !lock->Held());
            EXPECT_TRUE(ReplaceFileContents(*lock, std::string(SCORE_RECORD_SIZE, contents)));
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(TempFolder::Contents(folder / "nolock"), std::string(SCORE_RECORD_SIZE, 'b'));
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), error == ENOLCK ? 1 : 0) << said;
    }
}

// Only the program's own temporary files are swept, and only those of writers that are gone.
TEST(FileSafety, OnlyTheProgramsOwnTemporaryFilesAreSwept) {
    const std::pair<const char*, bool> names[] = {
        {".Zembro.rec.123.0.zembro-tmp", true},   {".Zembro.rec.4194304.99.zembro-tmp", true},
        {"Zembro.rec.tmp99999-0", false},         {".Zembro.rec.123.0.zembro-tmp.bak", false},
        {".Zembro.rec.0123.0.zembro-tmp", false}, {".Zembro.rec.123.100.zembro-tmp", false},
        {".Zembro.rec.12a.0.zembro-tmp", false},  {".Option.opt.123.0.zembro-tmp", false},
        {".Zembro.rec.0.0.zembro-tmp", false},    {".Zembro.rec.1234567890.0.zembro-tmp", false},
    };
    for (const auto& [name, ours] : names)
        EXPECT_EQ(TemporaryFileWriter(name, "Zembro.rec").has_value(), ours) << name;
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const TempFolder folder("sweep");
    const std::string dead = ".Zembro.rec." + std::to_string(gone) + ".";
    std::vector<std::string> kept = {"Zembro.rec.tmp99999-mybackup", dead + "0.zembro-tmp~",
                                     ".Zembro.rec." + std::to_string(::getpid()) + ".7.zembro-tmp",
                                     ".Zembro.rec.1.3.zembro-tmp", "Zembro.rec"};
    for (int n = 0; n <= 20; ++n)
        folder.Write(dead + std::to_string(n) + ".zembro-tmp", "half");
    for (const std::string& name : kept)
        if (name != "Zembro.rec")
            folder.Write(name, "mine");
    ASSERT_TRUE(InsertScore(folder / "Zembro.rec", Record("N", 5, 5)));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.Entries(), kept);
}

} // namespace
} // namespace zembro
