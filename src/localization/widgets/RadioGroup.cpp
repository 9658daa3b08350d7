#include "localization/widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zov {

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), fButtons(new QButtonGroup(this)), fLayout(new QVBoxLayout(this)) {}

QStringList TRadioGroup::Items() const {
    QStringList items;
    for (QAbstractButton* button : fButtons->buttons()) {
        items.append(button->text());
    }
    return items;
}

void TRadioGroup::SetItems(const QStringList& items) {
    for (QAbstractButton* button : fButtons->buttons()) {
        fButtons->removeButton(button);
        delete button;
    }
    int id = 0;
    for (const QString& text : items) {
        auto* button = new QRadioButton(text, this);
        fButtons->addButton(button, id++);
        fLayout->addWidget(button);
    }
}

qsizetype TRadioGroup::ItemCount() const {
    return fButtons->buttons().size();
}

QString TRadioGroup::Item(qsizetype index) const {
    const QAbstractButton* button = fButtons->button(static_cast<int>(index));
    return button != nullptr ? button->text() : QString();
}

void TRadioGroup::SetItem(qsizetype index, const QString& text) {
    if (QAbstractButton* button = fButtons->button(static_cast<int>(index))) {
        button->setText(text);
    }
}

int TRadioGroup::ItemIndex() const {
    return fButtons->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = fButtons->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = fButtons->checkedButton()) {
        // An exclusive group cannot uncheck its last button directly.
        fButtons->setExclusive(false);
        checked->setChecked(false);
        fButtons->setExclusive(true);
    }
}

} // namespace zov
