// Dialog units: the dialog's layout is given in units of its font, a quarter
// of the average character width across and an eighth of the character
// height down, so that it keeps its proportions with the font it gets.
#pragma once

#include <QFont>
#include <QRect>

struct DialogUnits {
    int baseX = 0;  // average character width in pixels
    int baseY = 0;  // character height in pixels

    // The base units of a font: the width of the 52 letters A-Z, a-z averaged
    // and rounded to a whole pixel, and the font's ascent plus descent.
    static DialogUnits forFont(const QFont& font);

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    // Position and size are converted independently, each rounded to the
    // nearest pixel (halves away from zero).
    QRect toPixels(int x, int y, int width, int height) const;
};

// Round a * b / c to the nearest integer, halves away from zero.
int mulDivRound(int a, int b, int c);

// A font of the given family list and point size, sized in whole pixels for
// the primary screen's logical resolution (8 pt at 96 dpi = 11 pixels).
QFont dialogFont(const QStringList& families, int pointSize);
