// The game's files as several players on one machine share them: concurrent writers with
// different rights and names, killed writers, full disks, links, modes, ACLs, files that are no
// regular files, locks and leftovers. Nothing is lost, nothing waits forever, nothing is written
// but the file that was read, a file's identity survives its rewrites.
#include "game/random_generator.h"
#include "render/bmp_reader.h"
#include "store/file_replace.h"
#include "store/options_file.h"
#include "store/posix/file_handles.h"
#include "store/score_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <acl/libacl.h>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <functional>
#include <iostream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
const bool ROOT = ::geteuid() == 0;

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
bool Insert(const std::string& path, const ScoreRecord& record) {
    return static_cast<bool>(InsertScore(path, record));
}
std::string Names(const std::string& path) {
    std::string names;
    if (const Result<std::vector<ScoreRecord>> list = LoadScores(path))
        for (const ScoreRecord& r : *list)
            names += r.Name() + " ";
    return names;
}

// Runs `body` in a child as user `uid` (when the tests may change user), killed after
// `seconds`: "ok", "failed" or "hung", so that a regression that blocks fails the test instead
// of stopping the suite.
pid_t Spawn(const std::function<bool()>& body, uid_t uid, unsigned seconds) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        const bool as = uid == 0 || !ROOT || (::setgid(uid) == 0 && ::setuid(uid) == 0);
        ::_exit(as && body() ? 0 : 1);
    }
    return child;
}
std::string Outcome(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? "hung" : WEXITSTATUS(status) == 0 ? "ok" : "failed";
}
std::string InChild(const std::function<bool()>& body, uid_t uid = 0, unsigned seconds = 10) {
    return Outcome(Spawn(body, uid, seconds));
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
void SetAcl(const std::string& path, const char* text, acl_type_t type = ACL_TYPE_ACCESS) {
    acl_t acl = ::acl_from_text(text);
    ASSERT_EQ(::acl_set_file(path.c_str(), type, acl), 0) << text;
    ::acl_free(acl);
}
void Own(const std::string& path, uid_t uid, P mode) {
    ASSERT_TRUE(!ROOT || ::lchown(path.c_str(), uid, uid) == 0);
    if (!fs::is_symlink(path))
        fs::permissions(path, mode);
}

// A save: a result entered into the list at `path`. The settings are saved the same way.
bool Save(const std::string& path) {
    return Insert(path, Record("N", 9));
}

// Two players save results at once, starting from no file: each writer's results all rank,
// so a lost one shows. They share one folder; or a folder one of them may read and the other
// only write; or one file under two names in two folders.
TEST(FileSafety, ConcurrentWritersLoseNothing) {
    const P all = P::all,
            writeOnly = P::owner_all | P::group_all | P::others_write | P::others_exec;
    struct Case {
        const char* name;
        uid_t first, second;
        P folderMode;
        bool twoNames;
    } const cases[] = {
        {"one folder", 0, 0, all, false},
        {"one reads the folder, the other only writes it", OTHER, PLAYER, writeOnly, false},
        {"two names in two folders", 0, 0, all, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.first != c.second && !ROOT)
            GTEST_SKIP() << "needs the super-user to be two players";
        const TempFolder folder("concurrent");
        fs::create_directories(folder.Path() / "a");
        fs::create_directories(folder.Path() / "b");
        const std::string a = folder / "a/Zembro.rec", b = folder / "b/Zembro.rec";
        const std::string options = folder / "a/Option.opt";
        ASSERT_TRUE(Insert(a, Record("0-0", 999)) && WriteOptions(options, Settings(1)));
        if (c.twoNames)
            fs::create_hard_link(a, b);
        for (const std::string& file : {a, options})
            Own(file, c.first,
                P::owner_read | P::owner_write | P::group_read | P::group_write | P::others_read |
                    P::others_write);
        Own(folder / "a", c.first, c.folderMode);
        std::vector<pid_t> writers;
        for (const int w : {1, 2})
            writers.push_back(Spawn(
                [&, w] {
                    const std::string path = c.twoNames && w == 2 ? b : a;
                    bool ok = true;
                    for (int i = 1; i <= 100; ++i)
                        ok = Insert(path, Record(std::to_string(w) + "-" + std::to_string(i),
                                                 1000 + i, w)) &&
                             WriteOptions(options, Settings(10 * w)) && ok;
                    return ok;
                },
                w == 1 ? c.first : c.second, 60));
        for (const pid_t writer : writers)
            EXPECT_EQ(Outcome(writer), "ok") << "every save succeeded";
        std::string best; // fewer seconds first, then fewer moves
        for (int i = 1; i <= 8; ++i)
            best += "1-" + std::to_string(i) + " 2-" + std::to_string(i) + " ";
        fs::permissions(folder / "a", P::owner_all, fs::perm_options::add);
        EXPECT_EQ(Names(a), "0-0 " + best.substr(0, best.size() - 8));
        EXPECT_EQ(TempFolder::Contents(b), c.twoNames ? TempFolder::Contents(a) : "");
        const std::string text = TempFolder::Contents(options);
        EXPECT_TRUE(text == FormatOptions(Settings(10)) || text == FormatOptions(Settings(20)));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder / "a"), fs::directory_iterator()), 2)
            << "nothing left beside the files";
    }
}

