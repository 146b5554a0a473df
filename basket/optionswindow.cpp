#include "basket/optionswindow.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "basket/unitoptions.h"

namespace tundrix {

OptionsWindow::OptionsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Доступные опции"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CheckListBox1"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* clear = new QPushButton(QStringLiteral("убрать все опции"), this);
    clear->setObjectName(QStringLiteral("Button2"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(clear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(360, 280);

    connect(ok, &QPushButton::clicked, this, &OptionsWindow::applyTicks);
    connect(clear, &QPushButton::clicked, this, &OptionsWindow::clearAll);
}

void OptionsWindow::showUnit(agregat& list, int unit) {
    units_ = &list;
    unit_ = unit;
    list_->clear();
    for (const OptionLine& line : optionLines(list, unit)) {
        auto* item = new QListWidgetItem(QString::fromStdString(line.name), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(line.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<bool> OptionsWindow::ticks() const {
    std::vector<bool> t;
    for (int i = 0; i < list_->count(); ++i)
        t.push_back(list_->item(i)->checkState() == Qt::Checked);
    return t;
}

void OptionsWindow::applyTicks() {
    if (units_) {
        applyOptionTicks(*units_, unit_, ticks());
    }
    close();
    emit optionsApplied();
}

void OptionsWindow::clearAll() {
    if (units_)
        clearAllOptions(*units_);
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Unchecked);
    close();
    emit optionsApplied();
}

}  // namespace tundrix
