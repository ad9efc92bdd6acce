// Small tests private to the letter recognisers that more than one of them
// needs. Each reads the shared recognition state only.
#pragma once

#include <cstdint>

#include "recog/state/state.h"

// Clear the chord marks and trace the skeleton from p to q (0 on success,
// 1 when the skeleton does not join them), as every stroke test starts.
int32_t traceBetween(const PointXY& p, const PointXY& q);

// The area of the largest hole over the area of the skeleton box, in single
// precision (compare it against a double constant).
float holeAreaRatio();
