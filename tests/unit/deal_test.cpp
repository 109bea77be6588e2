// The deal: its worked examples, a reference written from its rules on thousands of start values,
// settings out of range, and fixed-cell attempts however many.
#include "game/deal.h"

#include "board_rows.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace zembro {
namespace {

struct DealResult {
    GameState state;
    std::uint32_t rngState;
};

DealResult DealWith(const DealParams& params, std::uint32_t seed) {
    DealResult result{};
    PointerState pointer;
    ResetGame(result.state, pointer);
    result.rngState = Deal(result.state, params, seed);
    return result;
}

Board BoardOf(const std::string& codes) {
    Board board{};
    std::istringstream in(codes);
    for (std::uint8_t& cell : board) {
        int code = 0;
        in >> code;
        cell = static_cast<std::uint8_t>(code);
    }
    return board;
}

// The deal's two worked examples, from start value 12345 with 33 pictures.
TEST(Deal, WorkedExamples) {
    struct Case {
        DealParams params;
        const char* board;
        int piecesLeft;
        std::uint32_t rngState;
    };
    // clang-format off
    const Case cases[] = {
        {{1, 1, 20, 33, 0}, "0 6 17 9 5 4 13 14 6 9 15 10 6 17 10 5 2 16 20 16 10 13 16 9 6 4 17 1 2 6 14 13 "
         "15 18 13 18 7 16 10 20 6 5 1 9 5 17 9 5 9 6 19 5 6 5 17 19 5 7 9 17 9 19 0 19", 62, 19},
        {{0, 0, 20, 33, 3}, "0 2 7 33 16 33 7 6 9 6 18 5 14 9 1 19 17 9 14 6 17 19 4 33 9 5 13 6 17 9 20 5 "
         "4 5 6 5 9 15 6 15 16 6 16 17 13 2 19 5 6 5 17 13 33 16 33 20 5 19 17 18 13 1 33 0", 56, 743909425},
    };
    // clang-format on
    for (const Case& c : cases) {
        const DealResult dealt = DealWith(c.params, 12345);
        EXPECT_EQ(test::BoardText(dealt.state.board), test::BoardText(BoardOf(c.board)));
        EXPECT_EQ(dealt.state.piecesLeft, c.piecesLeft);
        EXPECT_EQ(dealt.state.fixedCode, 33);
        EXPECT_EQ(dealt.rngState, c.rngState);
    }
}

// The deal as its rules tell it, written plainly and apart from the game's: the generator's
// arithmetic, the pool, the cells in order with the neighbour test, the searches for fixed pairs
// draw by draw.
struct Reference {
    std::uint32_t state;
    int Rand() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }
};

DealResult ReferenceDeal(const DealParams& p, std::uint32_t start) {
    Reference r{start};
    const int k = p.kinds;
    int pool[64] = {};
    int count = 0, first = 0, last = 0;
    if (p.randomEmpty != 0) {
        for (int i = 31; i >= 1; --i)
            pool[i] = r.Rand() % k + 1;
        for (int i = 1; i <= 31; ++i)
            pool[32 + i] = pool[i];
        count = 64, first = 0, last = 63;
    } else {
        for (int i = 30; i >= 0; --i)
            pool[i] = r.Rand() % k + 1;
        for (int i = 0; i <= 30; ++i)
            pool[31 + i] = pool[i];
        count = 62, first = 1, last = 62;
    }
    DealResult out{};
    int cells[64] = {};
    for (int e = first; e <= last; ++e) {
        int i = 0;
        bool taken = p.controlled == 0;
        if (taken)
            i = r.Rand() % count;
        for (int tries = 0; !taken && tries < count; ++tries) {
            i = r.Rand() % count;
            const bool left = e % 8 != 0 && cells[e - 1] == pool[i];
            const bool above = e >= 8 && cells[e - 8] == pool[i];
            taken = !left && !above;
        }
        if (!taken)
            i = r.Rand() % count;
        const int v = pool[i];
        pool[i] = pool[--count];
        cells[e] = v;
        out.state.piecesLeft += v != 0 ? 1 : 0;
        r.state = static_cast<std::uint32_t>(v);
    }
    for (int attempt = 0; attempt < p.fixedCells; ++attempt) {
        const int v = r.Rand() % k + 1;
        r.state = static_cast<std::uint32_t>(v);
        int c1 = r.Rand() % 64;
        for (int counter = 9254; c1 >= 0 && cells[c1] != v;) {
            c1 = r.Rand() % 64;
            if (--counter == 0)
                c1 = -1; // none
        }
        int c2 = -1;
        for (int counter = 9255;;) {
            c2 = r.Rand() % 64;
            if (c2 == c1)
                c2 = 0;
            if (--counter == 0) {
                c2 = -1;
                break;
            }
            if (cells[c2] == v)
                break;
        }
        if (c1 >= 0 && c2 >= 0 && c1 != c2) {
            cells[c1] = cells[c2] = p.numMaxPedine;
            out.state.piecesLeft -= 2;
        }
    }
    for (int e = 0; e < 64; ++e)
        out.state.board[static_cast<std::size_t>(e)] = static_cast<std::uint8_t>(cells[e]);
    out.rngState = r.state;
    return out;
}

