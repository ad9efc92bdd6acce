// Small tests private to the letter recognisers that more than one of them
// needs. Each reads the shared recognition state only.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "recog/state/state.h"

// Clear the chord marks and trace the skeleton from p to q (0 on success,
// 1 when the skeleton does not join them), as every stroke test starts.
int32_t traceBetween(const PointXY& p, const PointXY& q);

// The area of the largest hole over the area of the skeleton box. Like every
// ratio that is computed where it is tested (and not kept in a float
// measure), it is worked out in double precision, so 4/25 meets 0.16.
double holeAreaRatio();

// The same ratio for hole k of Holes (0 the largest, 1 the next).
double holeAreaRatioOf(int32_t k);

// True when v is one of the listed values (a zone or a shape code).
bool isOneOf(int32_t v, std::initializer_list<int32_t> values);

// Of two named points, true when `first` is the left one (the smaller x);
// on equal x, `firstOnTie` says which of the two counts as the left one.
bool leftIsFirst(const PointXY& first, const PointXY& second, bool firstOnTie);

// The ring of an o or a bare a: the largest hole reaches within a pixel of
// every side of the skeleton box, covers at least half of it, and no straight
// stem stands on the left.
bool ringFillsBox();
