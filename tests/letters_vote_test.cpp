// The letter vote: the size gate, the slot table, the decision and the three
// confusable pairs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "recog/letters/vote.h"
#include "recog/state/state.h"

namespace {

const std::string VoteOrder = "abcdefghijklmnopqrstuvwxyzABDEFGHIJLMNQRTUY";

// Fake recognisers: each answers what the test put into answers[letter] and
// counts its calls.
int32_t answers[128];
int calls;

template <char Letter>
int32_t fake() {
    ++calls;
    return answers[static_cast<int>(Letter)];
}

template <size_t... I>
std::vector<RecogniserEntry> fakeEntries(std::index_sequence<I...>) {
    static constexpr char order[] = "abcdefghijklmnopqrstuvwxyzABDEFGHIJLMNQRTUY";
    return {RecogniserEntry{order[I], fake<order[I]>}...};
}

const std::vector<RecogniserEntry> FakeList = fakeEntries(std::make_index_sequence<43>());
const RecogniserTable FakeTable{FakeList.data(), static_cast<int>(FakeList.size())};

class Vote : public ::testing::Test {
protected:
    void SetUp() override {
        resetRecognitionState();
        std::fill(std::begin(answers), std::end(answers), 0);
        calls = 0;
        setRecognisers(&FakeTable);
        setSize(20, 16);
    }
    void TearDown() override { setRecognisers(nullptr); }

    static void setSize(int height, int width) {
        g.ImageHeight = height;
        g.ImageWidth = width;
        g.AspectRatio = static_cast<float>(height) / static_cast<float>(width);
    }
    static void fire(const std::string& letters) {
        for (char c : letters) answers[static_cast<int>(c)] = 2;
    }
    static std::string candidates() {
        std::string s;
        for (int i = 0; i < g.candidateCount; ++i) s += static_cast<char>(g.candidateLetters[i]);
        return s;
    }
    // The filled glyph, '#' for ink, rows from 1 and columns from 1.
    static void drawSaved(const std::vector<std::string>& rows) {
        setSize(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()));
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                g.SavedRaster[static_cast<int>(r) + 1][static_cast<int>(c) + 1] = rows[r][c] == '#';
    }
};

TEST_F(Vote, SizeGate) {
    struct Case {
        int height, width;
        float aspect;
        bool gated;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {15, 10, 1.5f, true},  {16, 10, 1.6f, false}, {16, 32, 0.5f, false},
        {16, 33, 16.0f / 33.0f, true},
        {16, 0, inf, true},    // no width: an infinite ratio must not pass
        {0, 0, nan, true},     {20, 10, nan, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << "x" << c.width);
        fire("c");
        g.candidateCount = 5;
        g.LetterSlots[0] = 7;  // left over from an earlier vote
        g.ImageHeight = c.height;
        g.ImageWidth = c.width;
        g.AspectRatio = c.aspect;
        calls = 0;
        const int32_t result = voteLetter();
        EXPECT_EQ(g.VoteGated, c.gated ? 1 : 0);
        EXPECT_EQ(g.LetterSlots[0], 0);
        if (c.gated) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(calls, 0);
            EXPECT_EQ(g.candidateCount, 0);
            EXPECT_EQ(g.LetterSlots[2], 0);
        } else {
            EXPECT_EQ(result, 'c');
            EXPECT_EQ(calls, 43);
        }
    }
}

TEST_F(Vote, SlotsAndDecision) {
    struct Case {
        const char* fired;
        const char* candidates;
        int32_t result;
    };
    const Case cases[] = {
        {"", "", 0},
        {"q", "q", 'q'},
        {"Y", "Y", 'Y'},
        {"uU", "uU", 'u'},     // one letter in both cases: the small one, both kept
        {"aB", "aB", 0},       // no known pair
        {"tf", "t", 't'},      // collected in slot order as f, t; the f/t test keeps one
        {"cdL", "cdL", 0},     // three candidates never decide
        {"ftG", "ftG", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fired);
        std::fill(std::begin(answers), std::end(answers), 0);
        fire(c.fired);
        const int32_t result = voteLetter();
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(candidates(), c.candidates);
        for (int slot = 0; slot < LetterSlotCount; ++slot) {
            const char letter = static_cast<char>(slot < 26 ? 'a' + slot : 'A' + slot - 26);
            EXPECT_EQ(g.LetterSlots[slot], std::string(c.fired).find(letter) != std::string::npos ? 2 : 0)
                << letter;
        }
    }
}