// Thousands of start values, every way of placing pieces and empty cells, with and without fixed
// cells, against the reference: the same board, pieces and generator state.
TEST(Deal, AgreesWithTheRulesOnThousandsOfStartValues) {
    struct Kind {
        int kinds, fixedCells, seeds;
    };
    const Kind settings[] = {{1, 0, 600},   {2, 5, 600},   {20, 0, 600}, {20, 3, 600},
                             {32, 30, 600}, {32, 400, 15}, {1, 400, 15}};
    int dealt = 0;
    for (const Kind& s : settings)
        for (const int controlled : {0, 1})
            for (const int randomEmpty : {0, 1})
                for (int n = 0; n < s.seeds; ++n) {
                    const DealParams params{controlled, randomEmpty, s.kinds, 33, s.fixedCells};
                    const std::uint32_t seed = static_cast<std::uint32_t>(n) * 2654435761u;
                    const DealResult game = DealWith(params, seed);
                    const DealResult rules = ReferenceDeal(params, seed);
                    ASSERT_EQ(test::BoardText(game.state.board), test::BoardText(rules.state.board))
                        << "start " << seed << ", " << controlled << randomEmpty << " kinds "
                        << s.kinds << " fixed " << s.fixedCells;
                    ASSERT_EQ(game.state.piecesLeft, rules.state.piecesLeft) << seed;
                    ASSERT_EQ(game.rngState, rules.rngState) << seed;
                    ++dealt;
                }
    EXPECT_EQ(dealt, 12120);
}

// Settings that would divide by zero, give a fixed code that is a piece kind, or a fixed code
// that is not a byte: the deal stays within 1..254 kinds and a fixed code of 2..255.
TEST(Deal, OutOfRangeKindsAndPictureCountsStaySound) {
    struct Case {
        int kinds, numMaxPedine, expectedKinds, expectedFixed;
    };
    const Case cases[] = {
        {0, 33, 1, 33}, {-7, 33, 1, 33},      {-1, 0, 1, 2},      {0, 1, 1, 2},
        {5, -40, 1, 2}, {299, 300, 254, 255}, {20, 256, 20, 255}, {1000, 40, 39, 40},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            const GameState s = DealWith({1, 1, c.kinds, c.numMaxPedine, 10}, seed).state;
            int counts[256] = {};
            for (const std::uint8_t code : s.board)
                ++counts[code];
            for (int code = c.expectedKinds + 1; code < 256; ++code)
                EXPECT_TRUE(code == c.expectedFixed || counts[code] == 0) << code;
            EXPECT_EQ(counts[0], 2);
            EXPECT_EQ(s.piecesLeft, 62 - counts[c.expectedFixed]);
            EXPECT_EQ(s.fixedCode, c.expectedFixed);
        }
    }
}

// The largest count of fixed-cell attempts a file can hold completes (the benchmark times it).
TEST(Deal, TheMostFixedCellAttemptsComplete) {
    const GameState most = DealWith({0, 0, 2, 33, std::numeric_limits<int>::max()}, 4).state;
    EXPECT_LT(most.piecesLeft, 62);
    EXPECT_EQ(most.board[0] + most.board[63], 0);
}

} // namespace
} // namespace zembro
