#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

namespace zov {

// The about box: the program's name, its version and build date, and its rights
// notice. Made once at start, shown modally as often as asked.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    QString VersionText() const;

private:
    void FormCreate();

    std::unique_ptr<Ui::TAboutBox> fUi;
};

} // namespace zov
