#include "recog/letters/letter_rules.h"

#include "recog/letters/helpers.h"
#include "recog/strokes/strokes.h"

int32_t traceBetween(const PointXY& p, const PointXY& q) {
    clearMarks(3);
    return traceStroke(p.y, p.x, q.y, q.x);
}

double holeAreaRatio() { return holeAreaRatioOf(0); }

double holeAreaRatioOf(int32_t k) {
    const int32_t boxArea = g.BoxWidth * g.BoxHeight;
    if (boxArea <= 0) return 0.0;  // no skeleton: no hole can fill it
    return static_cast<double>(g.Holes[k].area) / static_cast<double>(boxArea);
}

bool isOneOf(int32_t v, std::initializer_list<int32_t> values) {
    for (const int32_t value : values)
        if (v == value) return true;
    return false;
}

bool leftIsFirst(const PointXY& first, const PointXY& second, bool firstOnTie) {
    if (first.x != second.x) return first.x < second.x;
    return firstOnTie;
}

bool ringFillsBox() {
    const HoleRecord& hole = g.Holes[0];
    if (hole.top > g.BoxTop + 1) return false;
    if (hole.bottom < g.BoxBottom - 1) return false;
    if (hole.left > g.BoxLeft + 1) return false;
    if (hole.right < g.BoxRight - 1) return false;
    if (holeAreaRatio() < 0.5) return false;
    return leftStemTest() == 1;
}
