// Start-up in memory: order, geometry, failures, the idle tick; the back end and scale asked for.
#include "frame_fixture.h"
#include "platform/qt/platform_choice.h"
#include "ui/dialog_templates.h"

namespace zembro {
namespace {

using platform::Answer;
using platform::MessageIcon;
using test::FrameTest;

// The pointer's display count only ever steps between shown (0) and hidden (-1).
void ExpectCursorNeverSteppedTwiceTheSameWay(const platform::HeadlessFramework& f) {
    for (std::size_t i = 1; i < f.cursorCalls.size(); ++i)
        EXPECT_NE(f.cursorCalls[i], f.cursorCalls[i - 1]) << "call " << i;
    EXPECT_GE(f.cursorCount, -1);
    EXPECT_LE(f.cursorCount, 0);
}

TEST_F(FrameTest, StartUpDealsShowsThePaintedWindowAndTheAboutDialogOnce) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Window().Shown());
    EXPECT_GE(Window().Presents(), 1) << "painted at once";
    EXPECT_EQ(framework_.dialogsRun, std::vector<int>{DIALOG_ABOUT});
    EXPECT_TRUE(framework_.messages.empty());
    EXPECT_EQ(Frame().Game().piecesLeft, 62);
    EXPECT_EQ(Frame().StateBits() & STATE_PAUSED, STATE_PAUSED) << "the clock waits for a click";
    // Hidden at window creation, shown around the about dialog, hidden after it.
    EXPECT_EQ(framework_.cursorCalls, (std::vector<int>{-1, 1, -1}));
    EXPECT_FALSE(Frame().SystemCursorShown());
    EXPECT_EQ(app_->Settings().directory1, folder_.string() + "/Immagini");
}

TEST_F(FrameTest, GeometryFollowsTheScreen) {
    struct Case {
        platform::Size screen;
        platform::Rect window;
        bool framed;
    };
    const Case cases[] = {
        {{1024, 768}, {112, 87, 918, 693}, true},
        {{800, 640}, {0, 23, 806, 629}, true},
        {{800, 600}, {0, 0, 800, 600}, false},
        {{1920, 1080}, {560, 243, 1366, 849}, true},
    };
    for (const Case& c : cases) {
        framework_.screen = c.screen;
        ASSERT_TRUE(Start());
        EXPECT_EQ(Window().WindowRect(), c.window) << c.screen.width << "x" << c.screen.height;
        EXPECT_EQ(Window().Framed(), c.framed);
    }
}

TEST_F(FrameTest, EveryStartUpFailureSaysWhatAndEnds) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::string> texts;
    };
    const std::string window = "Ho problemi nel creare la finiestra di Gioco";
    const std::string colours = "Il programma è studiato per 65K Colori";
    const std::string resources = "Errore nel caricamento delle risorse";
    const Case cases[] = {
        // The only depth that reaches the warning: the framework counts 24 and 32 bits as 16,
        // and the game refuses less than 15 before it starts.
        {"15-bit display, cancelled",
         [&] {
             framework_.bitsPerPixel = 15;
             framework_.messageAnswers = {Answer::Cancel};
         },
         {colours, window}},
        {"small screen",
         [&] {
             framework_.screen = {640, 480};
         },
         {"Il programma richiede la risoluzione di 800x600", window}},
        {"no window", [&] { framework_.frameFails = true; }, {window}},
        {"no button bar", [&] { framework_.buttonsFail = true; }, {window}},
        {"no Option.opt", [&] { std::filesystem::remove(folder_ / "Option.opt"); }, {resources}},
        {"a missing picture",
         [&] { std::filesystem::remove(folder_ / "Immagini" / "Mouse1.bmp"); },
         {resources}},
    };
    for (const Case& c : cases) {
        TearDown();
        framework_ = platform::HeadlessFramework{};
        SetUp();
        c.arrange();
        EXPECT_FALSE(Start()) << c.name;
        std::vector<std::string> shown;
        for (const platform::MessageRecord& m : framework_.messages)
            shown.push_back(m.text);
        EXPECT_EQ(shown, c.texts) << c.name;
        EXPECT_TRUE(framework_.dialogsRun.empty()) << c.name;
        if (c.texts.back() == resources) {
            EXPECT_EQ(framework_.messages.back().cursorCount, 0) << "with the system pointer shown";
            EXPECT_EQ(framework_.messages.back().icon, MessageIcon::Error);
        }
    }
}

TEST_F(FrameTest, ALongCurrentFolderIsTakenWhole) {
    const std::filesystem::path deep = folder_ / std::string(120, 'd') / std::string(60, 'e');
    std::filesystem::create_directories(deep);
    for (const char* entry : {"Immagini", "Contatori", "Option.opt"})
        std::filesystem::copy(folder_ / entry, deep / entry,
                              std::filesystem::copy_options::recursive);
    framework_.currentDirectory = deep.string();
    ASSERT_TRUE(Start());
    EXPECT_EQ(app_->Settings().directory1, deep.string() + "/Immagini");
}

TEST_F(FrameTest, IdleProcessingTicksAndRepaintsAfterEachPaint) {
    ASSERT_TRUE(Start());
    Press(403, 300); // a click starts the clock
    const int before = Window().Invalidations();
    for (int frame = 0; frame < 120; ++frame) {
        framework_.now += 17;
        app_->OnIdle();
        Paint();
    }
    EXPECT_EQ(Window().Invalidations() - before, 120);
    EXPECT_EQ(Frame().Game().seconds, 2);
    ExpectCursorNeverSteppedTwiceTheSameWay(framework_);
}

} // namespace
} // namespace zembro

namespace zembro {
namespace {

// The game draws its own frame and places its own window: X wherever an X display is at hand,
// unless the player chose otherwise.
TEST(PlatformChoice, XWhereverAnXDisplayIsAtHand) {
    struct Case {
        const char* chosen;
        const char* display;
        bool asksForX;
    };
    const Case cases[] = {
        {nullptr, ":0", true},      {"", ":1", true},          {"wayland", ":0", false},
        {"offscreen", ":0", false}, {nullptr, nullptr, false}, {nullptr, "", false},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> asked = platform::PlatformToAskFor(c.chosen, c.display);
        EXPECT_EQ(asked.has_value(), c.asksForX) << (c.chosen ? c.chosen : "unset");
        EXPECT_EQ(asked.value_or("xcb"), "xcb");
    }
}

TEST(PlatformChoice, ScaleFactorsAreWholeNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.5", "1"},
        {"1.74", "1"},
        {"1.75", "2"},
        {"2", "2"},
        {"0.5", "1"},
        {"3.2", "3"},
        {"", ""},
        {"abc", "abc"},
        {"1.5x", "1.5x"},
        {"inf", "inf"},
        {"HDMI-1=1.5;DP-1=2.8", "HDMI-1=1;DP-1=3"},
        {"1.25;2.5", "1;2"},
    };
    for (const auto& [given, whole] : cases)
        EXPECT_EQ(platform::WholeScaleFactors(given), whole) << given;
}

} // namespace
} // namespace zembro
