// The solver: the walled regions and their proofs, then a depth-first search of each region.
#include "game/solver.h"

#include "game/pair_scan.h"
#include "game/reach.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_set>

namespace zembro {
namespace {

// How long the quick search of a region may go on before the whole search takes over.
constexpr std::int64_t QUICK_POSITIONS = 20000;

struct Move {
    std::uint8_t from, to, code;
    bool pairs;
};

struct BoardHash {
    std::size_t operator()(const Board& board) const {
        std::uint64_t hash = 0x9E3779B97F4A7C15u;
        for (std::size_t i = 0; i < board.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, board.data() + i, sizeof word);
            hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
            hash ^= hash >> 32;
        }
        return static_cast<std::size_t>(hash);
    }
};

// Cells no fixed cell separates: a path never leaves its region.
struct Region {
    std::uint64_t cells = 0;
    int first = 0, size = 0, pieces = 0, empty = 0;
};

Cell CellOf(int element) {
    return {element % BOARD_SIDE + 1, element / BOARD_SIDE + 1};
}

std::vector<Region> Regions(const Board& board, std::uint8_t fixedCode) {
    std::vector<Region> regions;
    std::uint64_t seen = 0;
    for (int start = 0; start < BOARD_CELLS; ++start) {
        if (board[static_cast<std::size_t>(start)] == fixedCode || ((seen >> start) & 1) != 0)
            continue;
        Region region{.first = start};
        std::vector<int> todo{start};
        seen |= std::uint64_t{1} << start;
        while (!todo.empty()) {
            const int cell = todo.back();
            todo.pop_back();
            region.cells |= std::uint64_t{1} << cell;
            ++region.size;
            ++(board[static_cast<std::size_t>(cell)] == EMPTY_CELL ? region.empty : region.pieces);
            const int x = cell % BOARD_SIDE, y = cell / BOARD_SIDE;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& [nx, ny] : next) {
                const int n = ny * BOARD_SIDE + nx;
                if (nx < 0 || nx >= BOARD_SIDE || ny < 0 || ny >= BOARD_SIDE ||
                    ((seen >> n) & 1) != 0 || board[static_cast<std::size_t>(n)] == fixedCode)
                    continue;
                seen |= std::uint64_t{1} << n;
                todo.push_back(n);
            }
        }
        regions.push_back(region);
    }
    return regions;
}

// What proves a region lost before any search: an odd kind, or nothing that can ever move.
std::optional<Unwinnable> Proof(const Board& board, const Region& region) {
    int counts[256] = {};
    bool sideBySide = false;
    for (int cell = 0; cell < BOARD_CELLS; ++cell) {
        if (((region.cells >> cell) & 1) == 0)
            continue;
        const std::uint8_t code = board[static_cast<std::size_t>(cell)];
        ++counts[code];
        const bool right = cell % BOARD_SIDE + 1 < BOARD_SIDE && ((region.cells >> (cell + 1)) & 1);
        const bool below =
            cell + BOARD_SIDE < BOARD_CELLS && ((region.cells >> (cell + BOARD_SIDE)) & 1);
        sideBySide = sideBySide || (right && board[static_cast<std::size_t>(cell + 1)] == code) ||
                     (below && board[static_cast<std::size_t>(cell + BOARD_SIDE)] == code);
    }
    for (int code = 1; code < 256; ++code)
        if (counts[code] % 2 != 0)
            return Unwinnable{.why = Unwinnable::Why::OddKind,
                              .region = CellOf(region.first),
                              .kind = static_cast<std::uint8_t>(code),
                              .count = counts[code]};
    if (region.empty == 0 && !sideBySide)
        return Unwinnable{.why = Unwinnable::Why::Stuck, .region = CellOf(region.first)};
    return std::nullopt;
}

} // namespace

std::string ProofText(const Unwinnable& proof) {
    const std::string region =
        "region " + std::to_string(proof.region.col) + " " + std::to_string(proof.region.row);
    switch (proof.why) {
    case Unwinnable::Why::OddKind:
        return region + " holds " + std::to_string(proof.count) + " of kind " +
               std::to_string(proof.kind);
    case Unwinnable::Why::Stuck:
        return region + " is full and nothing in it can move";
    case Unwinnable::Why::Searched:
        return region + ": all " + std::to_string(proof.positions) +
               " positions it can reach were searched";
    }
    return region;
}

struct Solver::Search {
    // The moves out of a position and the one that led to it.
    struct Frame {
        std::vector<Move> moves;
        std::size_t next = 0;
        Move taken{};
    };

    Board board{};
    std::uint8_t fixedCode = 0;
    std::vector<Region> regions; // those with pieces, smallest first
    std::size_t region = 0;      // the one searched
    int pieces = 0;              // left in it
    std::vector<Frame> stack;
    bool quick = true; // keeping to pairs and the moves that open one
    std::int64_t regionPositions = 0;
    std::unordered_set<Board, BoardHash> seen;
    Solution solution;
    bool answered = false;

    void Apply(const Move& m) {
        board[m.from] = EMPTY_CELL;
        board[m.to] = m.pairs ? EMPTY_CELL : m.code;
        pieces -= m.pairs ? 2 : 0;
    }
    void Undo(const Move& m) {
        board[m.from] = m.code;
        board[m.to] = m.pairs ? m.code : EMPTY_CELL;
        pieces += m.pairs ? 2 : 0;
    }