// A writer rewrites both files over and over and is killed at random moments, in a folder it
// may list and in one it may not: each time both files are whole, the old or the new, and the
// next save leaves nothing of the killed ones.
TEST(FileSafety, KilledWhileWritingLeavesOldOrNewFilesAndNoLeftovers) {
    for (const bool readable : {true, false}) {
        SCOPED_TRACE(readable ? "a folder that can be read" : "a folder that cannot be read");
        const TempFolder folder("killed");
        const std::string options = folder / "Option.opt", scores = folder / "Zembro.rec";
        ASSERT_TRUE(WriteOptions(options, Settings(10)) && Insert(scores, Record("r", 100)));
        const std::string optionsA = TempFolder::Contents(options),
                          optionsB = FormatOptions(Settings(20));
        const std::string best = TempFolder::Contents(scores);
        for (const std::string& path : {folder.Path().string(), options, scores})
            Own(path, PLAYER, fs::status(path).permissions());
        if (!readable)
            fs::permissions(folder.Path(), P::owner_write | P::owner_exec);
        RandomGenerator rng(2026);
        for (int round = 0; round < 60; ++round) {
            const pid_t writer = Spawn(
                [&] {
                    for (int i = 0;; ++i) {
                        WriteOptions(options, Settings(i % 2 == 0 ? 20 : 10));
                        Insert(scores, Record("r", 200 + i % 7)); // a full list grows to fifteen
                    }
                    return true;
                },
                PLAYER, 10);
            ::usleep(static_cast<useconds_t>(200 + rng.Next() % 3000));
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);
            const std::string now = TempFolder::Contents(options),
                              list = TempFolder::Contents(scores);
            ASSERT_TRUE(now == optionsA || now == optionsB) << "round " << round;
            ASSERT_TRUE(list.size() % SCORE_RECORD_SIZE == 0 && list.size() <= 720);
            ASSERT_EQ(list.substr(0, SCORE_RECORD_SIZE), best) << "the best result is never lost";
        }
        EXPECT_EQ(InChild(
                      [&] {
                          return WriteOptions(options, Settings(10)) &&
                                 Insert(scores, Record("r", 100));
                      },
                      PLAYER),
                  "ok");
        fs::permissions(folder.Path(), P::owner_all);
        EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
    }
}

