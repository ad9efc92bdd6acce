#include "app/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/dialog_units.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Quillmark"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    // MS Sans Serif 8 pt; Liberation Sans where it is missing.
    setFont(dialogFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                        QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")},
                       8));
    const DialogUnits units = DialogUnits::forFont(font());
    setFixedSize(units.toPixelsX(235), units.toPixelsY(55));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    const QRect iconCell = units.toPixels(11, 17, 0, 0);
    icon->setGeometry(iconCell.x(), iconCell.y(), 32, 32);

    auto* version = new QLabel(QStringLiteral("Quillmark Version 1.0"), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setTextFormat(Qt::PlainText);
    version->setGeometry(units.toPixels(40, 10, 134, 8));

    auto* line = new QLabel(QStringLiteral("Printed English letter recognition"), this);
    line->setObjectName(QStringLiteral("aboutLine"));
    line->setTextFormat(Qt::PlainText);
    line->setGeometry(units.toPixels(40, 32, 134, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setProperty("controlId", OkId);
    ok->setGeometry(units.toPixels(178, 7, 50, 14));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