TEST_F(Vote, KAnswersForBothCases) {
    answers['k'] = 1;
    EXPECT_EQ(voteLetter(), 'k');
    EXPECT_EQ(g.LetterSlots['k' - 'a'], 1);
    EXPECT_EQ(g.LetterSlots[26 + 'K' - 'A'], 0);

    answers['k'] = 2;
    EXPECT_EQ(voteLetter(), 'K');
    EXPECT_EQ(g.LetterSlots['k' - 'a'], 0);
    EXPECT_EQ(g.LetterSlots[26 + 'K' - 'A'], 2);
    EXPECT_EQ(candidates(), "K");
}

int32_t markingRecogniser() {
    g.WorkRaster[3][4] = 3;
    g.WorkRaster[5][5] = 7;
    return 0;
}

TEST_F(Vote, ChordMarksAreClearedAfterTheVote) {
    const RecogniserEntry entries[] = {{'a', markingRecogniser}};
    const RecogniserTable table{entries, 1};
    setRecognisers(&table);
    g.WorkRaster[3][3] = 1;
    EXPECT_EQ(voteLetter(), 0);
    EXPECT_EQ(g.WorkRaster[3][4], 0);
    EXPECT_EQ(g.WorkRaster[5][5], 0);
    EXPECT_EQ(g.WorkRaster[3][3], 1);
}

TEST_F(Vote, FOrT) {
    // Columns 5..8 form the right half. A column qualifies with exactly two
    // ink runs in rows 1..7 that end above three rows of background.
    auto glyph = [](const std::string& bar) {
        std::vector<std::string> rows(16, "...#....");
        rows[0] = "...#####";  // the hook
        rows[4] = bar;
        return rows;
    };
    struct Case {
        std::string bar;
        int32_t result;
    };
    const Case cases[] = {
        {"########", 'f'},  // four qualifying columns
        {"#######.", 'f'},  // three
        {"######..", 't'},  // two
        {"...#....", 't'},  // none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bar);
        fire("ft");
        drawSaved(glyph(c.bar));
        EXPECT_EQ(voteLetter(), c.result);
        EXPECT_EQ(g.candidateCount, 1);
    }

    // A run followed by only two background rows does not close.
    std::vector<std::string> rows = glyph("########");
    rows[3] = "....####";
    drawSaved(rows);
    EXPECT_EQ(voteLetter(), 't');
}

TEST_F(Vote, VOrY) {
    // Width 10: columns 2..5 are looked at (n = 6). A column is marked with
    // exactly two ink runs ending in rows 4..15.
    auto glyph = [](const std::vector<int>& splitColumns) {
        std::vector<std::string> rows(16, "##......##");
        for (int x : splitColumns) {
            rows[7][x - 1] = '#';
            rows[12][x - 1] = '#';
        }
        return rows;
    };
    struct Case {
        std::vector<int> split;
        int32_t result;
    };
    const Case cases[] = {
        {{3, 4}, 'y'},
        {{4, 5}, 'y'},
        {{3, 5}, 'v'},  // not neighbours
        {{5, 6}, 'v'},  // column 6 lies beyond the scan
        {{}, 'v'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.split.size());
        fire("vy");
        drawSaved(glyph(c.split));
        EXPECT_EQ(voteLetter(), c.result);
        EXPECT_EQ(g.candidateCount, 1);
    }
}

TEST_F(Vote, BreakTiePairs) {
    struct Case {
        char first, second;
        int32_t settled;
        char answer;
    };
    const Case cases[] = {
        {'c', 'G', 1, 'G'},
        {'t', 'f', 0, 't'},  // only the pair in slot order is known
        {'y', 'v', 0, 'y'},
        {'G', 'c', 0, 'G'},
        {'a', 'd', 0, 'a'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        g.candidateLetters[0] = c.first;
        g.candidateLetters[1] = c.second;
        g.candidateCount = 2;
        EXPECT_EQ(breakTie(), c.settled);
        EXPECT_EQ(g.candidateCount, c.settled ? 1 : 2);
        EXPECT_EQ(g.candidateLetters[0], c.answer);
    }
    fire("cG");
    EXPECT_EQ(voteLetter(), 'G');
}

TEST(Registry, RunsInVoteOrder) {
    const RecogniserTable& table = defaultRecognisers();
    ASSERT_GT(table.count, 0);
    size_t previous = 0;
    for (int i = 0; i < table.count; ++i) {
        const size_t rank = VoteOrder.find(table.entries[i].letter);
        ASSERT_NE(rank, std::string::npos) << table.entries[i].letter;
        if (i > 0) {
            EXPECT_GT(rank, previous) << table.entries[i].letter;
        }
        EXPECT_NE(table.entries[i].recognise, nullptr);
        previous = rank;
    }
}

}  // namespace
