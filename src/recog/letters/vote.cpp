#include "recog/letters/vote.h"

#include <algorithm>
#include <iterator>

#include "recog/state/state.h"

// The recognisers that exist, in the order they run (registry.cpp).
extern const RecogniserTable RegisteredRecognisers;

namespace {

constexpr int SmallSlots = 26;

// The table the next vote runs; null means the registered one.
const RecogniserTable* installedTable = nullptr;

int slotOf(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    return SmallSlots + (letter - 'A');
}

int32_t letterOf(int slot) {
    return slot < SmallSlots ? 'a' + slot : 'A' + (slot - SmallSlots);
}

// Too flat or too short for any rule to judge. A glyph with no width or no
// height after cropping is refused as well: its aspect ratio is infinite or
// not a number, and an infinite ratio would pass the ratio test on its own.
bool sizeGateRefuses() {
    if (g.ImageHeight == 0 || g.ImageWidth == 0) return true;
    return !(g.AspectRatio >= 0.5) || g.ImageHeight < 16;
}

void runRecognisers(const RecogniserTable& table) {
    for (int i = 0; i < table.count; ++i) {
        const RecogniserEntry& entry = table.entries[i];
        const int32_t answer = entry.recognise();
        // The recogniser for k answers 1 for the small letter and 2 for the
        // capital; its capital answer moves to the slot of K.
        if (entry.letter == 'k' && answer == 2) {
            g.LetterSlots[slotOf('k')] = 0;
            g.LetterSlots[slotOf('K')] = answer;
        } else {
            g.LetterSlots[slotOf(entry.letter)] = answer;
        }
    }
}

void collectCandidates() {
    g.candidateCount = 0;
    for (int slot = 0; slot < LetterSlotCount; ++slot)
        if (g.LetterSlots[slot] != 0) g.candidateLetters[g.candidateCount++] = letterOf(slot);
}

// An ink run in the upper half of column x that ends with at least three
// rows of background below it; f has two such runs in several right-hand
// columns (the hook and the bar), t at most in two.
bool hasTwoClosedUpperRuns(int x, int H) {
    int runs = 0;
    for (int y = 1; y <= H / 2 - 1; ++y)
        if (g.SavedRaster[y][x] != 0 && g.SavedRaster[y + 1][x] == 0 && g.SavedRaster[y + 2][x] == 0 &&
            g.SavedRaster[y + 3][x] == 0)
            ++runs;
    return runs == 2;
}

int32_t settleFOrT() {
    const int H = g.ImageHeight;
    const int W = g.ImageWidth;
    int qualifying = 0;
    for (int x = W / 2 + 1; x <= W; ++x)
        if (hasTwoClosedUpperRuns(x, H)) ++qualifying;
    if (qualifying <= 2) g.candidateLetters[0] = 't';
    return 1;
}

// Two separate ink runs below the top quarter of column x: the two arms of
// a y seen below the fork.
bool hasTwoLowerRuns(int x, int H) {
    int runs = 0;
    for (int y = H / 4; y <= H - 1; ++y)
        if (g.SavedRaster[y][x] != 0 && g.SavedRaster[y + 1][x] == 0) ++runs;
    return runs == 2;
}

int32_t settleVOrY() {
    const int H = g.ImageHeight;
    const int n = (3 * g.ImageWidth) / 5;
    bool previousMarked = false;
    for (int x = 2; x <= n - 1; ++x) {
        const bool marked = hasTwoLowerRuns(x, H);
        if (marked && previousMarked) {
            g.candidateLetters[0] = 'y';
            return 1;
        }
        previousMarked = marked;
    }
    return 1;
}

}  // namespace

const RecogniserTable& defaultRecognisers() { return RegisteredRecognisers; }

void setRecognisers(const RecogniserTable* table) { installedTable = table; }

int32_t breakTie() {
    const int32_t first = g.candidateLetters[0];
    const int32_t second = g.candidateLetters[1];
    int32_t settled = 0;
    if (first == 'f' && second == 't')
        settled = settleFOrT();
    else if (first == 'v' && second == 'y')
        settled = settleVOrY();
    else if (first == 'c' && second == 'G') {
        g.candidateLetters[0] = 'G';
        settled = 1;
    }
    if (settled) g.candidateCount = 1;
    return settled;
}

int32_t voteLetter() {
    std::fill(std::begin(g.LetterSlots), std::end(g.LetterSlots), 0);
    g.VoteGated = 0;
    if (sizeGateRefuses()) {
        g.VoteGated = 1;
        g.candidateCount = 0;
        return 0;
    }

    runRecognisers(installedTable ? *installedTable : defaultRecognisers());
    clearMarks(3);  // no recogniser's chord marks survive the vote
    collectCandidates();

    if (g.candidateCount == 1) return g.candidateLetters[0];
    if (g.candidateCount == 2) {
        // One letter in both cases: the small one.
        if (g.candidateLetters[1] - 'A' == g.candidateLetters[0] - 'a') return g.candidateLetters[0];
        breakTie();
        if (g.candidateCount == 1) return g.candidateLetters[0];
    }
    return 0;
}
