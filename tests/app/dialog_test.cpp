// The dialog: its template layout, one recognition through an injected file
// chooser and message sink, the picture frame's pixels, the keys that close
// it, the About entry and a dropped bitmap.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "app/main_dialog.h"
#include "app/picture_frame.h"
#include "recog/input/bmp.h"
#include "recog/state/driver.h"

namespace {

BilevelImage imageFromArt(const std::vector<std::string>& rows, int width, int height, int left, int top) {
    BilevelImage image;
    image.width = width;
    image.height = height;
    image.ink.assign(static_cast<size_t>(width) * height, 0);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c] == '#') image.ink[(top + r) * width + left + c] = 1;
    return image;
}

BilevelImage solid(int width, int height) {
    BilevelImage image{width, height, {}};
    image.ink.assign(static_cast<size_t>(width) * height, 1);
    return image;
}

// A glyph whose every row and column pair survives cropping, so that its
// normalised form is the art itself.
const std::vector<std::string> kArt = {
    "##########",
    "##########",
    "##........",
    "##....##..",
    "##....##..",
    "##........",
    "##########",
    "##########",
};

struct Message {
    QString text;
    QString caption;
};

// A dialog whose file question and message boxes are replaced: the chooser
// answers with `answer` (and `answerOk`), the messages are collected.
struct Harness {
    MainDialog dialog;
    bool answerOk = true;
    QString answer;
    QString seenFilter;
    QString seenDirectory;
    std::vector<Message> messages;

    Harness() {
        dialog.setFileChooser([this](const QString& filter, const QString& directory, QString& fileName) {
            seenFilter = filter;
            seenDirectory = directory;
            fileName = answer;
            // A real dialog may move the current directory; the shell puts it back.
            QDir::setCurrent(QDir::tempPath());
            return answerOk;
        });
        dialog.setMessageSink(
            [this](const QString& text, const QString& caption) { messages.push_back({text, caption}); });
    }

    void pick(const QString& path, bool ok = true) {
        answer = path;
        answerOk = ok;
        dialog.selectBmp();
    }

    QImage picture() { return dialog.pictureFrame()->grab().toImage(); }
};

bool isBlack(QRgb pixel) { return (pixel & 0xFFFFFF) == 0; }
bool isWhite(QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogUnitsRoundToNearestPixel();
    void controlsFollowTheTemplate_data();
    void controlsFollowTheTemplate();
    void recognitionShowsResultAndGlyph();
    void failedRunsChangeNothing_data();
    void failedRunsChangeNothing();
    void glyphIsClippedToTheFrame();
    void keysCloseTheDialog();
    void aboutEntryOpensTheBox();
    void droppedBitmapIsRecognised();

private:
    QString write(const char* name, const BilevelImage& image) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        if (!writeBmp(QFile::encodeName(path).constData(), image)) qFatal("cannot write %s", name);
        return path;
    }
    QString writeBytes(const char* name, const std::vector<uint8_t>& bytes) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", name);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }

    QTemporaryDir dir_;
    QString glyphPath_;
};

void DialogTest::initTestCase() {
    QVERIFY(dir_.isValid());
    glyphPath_ = write("glyph.bmp", imageFromArt(kArt, 24, 20, 5, 7));
}

void DialogTest::dialogUnitsRoundToNearestPixel() {
    const DialogUnits units{6, 13};
    // 171 * 6 / 4 = 256.5 and 124 * 13 / 8 = 201.5 round up; 14 * 13 / 8 = 22.75 too.
    QCOMPARE(units.toPixels(171, 124, 57, 14), QRect(257, 202, 86, 23));
    QCOMPARE(units.toPixels(7, 7, 150, 129), QRect(11, 11, 225, 210));
    QCOMPARE(DialogUnits({5, 14}).toPixels(246, 147, 0, 1), QRect(308, 257, 0, 2));
}

void DialogTest::controlsFollowTheTemplate_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("units");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Quit") << 1001 << "Quit" << QRect(171, 124, 57, 14) << true;
    QTest::newRow("Cancel") << 1000 << "Cancel" << QRect(185, 125, 25, 14) << false;
    QTest::newRow("picture") << 1004 << "" << QRect(7, 7, 150, 129) << true;
    QTest::newRow("Select") << 1002 << "Select B/W bmp" << QRect(170, 7, 68, 17) << true;
    QTest::newRow("result") << 1003 << "RecogResult" << QRect(173, 47, 65, 40) << true;
}