// A file-size limit stands in for a full disk: the saves fail, say so, and change nothing, in
// place (a second name) or beside; a first save leaves no file at all; a leftover of a killed
// writer never takes the room.
TEST(FileSafety, AFullDiskKeepsTheOldFilesAndSaysSo) {
    const TempFolder folder("full");
    const std::string options = folder / "Option.opt", scores = folder / "Zembro.rec";
    const auto full = [](const std::function<bool()>& write) {
        return InChild([&] {
            FailWritesPastTheSizeLimit();
            const rlimit limit{64, 64};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && !write();
        });
    };
    EXPECT_EQ(full([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }), "ok");
    EXPECT_TRUE(folder.Entries().empty()) << "no empty first file";
    ASSERT_TRUE(WriteOptions(options, Settings(10)) && Insert(scores, Record("r", 100)));
    const std::string oldOptions = TempFolder::Contents(options);
    const std::string oldScores = TempFolder::Contents(scores);
    folder.Write(".Zembro.rec.zembro-tmp", std::string(4096, 'h'));
    EXPECT_EQ(full([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }), "ok");
    EXPECT_EQ(full([&] { return Insert(scores, Record("n", 50)); }), "ok");
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Option.opt", "Zembro.rec"}));
    fs::create_hard_link(options, folder / "Option.bak");
    EXPECT_EQ(full([&] { return static_cast<bool>(WriteOptions(options, Settings(20))); }), "ok");
    EXPECT_EQ(TempFolder::Contents(options), oldOptions);
    EXPECT_EQ(TempFolder::Contents(scores), oldScores);
}

// A rewrite keeps a mode the writer would not give by itself; the player's own link, relative,
// to a link, absolute, stays a link and its target is replaced; a loop is refused.
TEST(FileSafety, RewritesKeepModesAndTheirOwnLinks) {
    const TempFolder folder("identity");
    const std::string plain = folder / "Zembro.rec";
    ASSERT_TRUE(Save(plain));
    fs::permissions(plain, P::owner_read | P::owner_write | P::group_read);
    ASSERT_TRUE(Save(plain));
    EXPECT_EQ(fs::status(plain).permissions(), P::owner_read | P::owner_write | P::group_read);
    fs::create_directories(folder.Path() / "elsewhere");
    fs::create_directories(folder.Path() / "run");
    const std::string target = folder / "elsewhere/Zembro.rec";
    fs::create_symlink(target, folder.Path() / "elsewhere/second-link");
    const std::string link = folder / "run/Zembro.rec";
    fs::create_symlink("../elsewhere/second-link", link);
    ASSERT_TRUE(Save(link)); // makes the target
    const std::string once = TempFolder::Contents(target);
    ASSERT_TRUE(Save(link)); // replaces it
    EXPECT_TRUE(fs::is_symlink(link) && fs::is_symlink(folder / "elsewhere/second-link"));
    EXPECT_NE(TempFolder::Contents(target), once);
    fs::create_symlink("loop", folder.Path() / "loop");
    EXPECT_EQ(InsertScore(folder / "loop", Record("N", 9)).Error(), FILE_ERROR_LINK_LOOP);
}

