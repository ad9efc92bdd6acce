// The recognisers that exist, one line each, in the order the vote runs
// them: the small letters a..z, then the capitals A, B, D, E, F, G, H, I, J,
// L, M, N, Q, R, T, U, Y. The entry 'k' answers for both k and K.
#include <iterator>

#include "recog/letters/recognisers.h"
#include "recog/letters/vote.h"

namespace {

const RecogniserEntry RecogniserList[] = {
    {'a', recogniseA},
    {'c', recogniseC},
    {'e', recogniseE},
    {'i', recogniseI},
    {'j', recogniseJ},
    {'l', recogniseL},
    {'o', recogniseO},
    {'s', recogniseS},
    {'t', recogniseT},
};

}  // namespace

extern const RecogniserTable RegisteredRecognisers;
const RecogniserTable RegisteredRecognisers{RecogniserList, static_cast<int>(std::size(RecogniserList))};
