// The recognisers for a, i, j and t: each accepts a drawn glyph of its
// letter end to end in each skeleton form drawn here, and refuses the shapes
// at the bounds of its tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recog/letters/recognisers.h"
#include "recog/state/driver.h"
#include "recog/state/state.h"
#include "support/fixtures.h"

namespace {

using fixtures::recogniseArt;

using Art = std::vector<std::string>;


// `count` copies of one row.
Art rows(int count, const std::string& row) { return Art(static_cast<size_t>(count), row); }

Art join(std::initializer_list<Art> parts) {
    Art out;
    for (const Art& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// A square dot, `gap` empty rows, a plain stem of 16 rows.
Art dottedStem(int gap) {
    return join({rows(1, "......."), rows(3, "..###.."), rows(gap, "......."), rows(16, "..###.."),
                 rows(1, ".......")});
}

// A flat dash for a dot, `gap` empty rows, a plain stem.
Art dashedStem(int gap) {
    return join({rows(1, "........."), rows(2, ".#######."), rows(gap, "........."), rows(16, "...###..."),
                 rows(1, ".........")});
}

// A square dot over a stem standing on a wide foot serif.
const Art SerifI = join({rows(1, "................."), rows(3, ".......###......."),
                         rows(3, "................."), rows(17, ".......###......."),
                         rows(2, "..#############.."), rows(1, ".................")});

// A flat dash over a stem standing on a wide foot serif.
Art dashedSerifStem(const std::string& dash) {
    return join({rows(1, "................."), rows(2, dash), rows(4, "................."),
                 rows(17, ".......###......."), rows(2, "..#############.."), rows(1, ".................")});
}

// A dot over a stem that hooks to the left at the bottom.
Art hookedStem(int gap) {
    return join({rows(1, ".........."), rows(3, "......###."), rows(gap, ".........."),
                 rows(14, "......###."),
                 {
                     ".....###..",
                     "#########.",
                     "#######...",
                     "..........",
                 }});
}

// A flat dash for a dot over a stem that hooks to the left at the bottom.
const Art DashedHookedStem = join({rows(1, ".........."), rows(2, "...#####.."), rows(3, ".........."),
                                   rows(16, "....###..."),
                                   {
                                       "...###....",
                                       "#######...",
                                       "#####.....",
                                       "..........",
                                   }});

// A t whose crossbar sticks out to the left only (one fork).
const Art LeftArmT = join({rows(1, "............"), rows(6, "......###..."), rows(2, ".########..."),
                           rows(11, "......###..."),
                           {
                               "......####..",
                               ".......#####",
                               "........####",
                               "............",
                           }});

// A t whose crossbar is too short to keep a fork in the skeleton: a straight
// stem from the top row down to a foot that turns right.
const Art ForklessT = join({rows(1, "............"), rows(9, ".####......."), rows(3, ".#########.."),
                            rows(23, ".####......."),
                            {
                                ".#######....",
                                "..#######...",
                                "...######...",
                                "............",
                            }});

// A t whose crossbar crosses the stem (two forks).
const Art CrossedT = {
    "............", "...###......", "...###......", "...###......", "...###......", "##########..",
    "##########..", "...###......", "...###......", "...###......", "...###......", "...###......",
    "...###......", "...###......", "...###......", "...###......", "...###......", "...###......",
    "...####.....", "....#######.", ".....######.", "............",
};

// A t whose crossbar sticks out to the right only (one fork).
const Art RightArmT = {
    "............", "..###.......", "..###.......", "..###.......", "..###.......", "..###.......",
    "..###.......", ".#########..", ".#########..", "..###.......", "..###.......", "..###.......",
    "..###.......", "..###.......", "..###.......", "..###.......", "..###.......", "..###.......",
    "..###.......", "..###.......", "..####......", "...########.", "....#######.", "............",
};

// A two-storey a: the hook runs from the top left into the stem, the bowl
// joins the stem twice, and the stem ends in a foot below the bowl.
const Art FootedA = {
    "......................", ".....#########........", "...#############......", "..####.......####.....",
    "..##..........###.....", "...............###....", "...............###....", "...............###....",
    "......###########.....", "....#############.....", "...####........###....", "..###..........###....",
    "..###..........###....", "..###..........###....", "..###..........###....", "..###.........####....",
    "...####......#####....", "....#########..###....", ".....#######...###....", "...............####...",
    "................####..", ".................###..", "......................",
};

// The same a without the foot: the stem ends at the lower fork.
const Art FootlessA = {
    "....................", ".....#########......", "...#############....", "..####.......####...",
    "..##..........###...", "...............###..", "...............###..", "...............###..",
    "......###########...", "....#############...", "...####........###..", "..###..........###..",
    "..###..........###..", "..###..........###..", "..###..........###..", "..###.........####..",
    "...####......#####..", "....#########..####.", ".....#######....###.", "....................",
};

// An a whose hook closes into an upper hole: two holes, two forks, no end,
// and a dent in the left contour where the two storeys meet.
const Art ClosedA = {
    "......................", "......##########......", "....##############....", "...####........####...",
    "...###..........###...", "...###..........###...", "...###..........###...", "...####.........###...",
    "....#####.......###...", "......##############..", ".....###############..", "....####........####..",
    "...###...........###..", "..###............###..", "..###............###..", "..###............###..",
    "..###............###..", "..####..........####..", "...####........#####..", "....################..",
    ".....##########..###..", "......................",
};

// The same with a foot that runs out to the right along the bottom: two
// holes, three forks, one end.
const Art ClosedFootedA = {
    "..........................", "......##########..........", "....##############........",
    "...####........####.......", "...###..........###.......", "...###..........###.......",
    "...###..........###.......", "...####.........###.......", "....#####.......###.......",
    "......##############......", ".....###############......", "....####........####......",
    "...###...........###......", "..###............###......", "..###............###......",
    "..###............###......", "..###............###......", "..####..........####......",
    "...####........#########..", "....####################..", ".....##########...######..",
    "..........................",
};

// A ring with a flat right side standing on two short feet: no stem on the
// left, and below the ring's one-run bottom rows the feet make two runs, so
// the ring is an a rather than an o.
const Art FlatSidedRing = {
    "..................", "......#########...", "....###########...", "...####.....###...",
    "..###.......###...", "..###.......###...", ".###........###...", ".###........###...",
    ".###........###...", ".###........###...", ".###........###...", ".###........###...",
    ".###........###...", "..###.......###...", "..###.......###...", "...####.....###...",
    "....###########...", "......#########...", ".......##...###...", ".......##...###...",
    "..................",
};

// A round ring with no stem: the o's, not the a's.
const Art RoundRing = {
    "....................", "........####........", "......########......", "....############....",
    "...####......####...", "...###........###...", "..###..........###..", "..###..........###..",
    ".###............###.", ".###............###.", ".###............###.", ".###............###.",
    ".###............###.", ".###............###.", "..###..........###..", "..###..........###..",
    "...###........###...", "...####......####...", "....############....", "......########......",
    "........####........", "....................",
};

struct GlyphCase {
    const char* name;
    Art art;
    int32_t a, i, j, t;  // what each recogniser answers
};

}  // namespace

TEST(LettersAIJT, EachGlyphIsTakenByItsOwnRecogniserOnly) {
    const std::vector<GlyphCase> cases = {
        {"i: isolated dot, plain stem", dottedStem(3), 0, 2, 0, 0},
        {"i: dash dot, four empty rows", dashedStem(4), 0, 2, 0, 0},
        // Rows 5 .. H/2 must hold two empty rows; with three empty rows under
        // a two-row dash only row 5 is one of them.
        {"i: dash dot, three empty rows", dashedStem(3), 0, 0, 0, 0},
        {"i: isolated dot, foot serif", SerifI, 0, 2, 0, 0},
        {"i: dash dot, foot serif", dashedSerifStem("......######....."), 0, 2, 0, 0},
        // The dash's left end must not lie in the left fifth of the box.
        {"i: wider dash, foot serif", dashedSerifStem(".....#######....."), 0, 0, 0, 0},
        {"j: isolated dot, hook to the left", hookedStem(3), 0, 0, 2, 0},
        {"j: dash dot, hook to the left", DashedHookedStem, 0, 0, 2, 0},
        // Two empty rows among rows 2 .. H/2 separate a j's dot from its stem.
        {"j: dot one row above the stem", hookedStem(1), 0, 0, 0, 0},
        {"t: crossbar across the stem", CrossedT, 0, 0, 0, 2},
        {"t: crossbar to the right only", RightArmT, 0, 0, 0, 2},
        {"t: crossbar to the left only", LeftArmT, 0, 0, 0, 2},
        {"t: crossbar pruned from the skeleton", ForklessT, 0, 0, 0, 2},
        {"a: hook, bowl and foot", FootedA, 2, 0, 0, 0},
        {"a: hook and bowl, no foot", FootlessA, 2, 0, 0, 0},
        {"a: hook closed into a second hole", ClosedA, 2, 0, 0, 0},
        {"a: closed hook and a foot", ClosedFootedA, 2, 0, 0, 0},
        {"a: bare ring with a flat right side", FlatSidedRing, 2, 0, 0, 0},
        {"round ring", RoundRing, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recogniseArt(c.art);
        EXPECT_EQ(recogniseA(), c.a);
        EXPECT_EQ(recogniseI(), c.i);
        EXPECT_EQ(recogniseJ(), c.j);
        EXPECT_EQ(recogniseT(), c.t);
    }
}

// Each case moves one measure of an accepted glyph across one bound; the
// first value keeps the glyph accepted, the second refuses it.
TEST(LettersAIJT, BoundsOfTheGates) {
    struct Bound {
        const char* name;
        Art art;
        int32_t (*recognise)();
        void (*keep)();
        void (*refuse)();
    };
    const std::vector<Bound> bounds = {
        {"i: dot on the top skeleton row, not below it", dottedStem(3), recogniseI,
         [] { g.IsolatedPoints[0].y = g.BoxTop; }, [] { g.IsolatedPoints[0].y = g.BoxTop + 1; }},
        {"i: stem reaches the bottom row", dottedStem(3), recogniseI, [] {},
         [] { g.EndPoints[1].y = g.BoxBottom - 1; }},
        {"i: at least 1.2 times as high as wide", dottedStem(3), recogniseI, [] { g.AspectRatio = 1.2f; },
         [] { g.AspectRatio = 1.19f; }},
        {"j: hook ends within 2 columns of the left edge", hookedStem(3), recogniseJ, [] {},
         [] { g.EndPoints[1].x = g.BoxLeft + 3; }},
        {"t: at least 1.2 times as high as wide", CrossedT, recogniseT, [] { g.AspectRatio = 1.2f; },
         [] { g.AspectRatio = 1.19f; }},
        {"t: two forks and four ends without a stray dot", CrossedT, recogniseT, [] {},
         [] { g.IsolatedCount = 1; }},
        {"t: one fork needs the stem's top on the first skeleton row", RightArmT, recogniseT, [] {},
         [] { g.EndPoints[0].y = g.BoxTop + 1; }},
        {"j: the glyph must lean right at two thirds of its height", hookedStem(3), recogniseJ, [] {},
         [] {
             g.TopMargin[1] = 0;
             const int32_t m = 2 * g.ImageHeight / 3;
             g.LeftMargin[m - 1] = g.RightMargin[m - 1];
             g.LeftMargin[m] = g.RightMargin[m];
         }},
        // 17/20 is stored as 0.85000002, above the bound.
        {"a: ink covers at most 85 % of the image", FootedA, recogniseA, [] { g.InkDensity = 0.84999996f; },
         [] { g.InkDensity = 17.0f / 20.0f; }},
    };
    for (const auto& b : bounds) {
        SCOPED_TRACE(b.name);
        recogniseArt(b.art);
        b.keep();
        EXPECT_EQ(b.recognise(), 2);
        recogniseArt(b.art);
        b.refuse();
        EXPECT_EQ(b.recognise(), 0);
    }
}

// A t whose bottom quarter holds two rows almost as wide as the glyph is a
// wide-based shape, not a t, once the glyph is wider than 14 columns.
TEST(LettersAIJT, TRefusesTwoWideRowsInTheBottomQuarter) {
    const Art wide = {
        "..................", "......###.........", "......###.........", "......###.........",
        "......###.........", "################..", "################..", "......###.........",
        "......###.........", "......###.........", "......###.........", "......###.........",
        "......###.........", "......###.........", "......###.........", "......###.........",
        "......###.........", "......###.........", "......####........", ".......#########..",
        "........########..", "..................",
    };
    recogniseArt(wide);
    ASSERT_GT(g.ImageWidth, 14);
    ASSERT_EQ(recogniseT(), 2);
    const int32_t H = g.ImageHeight;
    const int32_t W = g.ImageWidth;
    g.RowInk[H - 1] = static_cast<int16_t>(W - 2);
    EXPECT_EQ(recogniseT(), 2);  // one wide row is a foot
    g.RowInk[H - 2] = static_cast<int16_t>(W - 2);
    EXPECT_EQ(recogniseT(), 0);
}

// A two-hole a needs a clear dent in the left contour of its lower storey:
// the widest left margin near the first one-run row below the upper storey
// must be at least 3, and the margin must shrink by 2 or more below it.
TEST(LettersAIJT, ClosedAWantsADentOnTheLeft) {
    struct Margins {
        const char* name;
        void (*edit)();
        int32_t answer;
    };
    // Here the dent is deepest on row 9 (margin 4); the lower storey comes
    // back to margin 0.
    const std::vector<Margins> cases = {
        {"as drawn", [] {}, 2},
        {"dent 3 deep", [] { g.LeftMargin[8] = g.LeftMargin[9] = 3; }, 2},
        {"dent 2 deep", [] { g.LeftMargin[8] = g.LeftMargin[9] = 2; }, 0},
        {"lower storey 2 in from the dent",
         [] {
             for (int32_t k = 9; k < g.ImageHeight; ++k)
                 if (g.LeftMargin[k] < 2) g.LeftMargin[k] = 2;
         },
         2},
        {"lower storey 1 in from the dent",
         [] {
             for (int32_t k = 9; k < g.ImageHeight; ++k)
                 if (g.LeftMargin[k] < 3) g.LeftMargin[k] = 3;
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recogniseArt(ClosedA);
        ASSERT_EQ(g.LeftMargin[8], 4);
        c.edit();
        EXPECT_EQ(recogniseA(), c.answer);
    }
}

// A removed spur on a two-hole a must have grown from the bottom right.
TEST(LettersAIJT, ClosedASpurBaseLiesBottomRight) {
    recogniseArt(ClosedA);
    ASSERT_EQ(g.SpurCount, 0);
    g.SpurCount = 1;
    g.Spurs[0] = SpurRecord{0, 0, static_cast<uint8_t>(g.BoxBottom), static_cast<uint8_t>(g.BoxRight)};
    EXPECT_EQ(recogniseA(), 2);
    g.Spurs[0] = SpurRecord{0, 0, static_cast<uint8_t>(g.BoxTop), static_cast<uint8_t>(g.BoxLeft)};
    EXPECT_EQ(recogniseA(), 0);
}

// The two upper forks of a two-hole a with a foot that lie within two
// pixels of each other in both directions accept the a at once, before the
// end point's zone and every trace are looked at.
TEST(LettersAIJT, ClosedFootedAAcceptsTouchingForksAtOnce) {
    struct Forks {
        const char* name;
        PointXY first, second;  // ForkPoints[0], [1], both in the centre cell
        int32_t answer;
    };
    const std::vector<Forks> cases = {
        {"two apart both ways", {10, 10}, {12, 12}, 2},
        {"right fork two rows higher", {10, 12}, {12, 10}, 2},
        {"three columns apart", {10, 11}, {13, 11}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recogniseArt(ClosedFootedA);
        ASSERT_EQ(g.ForkCount, 3);
        g.ForkPoints[0] = c.first;
        g.ForkPoints[1] = c.second;
        g.EndPoints[0] = PointXY{g.BoxLeft, g.BoxTop};  // a zone no foot lies in
        EXPECT_EQ(recogniseA(), c.answer);
    }
}

// The i's wide-top rejection, moved across its bounds on a dotted stem by
// setting the image width and the measures it reads.
TEST(LettersAIJT, IWideTopBounds) {
    struct Top {
        const char* name;
        int32_t width;
        void (*edit)();
        int32_t answer;
    };
    const std::vector<Top> cases = {
        {"20 columns: not looked at", 20, [] {}, 2},
        {"21 columns, no tall column in the middle third", 21, [] {}, 0},
        {"21 columns, tall column 15", 21, [] { g.ColumnInk[14] = static_cast<int16_t>(g.ImageHeight / 2 + 1); }, 2},
        {"21 columns, tall column 8", 21, [] { g.ColumnInk[7] = static_cast<int16_t>(g.ImageHeight / 2 + 1); }, 2},
        {"21 columns, tall column 16", 21, [] { g.ColumnInk[15] = static_cast<int16_t>(g.ImageHeight / 2 + 1); }, 0},
        {"21 columns, column 15 only half high", 21, [] { g.ColumnInk[14] = static_cast<int16_t>(g.ImageHeight / 2); },
         0},
        // Wider: rows 1..9 above the first empty row (row 10), inked from
        // column 1 (the dot) to column xR; 9 / xR must not drop below 0.5.
        {"33 columns, top part 18 wide", 33,
         [] {
             for (int32_t k = 1; k <= 8; ++k) g.RowInk[k] = 1;
             g.RowInk[9] = 0;
             g.SavedRaster[9][18] = 1;
         },
         2},
        {"33 columns, top part 19 wide", 33,
         [] {
             for (int32_t k = 1; k <= 8; ++k) g.RowInk[k] = 1;
             g.RowInk[9] = 0;
             g.SavedRaster[9][19] = 1;
         },
         0},
        {"33 columns, ink right of the middle only below the top part", 33,
         [] {
             for (int32_t k = 1; k <= 8; ++k) g.RowInk[k] = 1;
             g.RowInk[9] = 0;
             g.SavedRaster[10][18] = 1;
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recogniseArt(dottedStem(3));
        ASSERT_EQ(g.ImageWidth, 3);
        ASSERT_EQ(recogniseI(), 2);
        g.ImageWidth = c.width;
        c.edit();
        EXPECT_EQ(recogniseI(), c.answer);
    }
}

int32_t tProfileRejectTest();

// The t's profile rejection on hand-set profiles: a steady right edge in the
// lower half, ended by the crossbar's full row between the upper fifth and
// the middle, which must stand out from the stem and agree with row 5.
TEST(LettersAIJT, TProfileRejectionLooksForTheCrossbar) {
    struct Profile {
        const char* name;
        void (*edit)();
        int32_t answer;
    };
    // H = 40, W = 20: the search starts at index 20, the crossbar is looked
    // for at indices 20 down to 9 (index 8 = H/5 is not looked at).
    const std::vector<Profile> cases = {
        {"no full row", [] {}, 1},
        {"full row at index 9, four columns past the stem", [] { g.RowInk[9] = 20; g.RightMargin[9] = 1; }, 0},
        {"full row at index 9, three columns past the stem", [] { g.RowInk[9] = 20; g.RightMargin[9] = 2; }, 1},
        {"full row at index 8 only", [] { g.RowInk[8] = 20; g.RightMargin[8] = 1; }, 1},
        {"row 5 two columns off the stem's edge",
         [] { g.RowInk[9] = 20; g.RightMargin[9] = 1; g.RightMargin[4] = 7; }, 0},
        {"row 5 three columns off the stem's edge",
         [] { g.RowInk[9] = 20; g.RightMargin[9] = 1; g.RightMargin[4] = 8; }, 1},
        {"right edge drifting away below the stretch",
         [] { g.RightMargin[35] = 2; }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetRecognitionState();
        g.ImageHeight = 40;
        g.ImageWidth = 20;
        for (int32_t k = 0; k < 40; ++k) g.RightMargin[k] = 5;
        c.edit();
        EXPECT_EQ(tProfileRejectTest(), c.answer);
    }
}
