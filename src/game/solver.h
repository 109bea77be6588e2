// Whether a position can still be won: a winning line, a proof that none exists, or neither
// within the number of positions it may examine. Rules only: no clock, so a caller spreads the
// work over its idle time by examining a few positions at a time.
#pragma once

#include "game/board.h"
#include "game/cell.h"
#include "game/deal.h"
#include "game/game_state.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zembro {

// One move of a line: the piece on `from` goes to `to`; `pairs` when `to` holds its equal and
// both go.
struct SolverStep {
    Cell from, to;
    bool pairs = false;
    bool operator==(const SolverStep&) const = default;
};

// Why no line wins. Fixed cells wall the board into regions that no piece ever leaves, and each
// region must be won by itself.
struct Unwinnable {
    enum class Why {
        OddKind,  // a region holds an odd number of pieces of one kind
        Stuck,    // a region is full and holds no two equal pieces side by side: nothing moves
        Searched, // every position that can be reached from a region's was examined
    } why = Why::Searched;
    Cell region;                // a cell of the region
    std::uint8_t kind = 0;      // OddKind: the kind, and how many of it the region holds
    int count = 0;              //
    std::int64_t positions = 0; // Searched: how many positions the search examined
};

struct Solution {
    enum class Verdict { Winnable, Unwinnable, Unknown } verdict = Verdict::Unknown;
    std::vector<SolverStep> line; // Winnable: from the position to the last pair
    Unwinnable proof;             // Unwinnable
    std::int64_t positions = 0;   // examined so far
};

// The proof in a line of English, for the tool: "region 2 3 holds 3 of kind 5".
std::string ProofText(const Unwinnable& proof);

// A search that can be resumed: each region, smallest first, depth first over every move,
// pairs first, then moves after which the moved piece can pair, then the others, never
// entering a position twice. Its answers are certain: "unwinnable" only from a proof.
class Solver {
  public:
    Solver();
    ~Solver();
    Solver(Solver&&) noexcept;
    Solver& operator=(Solver&&) noexcept;

    // A new question about `board`, whose fixed cells hold `fixedCode`.
    void Start(const Board& board, std::uint8_t fixedCode);
    // Examines up to `positions` more positions; true once the answer is known.
    bool Advance(std::int64_t positions);
    // Winnable or Unwinnable once answered; Unknown before.
    const Solution& Answer() const;

  private:
    struct Search;
    std::unique_ptr<Search> search_;
};

// Asks a solver about `board` and lets it examine at most `budget` positions.
Solution Solve(const Board& board, std::uint8_t fixedCode, std::int64_t budget);

// Winnable deals: the start values tried, and what each one's search may cost.
inline constexpr int WINNABLE_TRIES = 40;
inline constexpr std::int64_t WINNABLE_BUDGET = 20000;

// Deals into the reset `game` from `seed`, then from the next start values, until the solver
// wins a deal; true when one was found, else the last deal tried stays.
bool DealWinnable(GameState& game, const DealParams& params, std::uint32_t seed);

} // namespace zembro
