#include "app/main_dialog.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringList>
#include <QUrl>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "app/about_dialog.h"
#include "app/app_icon.h"
#include "app/picture_frame.h"
#include "recog/state/state.h"

QString fileDialogFilter(const char* filter) {
    const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

bool askForFile(const QString& filter, const QString& initialDirectory, QString& fileName) {
    // No owner window; the file must exist.
    fileName = QFileDialog::getOpenFileName(nullptr, QObject::tr("Open"), initialDirectory, filter);
    return !fileName.isEmpty();
}

std::string toLocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

MainDialog::MainDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("mainDialog"));
    setWindowTitle(QStringLiteral(u"印刷体英文识别演示(Print English Recog Demonstration)"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(applicationIcon());
    // Arial 8 pt; Liberation Sans (metric-compatible) where Arial is missing.
    setFont(dialogFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}, 8));
    units_ = DialogUnits::forFont(font());
    setFixedSize(units_.toPixelsX(246), units_.toPixelsY(147));

    // Built in the template's order, which is also the focus order.
    quit_ = new QPushButton(QStringLiteral("Quit"), this);
    quit_->setObjectName(QStringLiteral("quitButton"));
    quit_->setGeometry(units_.toPixels(171, 124, 57, 14));
    quit_->setDefault(true);
    connect(quit_, &QPushButton::clicked, this, &QDialog::accept);

    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    cancel_->setGeometry(units_.toPixels(185, 125, 25, 14));
    cancel_->setAutoDefault(false);
    cancel_->setEnabled(false);
    cancel_->setVisible(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    picture_ = new PictureFrame(this);
    picture_->setObjectName(QStringLiteral("pictureFrame"));
    picture_->setGeometry(units_.toPixels(7, 7, 150, 129));

    select_ = new QPushButton(QStringLiteral("Select B/W bmp"), this);
    select_->setObjectName(QStringLiteral("selectButton"));
    select_->setGeometry(units_.toPixels(170, 7, 68, 17));
    connect(select_, &QPushButton::clicked, this, &MainDialog::selectBmp);

    result_ = new QLabel(QStringLiteral("RecogResult"), this);
    result_->setObjectName(QStringLiteral("resultText"));
    result_->setTextFormat(Qt::PlainText);
    result_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result_->setWordWrap(true);
    result_->setGeometry(units_.toPixels(173, 47, 65, 40));

    quit_->setProperty("controlId", int(QuitId));
    cancel_->setProperty("controlId", int(CancelId));
    picture_->setProperty("controlId", int(PictureId));
    select_->setProperty("controlId", int(SelectId));
    result_->setProperty("controlId", int(ResultId));
    quit_->setFocus();

    // Only Windows lets a program extend the window's system menu; elsewhere
    // the same separator and About entry make up the dialog's context menu.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    aboutAction_ = new QAction(QStringLiteral("&About Quillmark..."), this);
    aboutAction_->setObjectName(QStringLiteral("aboutAction"));
    connect(aboutAction_, &QAction::triggered, this, &MainDialog::showAbout);
    addActions({separator, aboutAction_});
    setContextMenuPolicy(Qt::ActionsContextMenu);

#ifdef Q_OS_WIN
    if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, AboutCommand, L"&About Quillmark...");
    }
#endif

    setAcceptDrops(true);
    chooser_ = askForFile;
    sink_ = [this](const QString& text, const QString& caption) {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, this);
        box.exec();
    };
}

QWidget* MainDialog::control(int id) const {
    for (QWidget* widget : {static_cast<QWidget*>(quit_), static_cast<QWidget*>(cancel_),
                            static_cast<QWidget*>(picture_), static_cast<QWidget*>(select_),
                            static_cast<QWidget*>(result_)}) {
        if (widget->property("controlId").toInt() == id) return widget;
    }
    return nullptr;
}

QString MainDialog::resultText() const { return result_->text(); }

void MainDialog::selectBmp() { run(std::nullopt); }

void MainDialog::recogniseFile(const QString& path) { run(path); }

void MainDialog::run(std::optional<QString> path) {
    // The run is synchronous, but a message box inside it runs an event loop:
    // no second run may start from there.
    if (running_) return;
    QScopedValueRollback<bool> running(running_, true);
    givenPath_ = std::move(path);
    runRecognition(*this);
    givenPath_.reset();
}

bool MainDialog::chooseBmpFile(const char* filter, const std::string& initialDirectory, std::string& fileName) {
    fileName.clear();
    if (givenPath_) {
        fileName = toLocalPath(*givenPath_);
        return true;
    }
    // The question starts in the given directory, or in the current one when
    // none is given, and leaves the current directory as it found it.
    const QString current = QDir::currentPath();
    const QString start = initialDirectory.empty() ? current : QFile::decodeName(initialDirectory.c_str());
    QString chosen;
    const bool ok = chooser_ && chooser_(fileDialogFilter(filter), start, chosen);
    QDir::setCurrent(current);
    fileName = toLocalPath(chosen);
    return ok && !chosen.isEmpty();
}

void MainDialog::drawRaster() {
    // The normalised glyph: rows 0..ImageHeight-1, columns 0..ImageWidth-1.
    const int height = std::clamp<int>(g.ImageHeight, 0, Raster::Size);
    const int width = std::clamp<int>(g.ImageWidth, 0, Raster::Size);
    QImage glyph;
    if (height > 0 && width > 0) {
        glyph = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        const QRgb ink = qRgb(0, 0, 0);
        for (int r = 0; r < height; ++r) {
            const uint8_t* row = g.WorkRaster[r];
            for (int c = 0; c < width; ++c)
                if (row[c] != 0) glyph.setPixel(c, r, ink);
        }
    }
    picture_->showGlyph(glyph);
}

void MainDialog::showResult(const char* text) { result_->setText(QString::fromLocal8Bit(text)); }

void MainDialog::showMessage(const char* text, const char* caption) {
    if (sink_) sink_(QString::fromLocal8Bit(text), QString::fromLocal8Bit(caption));
}

void MainDialog::showAbout() {
    AboutDialog about(this);
    about.exec();
}

std::optional<QString> MainDialog::droppedBmp(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return std::nullopt;
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile()) return std::nullopt;
    const QString path = url.toLocalFile();
    if (QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) != 0) return std::nullopt;
    return path;
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!running_ && droppedBmp(event->mimeData())) event->acceptProposedAction();
}

void MainDialog::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = droppedBmp(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    // Finish the drop first: the run may open message boxes.
    QMetaObject::invokeMethod(this, [this, file = *path] { recogniseFile(file); }, Qt::QueuedConnection);
}

#ifdef Q_OS_WIN
bool MainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == static_cast<WPARAM>(AboutCommand)) {
        showAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif
