// The About box: the icon, the version line, one line about the program, OK.
#pragma once

#include <QDialog>

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int OkId = 1;

    explicit AboutDialog(QWidget* parent = nullptr);
};
