#include "chiller/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace tundrix {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        grid->addWidget(b, i / columns, i % columns);
    }
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemChosen);
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int i) {
    const QSignalBlocker block(group_);
    if (QAbstractButton* b = group_->button(i))
        b->setChecked(true);
}

QRadioButton* RadioGroup::button(int i) const {
    return qobject_cast<QRadioButton*>(group_->button(i));
}

int RadioGroup::count() const {
    return int(group_->buttons().size());
}

}  // namespace tundrix
