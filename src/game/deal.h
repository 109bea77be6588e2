// Dealing a new board: 31 pairs from a shuffled pool, two empty cells, some pairs fixed.
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"

#include <cstdint>

namespace zembro {

struct DealParams {
    std::int32_t controlled = 0;   // avoid a piece equal to its left or upper neighbour
    std::int32_t randomEmpty = 0;  // the two empty cells fall anywhere, not top and bottom
    std::int32_t kinds = 0;        // piece kinds dealt
    std::int32_t numMaxPedine = 0; // gives the fixed code
    std::int32_t fixedCells = 0;   // attempts at turning a pair into fixed cells
};

// The parameters a deal takes from the settings in force.
DealParams DealParamsFrom(const OptionValues& settings);

// Fills the board, `piecesLeft` and `fixedCode` of a game that ResetGame has just cleared.
// The generator starts from `startValue` and is reseeded with every value placed, so the
// board follows from the start value and the parameters alone. Fewer than one kind is dealt
// as one kind. Gives the generator's state after the deal.
std::uint32_t Deal(GameState& state, const DealParams& params, std::uint32_t startValue);

} // namespace zembro
