// What a screen reader hears: the cells' names, the focus, and a sentence for each kind of step.
#include "app/screen_reader.h"

#include "board_rows.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

TEST(ScreenReader, CellsAreNamedByRowColumnAndContent) {
    GameState game;
    game.board = test::BoardWith(0, {{5, 3, 12}, {1, 8, 33}});
    game.fixedCode = 33;
    PointerState pointer;
    pointer.hover = Cell{2, 2};
    const platform::ScreenReaderView view = DescribeGame(game, pointer, std::nullopt);
    ASSERT_EQ(view.cells.size(), 64u);
    EXPECT_EQ(view.cells[CellIndex(5, 3)], "riga 3, colonna 5: pedina 12");
    EXPECT_EQ(view.cells[CellIndex(1, 8)], "riga 8, colonna 1: fissa");
    EXPECT_EQ(view.cells[0], "riga 1, colonna 1: vuota");
    EXPECT_EQ(view.cellBoxes[0], (platform::Rect{353, 2, 451, 74})) << "the top cell's band";
    EXPECT_EQ(view.focus, CellIndex(2, 2)) << "the hovered cell without the keyboard";
    EXPECT_EQ(DescribeGame(game, pointer, Cell{4, 6}).focus, CellIndex(4, 6))
        << "the keyboard's cell";
    EXPECT_EQ(view.selected, -1);
    pointer.selected = Cell{5, 3};
    EXPECT_EQ(DescribeGame(game, pointer, std::nullopt).selected, CellIndex(5, 3));
    EXPECT_EQ(view.counters,
              (std::vector<std::string>{"Secondi: 0", "Mosse: 0", "Pedine rimaste: 0"}));
}

TEST(ScreenReader, EachKindOfStepIsSaid) {
    const SpokenState idle{.pieces = 60, .seconds = 10};
    const SpokenState aimed{.pieces = 60, .seconds = 10, .selected = Cell{2, 1}, .aimed = true};
    struct Case {
        SpokenState before, after;
        MoveResult move;
        bool acted;
        const char* said;
    };
    using enum MoveResult;
    // clang-format off
    const Case cases[] = {
        {aimed, {.pieces = 58, .seconds = 10}, Paired, true, "Coppia tolta, restano 58 pedine"},
        {aimed, {.pieces = 60, .seconds = 10}, Moved, true, "Pedina spostata"},
        {aimed, {.pieces = 60, .seconds = 15}, Moved, true, "Pedina spostata, penalità di 5 secondi"},
        {aimed, {.pieces = 60, .seconds = 10, .selected = Cell{4, 4}}, Moved, true, "Pedina spostata, resta selezionata"},
        {aimed, idle, NoMove, false, "Selezione annullata"},
        {aimed, {.pieces = 0, .seconds = 77}, Won, true, "Hai vinto in 77 secondi"},
        {aimed, aimed, NoMove, true, "Mossa non possibile"},
        {idle, {.pieces = 60, .seconds = 10, .selected = Cell{3, 4}}, NoMove, true, "Selezionata riga 4, colonna 3"},
        {idle, {.pieces = 60, .seconds = 10, .paused = true}, NoMove, true, "Pausa"},
        {{.paused = true}, {}, NoMove, true, "Gioco ripreso"},
        {{.paused = true}, {.selected = Cell{2, 1}}, NoMove, true, "Gioco ripreso, selezionata riga 1, colonna 2"},
        {{.pieces = 4, .paused = true}, {.pieces = 2}, Paired, true, "Gioco ripreso, coppia tolta, restano 2 pedine"},
        {idle, idle, NoMove, false, ""},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(Announcement(c.before, c.after, c.move, c.acted), c.said) << c.said;
    GameState game;
    game.piecesLeft = 48;
    game.seconds = 12;
    EXPECT_EQ(NewDealAnnouncement(game), "Nuova partita, 48 pedine");
    EXPECT_EQ(CountersAnnouncement(game), "Secondi: 12, Mosse: 0, Pedine rimaste: 48");
}

} // namespace
} // namespace zembro
