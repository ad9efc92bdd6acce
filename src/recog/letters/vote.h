// The letter vote over 52 slots and its decision.
#pragma once

#include <cstdint>

using Recogniser = int32_t (*)();

struct RecogniserEntry {
    char letter;            // the small letter or capital whose slot it fills
    Recogniser recognise;
};

// The recognisers in the order they run (small letters a..z, then the
// capitals A, B, D, E, F, G, H, I, J, L, M, N, Q, R, T, U, Y). 'k' stands for
// the recogniser that answers for both k (1) and K (2).
struct RecogniserTable {
    const RecogniserEntry* entries;
    int count;
};

// The table the vote runs; tests may install another one.
const RecogniserTable& defaultRecognisers();
void setRecognisers(const RecogniserTable* table);  // nullptr restores the default

int32_t voteLetter();
int32_t breakTie();