void DialogTest::controlsFollowTheTemplate() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QRect, units);
    QFETCH(bool, shown);

    MainDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral(u"印刷体英文识别演示(Print English Recog Demonstration)"));
    QVERIFY(!dialog.windowIcon().isNull());
    // Arial 8 pt, or a face with Arial's metrics.
    const QStringList arialLike = {"Arial", "Liberation Sans", "Arimo"};
    QVERIFY2(arialLike.contains(QFontInfo(dialog.font()).family()), qPrintable(QFontInfo(dialog.font()).family()));
    if (qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()) == 96)
        QCOMPARE(dialog.font().pixelSize(), 11);
    const DialogUnits& du = dialog.units();
    QVERIFY2(du.baseX >= 5 && du.baseX <= 7 && du.baseY >= 12 && du.baseY <= 15,
             qPrintable(QString("base units %1 x %2").arg(du.baseX).arg(du.baseY)));
    QCOMPARE(dialog.size(), QSize(du.toPixelsX(246), du.toPixelsY(147)));

    QWidget* control = dialog.control(id);
    QVERIFY(control);
    QCOMPARE(control->geometry(), du.toPixels(units.x(), units.y(), units.width(), units.height()));
    QCOMPARE(control->isVisibleTo(&dialog), shown);
    QCOMPARE(control->isEnabled(), shown);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->isDefault(), id == MainDialog::QuitId);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), text);
    } else {
        QVERIFY(qobject_cast<PictureFrame*>(control));
    }
}

void DialogTest::recognitionShowsResultAndGlyph() {
    Harness h;
    const QString before = QDir::currentPath();
    QVERIFY(!h.dialog.pictureFrame()->hasPicture());
    h.pick(glyphPath_);
    QCOMPARE(h.seenFilter, QStringLiteral("B/W:*.bmp (*.bmp)"));
    QCOMPARE(h.seenDirectory, before);  // no default directory: the current one
    QCOMPARE(QDir::currentPath(), before);
    QCOMPARE(h.messages.size(), size_t(0));
    QVERIFY2(QRegularExpression("^(Recoged: [A-Za-z]|Refause!)$").match(h.dialog.resultText()).hasMatch(),
             qPrintable(h.dialog.resultText()));

    // The frame: the white square with its outline at 0 and 221, the ink of
    // raster pixel (r, c) at (c + 8, r + 8), each time the frame is painted.
    for (int pass = 0; pass < 2; ++pass) {
        const QImage image = h.picture();
        QVERIFY(isBlack(image.pixel(0, 0)));
        QVERIFY(isBlack(image.pixel(0, 100)));
        if (image.width() > 221) QVERIFY(isBlack(image.pixel(221, 100)));
        if (image.width() > 222) QVERIFY(!isWhite(image.pixel(222, 100)));
        QVERIFY(isWhite(image.pixel(1, 1)));
        QVERIFY(isWhite(image.pixel(7, 7)));
        for (int r = 0; r < int(kArt.size()); ++r)
            for (int c = 0; c < int(kArt[r].size()); ++c)
                QVERIFY2(isBlack(image.pixel(c + 8, r + 8)) == (kArt[r][c] == '#'),
                         qPrintable(QString("row %1 column %2").arg(r).arg(c)));
        QVERIFY(isWhite(image.pixel(18, 8)));  // one past the glyph's last column
        h.dialog.pictureFrame()->update();
    }
}

void DialogTest::failedRunsChangeNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");

    std::vector<uint8_t> twoBits = encodeBmp(solid(8, 8));
    twoBits[28] = 2;  // bits per pixel, in the info header after the 14-byte file header
    const QString title = QString::fromLatin1(ApplicationTitle);
    QTest::newRow("cancelled") << "" << false << "" << "";
    QTest::newRow("chooser fails with a name") << "no/such.bmp" << false << "Read File Error! (no/such.bmp)" << "Tarvo";
    QTest::newRow("file cannot be opened") << dir_.filePath("missing.bmp") << true << "" << "";
    QTest::newRow("two bits per pixel") << writeBytes("two-bits.bmp", twoBits) << true
                                        << "Bmp Must Be Black/White!" << title;
    QTest::newRow("height 513") << write("tall.bmp", solid(8, 513)) << true << "ImgHeight Over!" << title;
    QTest::newRow("width 513") << write("wide.bmp", solid(513, 8)) << true << "ImgWidth  Over!" << title;
    QTest::newRow("both 513: height first") << write("big.bmp", solid(513, 513)) << true << "ImgHeight Over!"
                                            << title;
}

