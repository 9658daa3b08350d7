#include "app/AboutBox.h"

#include "settings/FileVersion.h"
#include "ui_AboutBox.h"

#include <QCoreApplication>

namespace zov {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), fUi(std::make_unique<Ui::TAboutBox>()) {
    fUi->setupUi(this);
    setFixedSize(sizeHint());
    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate() {
    fUi->Version->setText(QStringLiteral("1.70  (01.11.2014)") + QStringLiteral("  ") +
                          GetFileVersionString(QCoreApplication::applicationFilePath(),
                                               QStringLiteral("FileDateMS")));
}

QString TAboutBox::VersionText() const {
    return fUi->Version->text();
}

} // namespace zov
