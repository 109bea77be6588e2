# Writes a C++ source holding the program's pictures as byte arrays, with their lookups.
# Usage: cmake -DRESOURCE_DIR=... -DOUTPUT=... -P embed_resources.cmake
file(GLOB bitmaps RELATIVE ${RESOURCE_DIR} ${RESOURCE_DIR}/bitmap*.bmp)
file(GLOB icons RELATIVE ${RESOURCE_DIR} ${RESOURCE_DIR}/icon*.png)
list(SORT bitmaps)
list(SORT icons)

set(body "// Generated from the pictures artgen draws: do not edit.\n")
string(APPEND body "#include \"platform/resources.h\"\n\nnamespace zembro::platform {\nnamespace {\n")
set(bitmap_table "")
set(icon_table "")
foreach(name IN LISTS bitmaps icons)
    file(READ ${RESOURCE_DIR}/${name} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "[^A-Za-z0-9]" "_" symbol "${name}")
    string(APPEND body "const std::uint8_t ${symbol}[] = {${bytes}};\n")
    if(name MATCHES "^bitmap([0-9]+)\\.bmp$")
        string(APPEND bitmap_table "    {${CMAKE_MATCH_1}, ${symbol}},\n")
    elseif(name MATCHES "^icon([0-9]+)-([0-9]+)\\.png$")
        string(APPEND icon_table "    {${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, ${symbol}},\n")
    endif()
endforeach()
string(APPEND body "
struct BitmapEntry {
    int id;
    std::span<const std::uint8_t> bytes;
};
struct IconEntry {
    int id, size;
    std::span<const std::uint8_t> bytes;
};
const BitmapEntry BITMAPS[] = {
${bitmap_table}};
const IconEntry ICONS[] = {
${icon_table}};

} // namespace

std::span<const std::uint8_t> ProgramBitmap(int id) {
    for (const BitmapEntry& e : BITMAPS)
        if (e.id == id)
            return e.bytes;
    return {};
}

std::vector<ProgramIconImage> ProgramIcon(int id) {
    std::vector<ProgramIconImage> images;
    for (const IconEntry& e : ICONS)
        if (e.id == id)
            images.push_back({e.size, e.bytes});
    return images;
}

} // namespace zembro::platform
")
file(WRITE ${OUTPUT}.new "${body}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
