// quillmark: the dialog. Pick a 1-bit bitmap with "Select B/W bmp" (or drop
// one on the dialog) to recognise the printed letter in it.
#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/app_icon.h"
#include "app/main_dialog.h"

namespace {

// A picture of the window with the frame the window manager draws around it,
// read from the screen; only the client area where the screen cannot be read.
QPixmap grabWindow(QWidget& window) {
    QPixmap picture;
    if (QScreen* screen = window.screen()) {
        const QRect frame = window.frameGeometry();
        picture = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    if (picture.isNull()) picture = window.grab();
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillmark"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setWindowIcon(applicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Recognise the printed English letter in a black-and-white bitmap.\n"
                       "Press \"Select B/W bmp\" and pick a 1-bit BMP of at most 512 x 512 pixels,\n"
                       "or drop one onto the dialog; the glyph appears in the picture frame and\n"
                       "the result (\"Recoged: x\" or \"Refause!\") beside it. The About box is in\n"
                       "the dialog's context menu (right click)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption openOption(
        QStringLiteral("open"), QStringLiteral("Recognise FILE right after the start, as if it had been dropped."),
        QStringLiteral("FILE"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window (with the window manager's frame where one is "
                       "running) to PNG a moment after the start (and after --open), then quit."),
        QStringLiteral("PNG"));
    const QCommandLineOption delayOption(QStringLiteral("screenshot-delay"),
                                         QStringLiteral("Milliseconds to wait before --screenshot (default 1000)."),
                                         QStringLiteral("MS"), QStringLiteral("1000"));
    parser.addOption(openOption);
    parser.addOption(screenshotOption);
    parser.addOption(delayOption);
    parser.process(app);

    MainDialog dialog;
    if (parser.isSet(openOption)) {
        const QString file = parser.value(openOption);
        QTimer::singleShot(0, &dialog, [&dialog, file] { dialog.recogniseFile(file); });
    }
    int status = 0;
    if (parser.isSet(screenshotOption)) {
        const QString target = parser.value(screenshotOption);
        QTimer::singleShot(parser.value(delayOption).toInt(), &dialog, [&dialog, &status, target] {
            if (!grabWindow(dialog).save(target, "PNG")) {
                std::fprintf(stderr, "quillmark: cannot write %s\n", qPrintable(target));
                status = 1;
            }
            dialog.reject();
        });
    }
    // The dialog is the whole program: when it closes, the program ends.
    dialog.exec();
    return status;
}
