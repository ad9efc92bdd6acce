// The picture area: a black frame that, once a glyph has been loaded, shows a
// white square with a black outline and the glyph's ink one pixel per raster
// pixel. The glyph is kept here so that it survives every repaint until the
// next successful load replaces it.
#pragma once

#include <QImage>
#include <QWidget>

class PictureFrame : public QWidget {
    Q_OBJECT
public:
    // The white square covers pixels 0..221 of both axes, its outline included.
    static constexpr int SquareSize = 222;
    // Raster pixel (row, column) is painted at (column + 8, row + 8).
    static constexpr int GlyphOffset = 8;

    explicit PictureFrame(QWidget* parent = nullptr);

    // Show a glyph: ink pixels opaque black, background transparent.
    void showGlyph(const QImage& glyph);
    bool hasPicture() const { return hasPicture_; }
    const QImage& glyph() const { return glyph_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyph_;
    bool hasPicture_ = false;
};
