// Copying a file's identity to the new file that replaces it.
#include "store/posix/file_identity.h"

#include <acl/libacl.h>
#include <cerrno>
#include <string>
#include <string_view>
#include <sys/acl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace zembro {
namespace {

// True when `to` has the access control list of `from`. A list that says no more than the
// mode is set too: it removes what the folder's default list gave the new file, which the old
// one did not have.
bool TakeAcl(int to, int from) {
    acl_t acl = ::acl_get_fd(from);
    if (acl == nullptr)
        return errno == ENOTSUP; // a file system without lists: the mode says it all
    bool taken = ::acl_set_fd(to, acl) == 0;
    // A file system that answers a question about lists but keeps none (sshfs, exFAT): the list
    // made from the mode is the mode, given already.
    if (!taken && errno == ENOTSUP)
        taken = ::acl_equiv_mode(acl, nullptr) == 0;
    ::acl_free(acl);
    return taken;
}

// The other extended attributes, each where the process may read and write it.
void TakeAttributes(int to, int from) {
    const ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t listed = ::flistxattr(from, names.data(), names.size());
    if (listed <= 0)
        return;
    std::vector<char> value;
    for (std::size_t at = 0; at < static_cast<std::size_t>(listed);) {
        const std::string_view name(names.data() + at);
        at += name.size() + 1;
        if (name.starts_with("system.posix_acl_"))
            continue; // the list, taken whole above
        const std::string key(name);
        const ssize_t length = ::fgetxattr(from, key.c_str(), nullptr, 0);
        if (length < 0)
            continue;
        value.resize(static_cast<std::size_t>(length));
        if (::fgetxattr(from, key.c_str(), value.data(), value.size()) == length)
            ::fsetxattr(to, key.c_str(), value.data(), value.size(), 0);
    }
}

} // namespace

bool TakeIdentity(int to, int from, const struct stat& old) {
    // Each only where it differs: some file systems (FAT) give every file the same owner and
    // mode and refuse to be asked. The owner first: a change of owner clears the set-id bits
    // the mode then gives back.
    struct stat now {};
    if (::fstat(to, &now) != 0 ||
        ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
         ::fchown(to, old.st_uid, old.st_gid) != 0) ||
        ::fstat(to, &now) != 0 ||
        ((now.st_mode & 07777) != (old.st_mode & 07777) && ::fchmod(to, old.st_mode & 07777) != 0))
        return false;
    // The list after the mode: setting it sets the group bits to its mask.
    if (!TakeAcl(to, from))
        return false;
    TakeAttributes(to, from);
    return true;
}

} // namespace zembro