void DialogTest::failedRunsChangeNothing() {
    QFETCH(QString, file);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    QFETCH(QString, caption);

    Harness h;
    h.pick(glyphPath_);
    const QString result = h.dialog.resultText();
    const QImage picture = h.picture();
    QCOMPARE(h.messages.size(), size_t(0));

    h.pick(file, ok);
    if (message.isEmpty()) {
        QCOMPARE(h.messages.size(), size_t(0));
    } else {
        QCOMPARE(h.messages.size(), size_t(1));
        QCOMPARE(h.messages[0].text, message);
        QCOMPARE(h.messages[0].caption, caption);
    }
    QCOMPARE(h.dialog.resultText(), result);
    QCOMPARE(h.picture(), picture);
}

void DialogTest::glyphIsClippedToTheFrame() {
    // 4 rows of 400 columns: wider than the frame, too small to be halved.
    Harness h;
    h.pick(write("bar.bmp", solid(400, 4)));
    const QImage image = h.dialog.grab().toImage();
    const QRect frame = h.dialog.pictureFrame()->geometry();
    QVERIFY(frame.width() < 408);
    const int y = frame.y() + 9;
    QVERIFY(isBlack(image.pixel(frame.x() + 8, y)));
    QVERIFY(isBlack(image.pixel(frame.right() - 1, y)));
    for (int x = frame.right() + 1; x <= frame.right() + 8; ++x)
        QVERIFY2(!isBlack(image.pixel(x, y)), qPrintable(QString("x %1").arg(x)));
}

void DialogTest::keysCloseTheDialog() {
    {
        MainDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.focusWidget(), dialog.control(MainDialog::QuitId));
        // The hidden, disabled Cancel is never in the focus chain.
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != dialog.control(MainDialog::CancelId));
        }
        dialog.control(MainDialog::QuitId)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    {
        MainDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
}

void DialogTest::aboutEntryOpensTheBox() {
    MainDialog dialog;
    QCOMPARE(dialog.contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction*> actions = dialog.actions();
    const qsizetype at = actions.indexOf(dialog.aboutAction());
    QVERIFY(at >= 1);
    QVERIFY(actions[at - 1]->isSeparator());
    QCOMPARE(dialog.aboutAction()->text(), QStringLiteral("&About Quillmark..."));

    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (!about) return;
        seen = about->windowTitle() == QStringLiteral("About Quillmark");
        auto* version = about->findChild<QLabel*>("aboutVersion");
        auto* icon = about->findChild<QLabel*>("aboutIcon");
        seen = seen && version && version->text() == QStringLiteral("Quillmark Version 1.0") && icon &&
               !icon->pixmap().isNull();
        auto* ok = about->findChild<QPushButton*>("aboutOk");
        seen = seen && ok && ok->text() == QStringLiteral("OK") && ok->isDefault();
        if (ok) ok->click();
        else about->reject();
    });
    dialog.aboutAction()->trigger();
    QVERIFY(seen);
}

void DialogTest::droppedBitmapIsRecognised() {
    Harness h;
    bool asked = false;
    h.dialog.setFileChooser([&](const QString&, const QString&, QString&) { return asked = true, false; });
    auto dragEnter = [&](const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.dialog, &enter);
        return enter.isAccepted();
    };
    QVERIFY(!dragEnter(dir_.filePath("notes.txt")));
    QVERIFY(dragEnter(glyphPath_));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(glyphPath_)});
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.dialog, &drop);
    QTRY_VERIFY(h.dialog.pictureFrame()->hasPicture());
    QVERIFY(!asked);
    QVERIFY(h.dialog.resultText() != QStringLiteral("RecogResult"));
    QVERIFY(isBlack(h.picture().pixel(8, 8)));
}

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
