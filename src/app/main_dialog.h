// The main dialog: the picture frame, "Select B/W bmp", the result text and
// "Quit". It is the shell through which runRecognition asks for a file, shows
// the glyph, the result and the messages.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/dialog_units.h"
#include "recog/state/driver.h"

class QAction;
class QLabel;
class QPushButton;
class PictureFrame;

// Turn the driver's filter ("description|pattern|...") into a file-dialog
// filter ("description (pattern);;..."): "B/W:*.bmp|*.bmp|" becomes
// "B/W:*.bmp (*.bmp)".
QString fileDialogFilter(const char* filter);

class MainDialog : public QDialog, public RecognitionShell {
    Q_OBJECT
public:
    // The controls' ids; each control carries its id in the "controlId" property.
    enum ControlId {
        CancelId = 1000,
        QuitId = 1001,
        SelectId = 1002,
        ResultId = 1003,
        PictureId = 1004,
    };
    // The command id of the About entry in the window's system menu, where
    // the platform has one (every id from 16 to 31 counts).
    static constexpr int AboutCommand = 16;

    // Asks for a file: returns true with the path in fileName; false with an
    // empty fileName when the user cancelled, false with a name otherwise.
    using FileChooser =
        std::function<bool(const QString& filter, const QString& initialDirectory, QString& fileName)>;
    // Shows one message with an OK button.
    using MessageSink = std::function<void(const QString& text, const QString& caption)>;

    explicit MainDialog(QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

    const DialogUnits& units() const { return units_; }
    QWidget* control(int id) const;
    PictureFrame* pictureFrame() const { return picture_; }
    QString resultText() const;
    QAction* aboutAction() const { return aboutAction_; }

    // RecognitionShell.
    bool chooseBmpFile(const char* filter, const std::string& initialDirectory, std::string& fileName) override;
    void drawRaster() override;
    void showResult(const char* text) override;
    void showMessage(const char* text, const char* caption) override;

public slots:
    // One recognition through the file question ("Select B/W bmp").
    void selectBmp();
    // One recognition of a given file, as when it is dropped on the dialog.
    void recogniseFile(const QString& path);
    void showAbout();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void run(std::optional<QString> path);
    static std::optional<QString> droppedBmp(const class QMimeData* mime);

    DialogUnits units_;
    QPushButton* quit_ = nullptr;
    QPushButton* cancel_ = nullptr;
    PictureFrame* picture_ = nullptr;
    QPushButton* select_ = nullptr;
    QLabel* result_ = nullptr;
    QAction* aboutAction_ = nullptr;
    FileChooser chooser_;
    MessageSink sink_;
    std::optional<QString> givenPath_;  // answers the file question of a drop
    bool running_ = false;
};
