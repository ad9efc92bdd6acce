#include "app/picture_frame.h"

#include <QPainter>

PictureFrame::PictureFrame(QWidget* parent) : QWidget(parent) {}

void PictureFrame::showGlyph(const QImage& glyph) {
    glyph_ = glyph;
    hasPicture_ = true;
    // The recognition runs on, blocking the event loop: paint now.
    repaint();
}

void PictureFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The frame itself: a one-pixel black outline along the widget's edges.
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, 1, Qt::black);
    painter.fillRect(0, h - 1, w, 1, Qt::black);
    painter.fillRect(0, 0, 1, h, Qt::black);
    painter.fillRect(w - 1, 0, 1, h, Qt::black);
    if (!hasPicture_) return;
    // Filled rectangles rather than drawRect: the outline lies exactly on
    // pixels 0 and 221, whatever the pen. Anything beyond the widget is clipped.
    painter.fillRect(0, 0, SquareSize, SquareSize, Qt::black);
    painter.fillRect(1, 1, SquareSize - 2, SquareSize - 2, Qt::white);
    if (!glyph_.isNull()) painter.drawImage(GlyphOffset, GlyphOffset, glyph_);
}