// In a folder others may write, a link counts only when the player or the folder's owner made
// it: one planted by another player is refused, by readers and writers, and its target is left
// as it was. A folder the player owns alone trusts every link in it.
TEST(FileSafety, LinksPlantedByOthersAreNotFollowed) {
    if (!ROOT)
        GTEST_SKIP() << "needs the super-user to make the players and their links";
    const P all = P::all, own = P::owner_all | P::group_read | P::group_exec;
    struct Case {
        const char* name;
        uid_t folderOwner;
        P folderMode;
        uid_t linkOwner;
        bool followed;
    } const cases[] = {
        {"another player's link in a shared folder", 0, all, OTHER, false},
        {"the same in a sticky folder", 0, all | P::sticky_bit, OTHER, false},
        {"the player's own link", 0, all, PLAYER, true},
        {"the folder owner's link", OTHER, all, OTHER, true},
        {"any link in the player's own folder", PLAYER, own, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder root("links");
        fs::create_directories(root.Path() / "run");
        const std::string notes = root.Write("notes.txt", ""); // an empty list, too
        Own(notes, PLAYER, P::owner_read | P::owner_write);
        const std::string link = root / "run/Zembro.rec";
        fs::create_symlink(notes, link);
        Own(link, c.linkOwner, P::none);
        Own(root / "run", c.folderOwner, c.folderMode);
        EXPECT_EQ(InChild([&] { return Save(link); }, PLAYER), c.followed ? "ok" : "failed");
        EXPECT_EQ(
            InChild([&] { return LoadScores(link).Error() == FILE_ERROR_FOREIGN_LINK; }, PLAYER),
            c.followed ? "failed" : "ok");
        EXPECT_EQ(TempFolder::Contents(notes).empty(), !c.followed);
        EXPECT_TRUE(fs::is_symlink(link));
    }
}

// A file the player may not write is refused and left as it was, and its lock cannot be taken;
// one they may write, in a folder they may not, is rewritten in place, shorter contents cutting
// it to their length.
TEST(FileSafety, PermissionsDecideAsForAnyWriteInPlace) {
    const TempFolder folder("permissions");
    const std::string path = folder / "Zembro.rec";
    ASSERT_TRUE(Insert(path, Record("N", 9)));
    const std::string before = TempFolder::Contents(path);
    Own(folder.Path(), PLAYER, P::owner_all);
    Own(path, PLAYER, P::owner_read | P::group_read);
    EXPECT_EQ(InChild(
                  [&] {
                      return InsertScore(path, Record("M", 8)).Error() == FILE_ERROR_DENIED &&
                             LockFile(path, LockKind::Exclusive, 0).Error() == FILE_ERROR_DENIED;
                  },
                  PLAYER),
              "ok");
    EXPECT_EQ(TempFolder::Contents(path), before);
    fs::permissions(path, P::owner_read | P::owner_write);
    Own(folder.Path(), 0, P::owner_read | P::owner_exec | P::others_read | P::others_exec);
    EXPECT_EQ(InChild([&] { return Insert(path, Record("M", 8)); }, PLAYER), "ok");
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
// file's owner, group, mode, list and attribute, whatever the folder's default list would give a
// new file, and every name of it sees the new contents.
TEST(FileSafety, SharedFilesKeepTheirIdentityAndEveryName) {
    if (!ROOT)
        GTEST_SKIP() << "needs the super-user to make the players and their files";
    const P rw = P::owner_read | P::owner_write, all = P::all;
    const char* list = "u::rw-,u:4242:rw-,g::r--,m::rw-,o::---";
    struct Case {
        const char* name;
        uid_t folderOwner, fileOwner, writer;
        P folderMode, fileMode;
        const char* acl;        // the file's list, or nothing
        const char* defaultAcl; // the folder's default list, or nothing
        const char* linkedAs;   // a second name, in a folder beside
    } const cases[] = {
        {"a list, saved by its owner", PLAYER, PLAYER, PLAYER, P::owner_all, rw, list, nullptr,
         nullptr},
        {"a list, saved by the other player", PLAYER, PLAYER, OTHER, all, rw, list, nullptr,
         nullptr},
        {"no list, in a folder whose default list is wider", PLAYER, PLAYER, PLAYER, P::owner_all,
         rw | P::group_read, nullptr, "u::rwx,u:4242:rw-,g::r-x,m::rwx,o::---", nullptr},
        {"a second name", PLAYER, PLAYER, PLAYER, P::owner_all, rw, nullptr, nullptr, "backup"},
        {"someone else's file in a sticky folder", 0, OTHER, PLAYER, all | P::sticky_bit,
         rw | P::group_read | P::group_write | P::others_read | P::others_write, nullptr, nullptr,
         nullptr},
        {"a folder that cannot be read", PLAYER, PLAYER, PLAYER,
         all & ~(P::owner_read | P::group_read | P::others_read), rw, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder root("shared");
        fs::create_directories(root.Path() / "run");
        const std::string folder = root / "run", path = root / "run/Zembro.rec";
        ASSERT_TRUE(Save(path));
        Own(path, c.fileOwner, c.fileMode);
        if (c.acl != nullptr)
            SetAcl(path, c.acl);
        if (c.defaultAcl != nullptr)
            SetAcl(folder, c.defaultAcl, ACL_TYPE_DEFAULT);
        ::setxattr(path.c_str(), "user.zembro", "kept", 4, 0); // where the system keeps them
        const std::string other =
            c.linkedAs ? root / (std::string(c.linkedAs) + "/Zembro.rec") : "";
        if (c.linkedAs != nullptr) {
            fs::create_directories(root.Path() / c.linkedAs);
            fs::create_hard_link(path, other);
        }
        Own(folder, c.folderOwner, c.folderMode);
        const std::string before = Identity(path), contents = TempFolder::Contents(path);
        EXPECT_EQ(
            InChild([&] { return Save(path) && LoadScores(path).Error() != FILE_ERROR_DENIED; },
                    c.writer),
            "ok");
        EXPECT_NE(TempFolder::Contents(path), contents);
        EXPECT_EQ(Identity(path), before);
        EXPECT_TRUE(other.empty() || TempFolder::Contents(other) == TempFolder::Contents(path));
        fs::permissions(folder, P::owner_all);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    }
    // The first save in a folder that cannot be read makes the file whole, with the usual mode.
    const TempFolder root("unreadable");
    Own(root.Path(), PLAYER, P::owner_write | P::owner_exec);
    EXPECT_EQ(InChild([&] { return Insert(root / "Zembro.rec", Record("N", 9)); }, PLAYER), "ok");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(root / "Zembro.rec").permissions()), 0666 & ~mask);
    EXPECT_EQ(TempFolder::Contents(root / "Zembro.rec").size(), SCORE_RECORD_SIZE);
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
    };
    const std::function<int(const std::string&)> uses[] = {
        [](const std::string& p) {
            OptionValues v;
            return ReadOptions(p, v).Error();
        },
        [](const std::string& p) { return WriteOptions(p, Settings(3)).Error(); },
        [](const std::string& p) { return InsertScore(p, Record("x", 1)).Error(); },
        [](const std::string& p) { return LoadScores(p).Error(); },
        [](const std::string& p) { return LoadSprite(p).Error(); },
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
// shared lock allows no rewrite; locks other programs take with flock, on the folder or the
// file, stop no save; a file system that keeps no locks saves all the same and says so once.
TEST(FileSafety, LocksWaitBoundedlyAndAreDoneWithoutWhereNoneAreKept) {
    const TempFolder folder("lock");
    const std::string path = folder / "Zembro.rec";
    ASSERT_TRUE(Insert(path, Record("N", 9)));
    {
        const Result<FileLock> held = LockFile(path, LockKind::Exclusive);
        ASSERT_TRUE(held);
        const Result<FileLock> waited = LockFile(path, LockKind::Exclusive, 100);
        EXPECT_EQ(waited.Error(), FILE_ERROR_LOCKED);
        EXPECT_NE(
            waited.Reason().find("another program is writing it and did not finish in 100 ms"),
            std::string::npos);
    }
    {
        const Result<FileLock> reader = LockFile(path, LockKind::Shared, 0);
        ASSERT_TRUE(reader && LockFile(path, LockKind::Shared, 0));
        const Result<FileLock> writer = LockFile(path, LockKind::Exclusive, 0);
        EXPECT_EQ(writer.Error(), FILE_ERROR_READ_LOCKED);
        EXPECT_NE(writer.Reason().find("another program is reading it"), std::string::npos);
        EXPECT_EQ(ReplaceFileContents(*reader, "").Error(), FILE_ERROR_LOCKED);
    }
    {
        const FileDescriptor dir(::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY));
        const FileDescriptor file(::open(path.c_str(), O_RDONLY));
        ASSERT_TRUE(::flock(dir.Get(), LOCK_SH) == 0 && ::flock(file.Get(), LOCK_EX) == 0);
        EXPECT_EQ(InChild([&] { return Insert(path, Record("M", 8)); }, 0, 2), "ok");
    }
    EXPECT_TRUE(LockFile("/zembro-no-such-file", LockKind::Shared, 0)) << "through the root";
    folder.Write("plain", "x");
    EXPECT_EQ(LockFile(folder / "plain/x", LockKind::Exclusive, 0).Error(),
              FILE_ERROR_NOT_A_FOLDER);
    static int refusal = 0;
    const LockCall none = [](int, int, struct flock*) {
        errno = refusal;
        return -1;
    };
    testing::internal::CaptureStderr();
    for (const int error : {ENOLCK, EOPNOTSUPP, ENOSYS, EINVAL})
        for (const char contents : {'a', 'b'}) {
            refusal = error;
            const Result<FileLock> lock =
                LockFileWith(folder / "nolock", LockKind::Exclusive, 0, none);
            ASSERT_TRUE(lock && (!lock->Exists() || !lock->Held())) << error;
            EXPECT_TRUE(ReplaceFileContents(*lock, std::string(48, contents))) << error;
        }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(TempFolder::Contents(folder / "nolock"), std::string(48, 'b'));
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// A list that is not whole is kept, under the first name no file has, by whichever player saves
// where their rights allow it (a group folder, another player's copy in a sticky folder, a
// folder in the way), and every name of the list gets the new one. Where no copy can be made,
// nothing is written and the failure says the copy is what failed.
TEST(FileSafety, BrokenListsAreKeptUnderNewNamesByEveryPlayer) {
    if (!ROOT)
        GTEST_SKIP() << "needs the super-user to make the players and their files";
    struct Case {
        const char* name;
        uid_t folderOwner;
        gid_t group;
        mode_t folderMode;
        uid_t writer;
        const char* listAt; // where Zembro.rec leads, through a link when not itself
        const char* kept;   // the copy's name, or nothing when none can be made
    } const cases[] = {
        {"another player, in a group folder", PLAYER, OTHER, 02775, OTHER, "Zembro.rec", "~"},
        {"a copy of another player in a sticky folder", 0, 0, 01777, PLAYER, "Zembro.rec", "~1"},
        {"a folder where the copy goes", PLAYER, PLAYER, 0700, PLAYER, "Zembro.rec", "~1"},
        {"a second name in another folder", PLAYER, PLAYER, 0700, PLAYER, "Zembro.rec", "~"},
        {"a list reached through a link", PLAYER, PLAYER, 0700, PLAYER, "store/scores.rec", "~"},
        {"a folder that cannot be written", PLAYER, PLAYER, 0500, PLAYER, "Zembro.rec", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder("kept");
        const std::string path = folder / "Zembro.rec", list = folder / c.listAt;
        fs::create_directories(fs::path(list).parent_path());
        if (list != path) {
            fs::create_symlink(c.listAt, path);
            Own(fs::path(list).parent_path(), PLAYER, P::owner_all);
        }
        ASSERT_TRUE(Insert(list, Record("a", 10)));
        const std::string broken = TempFolder::Contents(list) + "tail";
        folder.Write(c.listAt, broken);
        const std::string second = folder / "second/Zembro.rec";
        if (c.name == cases[3].name) {
            fs::create_directories(folder.Path() / "second");
            fs::create_hard_link(list, second);
        }
        if (c.name == cases[1].name)
            Own(folder.Write("Zembro.rec~", "theirs"), OTHER, P::owner_read | P::owner_write);
        if (c.name == cases[2].name)
            fs::create_directory(folder / "Zembro.rec~");
        ASSERT_EQ(::chown(list.c_str(), PLAYER, c.group) | ::chmod(list.c_str(), 0664), 0);
        ASSERT_EQ(::chown(folder.Path().c_str(), c.folderOwner, c.group) |
                      ::chmod(folder.Path().c_str(), c.folderMode),
                  0);
        const std::string kept = c.kept ? list + c.kept : "";
        EXPECT_EQ(InChild(
                      [&] {
                          const Result<InsertedScore> saved = InsertScore(path, Record("b", 5));
                          return c.kept ? saved && saved->keptAs == kept
                                        : saved.Error() == FILE_ERROR_NOT_KEPT &&
                                              saved.Status().Cause() == FILE_ERROR_DENIED;
                      },
                      c.writer),
                  "ok");
        EXPECT_EQ(Names(list), c.kept ? "b a " : "a ");
        EXPECT_EQ(TempFolder::Contents(c.kept ? kept : list), broken);
        EXPECT_TRUE(c.name != cases[1].name || TempFolder::Contents(path + "~") == "theirs");
        EXPECT_TRUE(c.name != cases[3].name ||
                    TempFolder::Contents(second) == TempFolder::Contents(list));
    }
}

// exFAT and FAT sticks (no links, unnamed files or access control lists; FAT keeps no owners
// or modes) and sshfs (no lists), each made and mounted by the test through FUSE: a first save
// and every later one is a new file whole before it takes the name, and concurrent writers lose
// nothing; a list that is not whole is kept beside a backup the player made; temporaries of
// killed writers go at the next save.
TEST(FileSafety, EveryKindOfFileSystemSavesWhole) {
    if (!ROOT)
        GTEST_SKIP() << "needs the super-user to mount file systems";
    const TempFolder root("file-systems");
    const std::pair<const char*, const char*> kinds[] = {
        {"exFAT", "truncate -s 8M exFAT.img && mkfs.exfat exFAT.img && losetup -f --show "
                  "exFAT.img >exFAT.dev && mount.exfat-fuse \"$(cat exFAT.dev)\" exFAT"},
        {"FAT", "truncate -s 8M FAT.img && mkfs.vfat FAT.img && fusefat -o rw+ FAT.img FAT"},
        {"sshfs",
         "mkdir back && printf '#!/bin/sh\\nexec /usr/lib/openssh/sftp-server\\n' >ssh && "
         "chmod +x ssh && sshfs -o ssh_command=\"$PWD/ssh\" localhost:\"$PWD/back\" sshfs"},
    };
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    for (const auto& [kind, make] : kinds) {
        const std::string in = "cd '" + root.Path().string() + "' && ";
        if (std::system((in + "mkdir " + kind + " && (" + make + ") >/dev/null 2>&1").c_str())) {
            std::cout << "[  SKIPPED ] " << kind << ": cannot be made or mounted here\n";
            continue;
        }
        SCOPED_TRACE(kind);
        const std::string folder = root / kind, path = folder + "/Zembro.rec";
        // Two writers at once, from no file: the fifteen best of their results, none lost. Not
        // on fusefat, which loses what is written when a file someone holds open is renamed
        // over, under any writers (seen with two plain scripts and a reader).
        std::vector<pid_t> writers;
        for (const int w : {1, 2})
            if (kind != std::string("FAT"))
                writers.push_back(Spawn(
                    [&, w] {
                        bool ok = true;
                        for (int i = 1; i <= 20; ++i)
                            ok = Insert(path, Record(std::to_string(w) + "-" + std::to_string(i),
                                                     1000 + i, w)) &&
                                 ok;
                        return ok;
                    },
                    0, 60));
        for (const pid_t writer : writers)
            EXPECT_EQ(Outcome(writer), "ok");
        std::string best;
        for (int i = 1; i <= 8; ++i)
            best += "1-" + std::to_string(i) + " 2-" + std::to_string(i) + " ";
        EXPECT_EQ(Names(path), writers.empty() ? "" : best.substr(0, best.size() - 4));
        EXPECT_TRUE(WriteOptions(folder + "/Option.opt", {}));
        struct stat first {
        }, second{};
        ::stat(path.c_str(), &first);
        EXPECT_TRUE(Insert(path, Record("b", 10)));
        ::stat(path.c_str(), &second);
        EXPECT_NE(first.st_ino, second.st_ino) << "a new file, not the old one rewritten";
        const std::string broken = TempFolder::Contents(path) + "tail";
        const std::pair<std::string, std::string> files[] = {
            {"Zembro.rec", broken},
            {"Zembro.rec~", "backup"},
            {".Zembro.rec.zembro-tmp", ""},
            {".Zembro.rec." + std::to_string(gone) + ".zembro-tmp", ""}};
        for (const auto& [name, text] : files)
            std::ofstream(folder + "/" + name) << text;
        const Result<InsertedScore> inserted = InsertScore(path, Record("c", 30));
        EXPECT_TRUE(inserted && inserted->keptAs == path + "~1") << inserted.Reason();
        EXPECT_EQ(TempFolder::Contents(path + "~1"), broken);
        EXPECT_EQ(TempFolder::Contents(path + "~"), "backup");
        EXPECT_EQ(Names(path).substr(0, 4), "b c ");
        std::vector<std::string> entries;
        for (const auto& entry : fs::directory_iterator(folder))
            entries.push_back(entry.path().filename());
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, (std::vector<std::string>{"Option.opt", "Zembro.rec", "Zembro.rec~",
                                                     "Zembro.rec~1"}));
        std::system((in + "umount " + kind + "; [ ! -f " + kind + ".dev ] || losetup -d \"$(cat " +
                     kind + ".dev)\"")
                        .c_str());
    }
}

} // namespace
} // namespace zembro