    // Whether a pair can be made after `m`: by the moved piece, or through the cell it left by
    // one of the pieces at the ends of the lines from that cell.
    bool PairAfter(const Move& m) {
        Apply(m);
        const Cell to = CellOf(m.to);
        bool pairs = PairAvailableFrom(board, to.col, to.row);
        const std::uint64_t ends = pairs ? 0 : LineEnds(board, m.from);
        for (int cell = 0; cell < BOARD_CELLS && !pairs; ++cell)
            pairs = ((ends >> cell) & 1) != 0 &&
                    board[static_cast<std::size_t>(cell)] != fixedCode &&
                    PairAvailableFrom(board, cell % BOARD_SIDE + 1, cell / BOARD_SIDE + 1);
        Undo(m);
        return pairs;
    }

    // Every move, pairs first, then moves after which the moved piece pairs, then the rest. A
    // quick search keeps to the pairs where there are some, else to the moves that open one.
    std::vector<Move> Moves() {
        std::vector<Move> pairs, pairing, rest;
        const std::uint64_t cells = regions[region].cells;
        for (int from = 0; from < BOARD_CELLS; ++from) {
            const std::uint8_t code = board[static_cast<std::size_t>(from)];
            if (((cells >> from) & 1) == 0 || code == EMPTY_CELL)
                continue;
            const Reach reach = ReachFrom(board, from);
            for (int i = 0; i < reach.count; ++i) {
                const ReachTarget t = reach.targets[static_cast<std::size_t>(i)];
                const Move m{static_cast<std::uint8_t>(from), t.cell, code, t.pairs};
                if (t.pairs) {
                    if (from < t.cell)
                        pairs.push_back(m);
                } else if (!quick || pairs.empty()) {
                    (PairAfter(m) ? pairing : rest).push_back(m);
                }
            }
        }
        if (quick)
            return pairs.empty() ? pairing : pairs;
        pairs.insert(pairs.end(), pairing.begin(), pairing.end());
        pairs.insert(pairs.end(), rest.begin(), rest.end());
        return pairs;
    }

    // The region's search from its first position: the quick one first, then the whole one.
    void BeginRegion(bool quickFirst = true) {
        if (region == regions.size()) {
            solution.verdict = Solution::Verdict::Winnable;
            answered = true;
            return;
        }
        quick = quickFirst;
        pieces = regions[region].pieces;
        regionPositions = 0;
        seen.clear();
        seen.insert(board);
        stack.clear();
        stack.push_back({Moves()});
    }

    void RegionWon(const Move& last) {
        for (std::size_t i = 1; i < stack.size(); ++i)
            solution.line.push_back(StepOf(stack[i].taken));
        solution.line.push_back(StepOf(last));
        ++region;
        BeginRegion();
    }

    static SolverStep StepOf(const Move& m) { return {CellOf(m.from), CellOf(m.to), m.pairs}; }

    // One position more, or a step back.
    void Examine() {
        if (quick && regionPositions >= QUICK_POSITIONS) {
            // Long enough: back to the region's first position for the whole search.
            for (std::size_t i = stack.size() - 1; i > 0; --i)
                Undo(stack[i].taken);
            return BeginRegion(false);
        }
        Frame& top = stack.back();
        if (top.next == top.moves.size()) {
            const Move taken = top.taken;
            stack.pop_back();
            if (stack.empty() && quick)
                return BeginRegion(false);
            if (stack.empty()) {
                solution.verdict = Solution::Verdict::Unwinnable;
                solution.proof = {.why = Unwinnable::Why::Searched,
                                  .region = CellOf(regions[region].first),
                                  .positions = static_cast<std::int64_t>(seen.size())};
                answered = true;
                return;
            }
            Undo(taken);
            return;
        }
        const Move m = top.moves[top.next++];
        Apply(m);
        ++solution.positions;
        ++regionPositions;
        if (!seen.insert(board).second) {
            Undo(m);
            return;
        }
        if (pieces == 0)
            return RegionWon(m);
        stack.push_back({Moves(), 0, m});
    }
};

Solver::Solver() = default;
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

void Solver::Start(const Board& board, std::uint8_t fixedCode) {
    search_ = std::make_unique<Search>();
    Search& s = *search_;
    s.board = board;
    s.fixedCode = fixedCode;
    for (const Region& region : Regions(board, fixedCode)) {
        if (region.pieces == 0)
            continue;
        if (const std::optional<Unwinnable> proof = Proof(board, region)) {
            s.solution.verdict = Solution::Verdict::Unwinnable;
            s.solution.proof = *proof;
            s.answered = true;
            return;
        }
        s.regions.push_back(region);
    }
    std::stable_sort(s.regions.begin(), s.regions.end(),
                     [](const Region& a, const Region& b) { return a.size < b.size; });
    s.BeginRegion();
}

bool Solver::Advance(std::int64_t positions) {
    if (!search_)
        return false;
    for (std::int64_t n = 0; n < positions && !search_->answered; ++n)
        search_->Examine();
    return search_->answered;
}

const Solution& Solver::Answer() const {
    static const Solution none;
    return search_ ? search_->solution : none;
}

bool DealWinnable(GameState& game, const DealParams& params, std::uint32_t seed) {
    const GameState reset = game;
    for (int attempt = 0; attempt < WINNABLE_TRIES; ++attempt) {
        game = reset;
        Deal(game, params, seed + static_cast<std::uint32_t>(attempt));
        if (Solve(game.board, game.fixedCode, WINNABLE_BUDGET).verdict ==
            Solution::Verdict::Winnable)
            return true;
    }
    return false;
}

Solution Solve(const Board& board, std::uint8_t fixedCode, std::int64_t budget) {
    Solver solver;
    solver.Start(board, fixedCode);
    solver.Advance(budget);
    return solver.Answer();
}

} // namespace zembro
