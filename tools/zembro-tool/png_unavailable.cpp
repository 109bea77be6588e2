// The Windows build has no PNG library: `render` says so instead of writing.
#include "png_file.h"

namespace zembro::tool {

IoResult WritePng(const std::string& path, ConstPixelView) {
    return IoResult::Fail(path + ": this build writes no PNG pictures (the Linux build does)");
}

} // namespace zembro::tool
