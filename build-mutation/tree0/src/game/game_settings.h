// The player's settings: the eleven values of an options file, and the record the game holds.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zembro {

// Bit 7 of `penalty`: the penalty check examines the whole board, not only the moved piece.
inline constexpr std::int32_t PENALTY_FULL = 0x80;
// Bits 0-6 of `penalty`: the seconds charged.
inline constexpr std::int32_t PENALTY_SECONDS_MASK = 0x7F;

// The values an options file holds, in file order. The options dialog keeps its own copy of
// exactly these; the game's record adds the picture names.
struct OptionValues {
    std::string directory1; // folder of the board pictures
    std::string directory2; // folder of the counter pictures
    std::int32_t NumMaxPedine = 0;
    std::int32_t controlledInsertion = 0;
    std::int32_t randomEmptyCells = 0;
    std::int32_t reselectAfterMove = 0;
    std::int32_t holdToDrag = 0;
    std::int32_t twoColourPath = 0;
    std::int32_t penalty = 0;
    std::int32_t fixedCells = 0;
    std::int32_t kindsUsed = 0;

    bool operator==(const OptionValues&) const = default;
};

// The game's settings record: the file's values plus the four fixed picture names
// (background, empty cell, highlight, second highlight), which start-up sets.
struct GameSettings : OptionValues {
    std::array<std::string, 4> imageNames;
};

// The code a fixed cell holds. Cells are bytes and 0 means empty, so the code is kept in 2..255:
// a count of pictures outside that range must neither turn fixed cells into empty ones nor
// let a fixed cell equal the only piece kind.
constexpr std::uint8_t FixedCode(std::int32_t numMaxPedine) {
    if (numMaxPedine < 2)
        return 2;
    if (numMaxPedine > 255)
        return 255;
    return static_cast<std::uint8_t>(numMaxPedine);
}

} // namespace zembro
