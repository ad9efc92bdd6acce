// Profile tests shared by several recognisers. Each answers 0 or 1.
#pragma once

#include <cstdint>

int32_t rightColumnGapTest();
int32_t topBarShapeTest();
int32_t leftStemTest();
int32_t fewBusyRowsTest();
int32_t busyUpperRowsTest();
int32_t fewBusyLowerRowsTest();
int32_t rightFullColumnTest();
int32_t rightSideOpenTest();
int32_t straightSideTest();
int32_t fewFullLeftColumnsTest();
int32_t bottomRightEmptyTest();
int32_t bottomCornersTest();
int32_t columnRunsTest();
int32_t upperTwoRunsOrWideTest();
int32_t openSideBalanceTest();
int32_t middleRowsCentredTest();
int32_t leftColumnsTest();
int32_t fullRightColumnTest();
int32_t topRightShapeTest();
int32_t rightShiftTest();
int32_t topRowRightTest();
int32_t rightStemTest();
