// Lock, write beside, flush, rename over: the one way the game rewrites its files.
#include "store/file_replace.h"

#include "store/file_identity.h"
#include "store/path_parts.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zembro {
namespace {

constexpr std::string_view TEMPORARY_SUFFIX = ".zembro-tmp";

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced costs only durability.
void SyncFolder(const std::string& folder) {
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
}

// A writer killed between creating its temporary file and renaming it leaves that file behind;
// the next write sweeps the ones whose writer is gone, and nothing else.
void SweepAbandoned(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string base = BaseOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<pid_t> writer = TemporaryFileWriter(entry->d_name, base);
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Rewrites an open file in place: its room claimed, written, cut to its new length, flushed. A
// full disk or a size limit stops it at the claim, before a byte of the file changes.
IoResult RewriteInPlace(int fd, const std::string& target, std::string_view contents) {
    const off_t length = static_cast<off_t>(contents.size());
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        contents.size() > limit.rlim_cur)
        return SystemFailure(target, EFBIG);
    if (length > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length) != 0 && errno != EOPNOTSUPP)
        return SystemFailure(target, errno);
    if (::lseek(fd, 0, SEEK_SET) != 0 || !WriteAll(fd, contents) || ::ftruncate(fd, length) != 0 ||
        ::fsync(fd) != 0)
        return SystemFailure(target, errno);
    return IoResult::Ok();
}

// Creates the temporary file beside `target`: a name of this process's no other writer uses.
Result<FileDescriptor> CreateTemporary(const std::string& target, bool replacing,
                                       std::string& name) {
    const std::string prefix =
        FolderOf(target) + "/." + BaseOf(target) + "." + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + std::to_string(attempt) + std::string(TEMPORARY_SUFFIX);
        // A new file takes the usual mode; one that replaces a file takes that file's later.
        FileDescriptor fd(
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666));
        if (fd.Valid())
            return Result<FileDescriptor>::Ok(std::move(fd));
        if (errno != EEXIST)
            return Result<FileDescriptor>::Fail(SystemFailure(name, errno));
    }
    return Result<FileDescriptor>::Fail(SystemFailure(prefix + "*", EEXIST));
}

} // namespace

std::optional<pid_t> TemporaryFileWriter(std::string_view name, std::string_view base) {
    // "." base "." pid "." attempt ".zembro-tmp", the numbers plain decimals.
    if (!name.starts_with('.') || !name.ends_with(TEMPORARY_SUFFIX))
        return std::nullopt;
    name.remove_prefix(1);
    name.remove_suffix(TEMPORARY_SUFFIX.size());
    if (!name.starts_with(base) || name.size() <= base.size() || name[base.size()] != '.')
        return std::nullopt;
    name.remove_prefix(base.size() + 1);
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    // A plain decimal of at most `longest` digits, without leading zeros.
    auto number = [](std::string_view digits, std::size_t longest) -> std::optional<long> {
        long value = 0;
        const char* end = digits.data() + digits.size();
        if (digits.empty() || digits.size() > longest || (digits.size() > 1 && digits[0] == '0') ||
            digits[0] == '-' || std::from_chars(digits.data(), end, value).ptr != end)
            return std::nullopt;
        return value;
    };
    const std::optional<long> pid = number(name.substr(0, dot), 9);
    if (!pid || *pid == 0 || !number(name.substr(dot + 1), 2))
        return std::nullopt;
    return static_cast<pid_t>(*pid);
}

IoResult ReplaceFileContents(const FileLock& lock, std::string_view contents) {
    const std::string& target = lock.Target();
    if (lock.Kind() != LockKind::Exclusive)
        return IoResult::Fail(target + ": not locked for writing", FILE_ERROR_LOCKED);

    // The leftovers of killed writers go first, so that they never take the room this one needs.
    SweepAbandoned(target);

    // The file as it is: opening it for writing is what says whether the player may write it.
    struct stat old {};
    FileDescriptor current;
    if (::stat(target.c_str(), &old) == 0) {
        Result<FileDescriptor> opened = OpenRegular(target, O_WRONLY);
        if (!opened)
            return opened.Status();
        current = std::move(*opened);
        if (::fstat(current.Get(), &old) != 0)
            return SystemFailure(target, errno);
        // A new file would leave its other names with the old contents.
        if (old.st_nlink > 1)
            return RewriteInPlace(current.Get(), target, contents);
    }
    const bool exists = current.Valid();

    std::string temporary;
    Result<FileDescriptor> created = CreateTemporary(target, exists, temporary);
    if (!created) {
        const int error = created.Error();
        // A folder that takes no new file: the file itself is still the player's to write.
        if (exists && (error == EACCES || error == EPERM))
            return RewriteInPlace(current.Get(), target, contents);
        return created.Status();
    }
    FileDescriptor& file = *created;
    if (exists && !TakeIdentity(file.Get(), current.Get(), old)) {
        ::unlink(temporary.c_str());
        return RewriteInPlace(current.Get(), target, contents);
    }
    int error = 0;
    if (!WriteAll(file.Get(), contents) || ::fsync(file.Get()) != 0)
        error = errno;
    if (error == 0 && !file.Close())
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return SystemFailure(target, error);
    }
    SyncFolder(FolderOf(target));
    return IoResult::Ok();
}

IoResult ReplaceFileContents(const std::string& path, std::string_view contents) {
    const Result<FileLock> lock = LockFile(path, LockKind::Exclusive);
    if (!lock)
        return lock.Status();
    return ReplaceFileContents(*lock, contents);
}

} // namespace zembro
