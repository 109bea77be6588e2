// What makes a file the same file to its users, beyond its contents: owner, group, mode, access
// control list and extended attributes.
#pragma once

#include <sys/stat.h>

namespace zembro {

// Gives the new file `to` the identity of the file open as `from`, which `old` describes.
// False when the owner, the group, the mode or the access control list could not be given (the
// writer is not the owner, say): then `to` would not be the same file to its users. Other
// extended attributes are copied where the process may.
bool TakeIdentity(int to, int from, const struct stat& old);

} // namespace zembro
