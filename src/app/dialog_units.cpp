#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdlib>

int mulDivRound(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long quotient = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>((product < 0) != (c < 0) ? -quotient : quotient);
}

DialogUnits DialogUnits::forFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units;
    units.baseX = (letters / 26 + 1) / 2;
    units.baseY = metrics.ascent() + metrics.descent();
    return units;
}

int DialogUnits::toPixelsX(int units) const { return mulDivRound(units, baseX, 4); }
int DialogUnits::toPixelsY(int units) const { return mulDivRound(units, baseY, 8); }

QRect DialogUnits::toPixels(int x, int y, int width, int height) const {
    return QRect(toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height));
}

QFont dialogFont(const QStringList& families, int pointSize) {
    int dpi = 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    QFont font(families.value(0));
    font.setFamilies(families);
    font.setPixelSize(mulDivRound(pointSize, dpi, 72));
    return font;
}
