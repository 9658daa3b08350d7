#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

namespace zov {

// A group box holding one radio button per item, one of which is chosen: the caption
// is the box's title, the items are the buttons' texts. The buttons are the group's
// own inner widgets and carry no object names.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
    // For Designer forms, which set the items and the choice by these names.
    Q_PROPERTY(QStringList items READ Items WRITE SetItems)
    Q_PROPERTY(int itemIndex READ ItemIndex WRITE SetItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList Items() const;
    void SetItems(const QStringList& items);
    qsizetype ItemCount() const;
    QString Item(qsizetype index) const;
    void SetItem(qsizetype index, const QString& text);

    // -1 when no item is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);

private:
    QButtonGroup* fButtons;
    QVBoxLayout* fLayout;
};

} // namespace zov
