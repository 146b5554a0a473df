// The calculator on the description tab: its lists follow the brand, level and refrigerant; its
// counts and the condenser displays follow the selectors; "Рассчитать" computes and draws.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "catalogue/calculatorlists.h"
#include "catalogue/catalogue.h"
#include "engine/cyclestate.h"
#include "mainwindow/calculatorplot.h"
#include "mainwindow/mainwindow.h"
#include "selection/calculator.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

void fill(QComboBox* box, const SelectorFill& f) {
    if (!f.changed)
        return;
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& item : f.items)
        box->addItem(qs(item));
    box->setCurrentIndex(f.selected);
}

}  // namespace

void MainWindow::connectCalculator() {
    connect(calc_.comboBox7, &QComboBox::currentIndexChanged, this,
            [this] { DataUpdateExecute(); });
    connect(calc_.comboBox9, &QComboBox::currentIndexChanged, this,
            [this] { DataUpdateExecute(); });
    connect(calc_.condensator, &QComboBox::currentIndexChanged, this,
            [this] { condensatorChanged(); });
    connect(calc_.checkBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(calc_.checkBox4, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(calc_.interpxy, &QPushButton::clicked, this, [this] { Action3Execute(); });
}

void MainWindow::fillCalculatorLists(const CalculatorLists& lists) {
    fill(calc_.selectcompr, lists.selectcompr);
    fill(calc_.selectcompr2, lists.selectcompr2);
    fill(calc_.condensator, lists.condensator);
    condensatorChanged();
}

void MainWindow::condensatorChanged() {
    const int position = calc_.condensator->currentIndex();
    if (position < 0)
        return;
    const CondenserDisplay d = condensatorChange(*catalogue_, position, decimalSeparator());
    calc_.edit4->setText(qs(d.edit4));
    calc_.edit5->setText(qs(d.edit5));
    calc_.edit6->setText(qs(d.edit6));
}

CalculatorChoice MainWindow::calculatorChoice() const {
    CalculatorChoice ch;
    ch.model1 = us(calc_.selectcompr->currentText());
    ch.pos1 = calc_.selectcompr->currentIndex();
    ch.second = calc_.checkBox4->isChecked();
    ch.pos2 = calc_.selectcompr2->currentIndex();
    // Both selectors hold the same list: the second model is the first list's item there.
    ch.model2 = us(calc_.selectcompr->itemText(ch.pos2));
    const Catalogue& cat = *catalogue_;
    auto mapped = [&cat](int pos) {
        return pos >= 0 && pos < int(cat.brandpos.size()) ? cat.brandpos[std::size_t(pos)] : 0;
    };
    ch.mapped1 = mapped(ch.pos1);
    ch.mapped2 = mapped(ch.pos2);
    ch.condenserName = us(calc_.condensator->currentText());
    ch.condenserPos = calc_.condensator->currentIndex();
    ch.pol = cat.conderlist.pol(ch.condenserPos + 1);
    ch.count1 = us(calc_.edit12->text());
    ch.count2 = us(calc_.edit24->text());
    ch.condensers = us(calc_.edit13->text());
    ch.noCondenser = calc_.checkBox2->isChecked();
    return ch;
}

void MainWindow::CheckBox2Click() {
    const bool typed = calc_.checkBox2->isChecked();
    setLocked(condensate_, !typed);
    setLocked(edit7_, typed);
}

void MainWindow::Action3Execute() {
    calc_.label15->hide();
    CalculatorInputs in;
    in.brand = calc_.comboBox7->currentIndex() + 1;
    in.level = calc_.comboBox9->currentIndex() + 1;
    in.refrigerant = comboBox8_->currentIndex();
    in.compressor1 = calc_.selectcompr->currentIndex();
    in.compressor2 = calc_.selectcompr2->currentIndex();
    in.condenser = calc_.condensator->currentIndex();
    in.secondGroup = calc_.checkBox4->isChecked();
    in.typedCondensing = calc_.checkBox2->isChecked();
    in.count1 = calc_.edit12->value();
    in.count2 = calc_.edit24->value();
    in.condenserCount = calc_.edit13->value();
    in.evaporate = us(evaporate_->text());
    in.ambient = us(edit7_->text());
    in.condensate = us(condensate_->text());
    in.superheat = us(superheat_->text());
    in.subcool = us(subcool_->text());
    in.decimalSeparator = decimalSeparator();

    const CalculatorResult r = tundrix::Action3Execute(*catalogue_, *cycle_, in);
    if (!r.computed) {
        calc_.solution->clear();
        calc_.edit1->clear();
        calc_.edit2->clear();
        calc_.edit3->clear();
        calc_.paintBox1->clear();
        return;
    }
    condensate_->setText(qs(r.condensate));
    calc_.solution->setText(qs(r.solution));
    calc_.edit1->setText(qs(r.edit1));
    calc_.edit2->setText(qs(r.edit2));
    calc_.edit3->setText(qs(r.edit3));
    calc_.paintBox1->setPlot(r.envelope, r.to, r.tc);
    calc_.label15->setVisible(r.outOfEnvelope);
}

}  // namespace tundrix
