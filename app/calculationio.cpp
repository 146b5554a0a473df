#include "app/calculationio.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTableWidget>

#include <ctime>
#include <memory>

#include "app/windowset.h"
#include "basket/basketwindow.h"
#include "calculation/calculationfile.h"
#include "catalogue/refrigerants.h"
#include "chiller/chilledliquiddialog.h"
#include "mainwindow/printactions.h"
#include "printing/offerbuild.h"
#include "printing/offerlayout.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

const QString kSaveTitle = QStringLiteral("Сохранить расчет");
const QString kOpenTitle = QStringLiteral("Открыть расчет");
const QString kFilter = QStringLiteral("Расчет Tundrix (*.tundrix)");

LiquidSettings liquidSettings(const ChilledLiquidDialog& d, char sep) {
    const LiquidInputs in = d.inputs();
    LiquidSettings l;
    l.liquid = in.liquid;
    l.concentration = fieldNumber(in.concentration, sep);
    l.inlet = fieldNumber(in.inlet, sep);
    l.outlet = fieldNumber(in.outlet, sep);
    l.flow = fieldNumber(in.flow, sep);
    l.flowType = in.flowType;
    l.flowUnit = in.flowUnit;
    l.exchanger = in.exchanger;
    l.exchangerDifference = d.exchangerTemperatureDifference();
    l.capacity = fieldNumber(us(d.capacityText()), sep);
    return l;
}

LiquidInputs liquidInputs(const LiquidSettings& l, char sep) {
    LiquidInputs in;
    in.liquid = l.liquid;
    in.concentration = fieldText(l.concentration, sep);
    in.inlet = fieldText(l.inlet, sep);
    in.outlet = fieldText(l.outlet, sep);
    in.flow = fieldText(l.flow, sep);
    in.flowType = l.flowType;
    in.flowUnit = l.flowUnit;
    in.exchanger = l.exchanger;
    return in;
}

// The file name the user chose, with the extension added when it was left out.
QString withExtension(QString file) {
    const QString ext = QString::fromLatin1(kCalculationExtension.data());
    if (!file.isEmpty() && !file.endsWith(ext, Qt::CaseInsensitive))
        file += ext;
    return file;
}

QStringList refrigerantCaptions() {
    QStringList names;
    for (const Refrigerant& r : kRefrigerantTable)
        names << qs(r.caption);
    return names;
}

}  // namespace

Calculation currentCalculation(WindowSet& w) {
    const char sep = decimalSeparator();
    Calculation c;
    c.saved = localDateTime(std::time(nullptr));
    w.form1->fillCalculation(c);
    c.liquid = liquidSettings(*w.form8, sep);
    c.basket = basketRecords(w.form6->basket(), sep);
    c.total = fieldNumber(w.form6->basket().total(), sep).value_or(BasketUnit::kNone);
    return c;
}

bool saveCalculationFile(WindowSet& w, const QString& file) {
    std::string error;
    if (saveCalculation(file.toStdString(), currentCalculation(w), error))
        return true;
    QMessageBox::warning(w.form1.get(), kSaveTitle,
                         QStringLiteral("Расчет не сохранен в файл %1: %2").arg(file, qs(error)));
    return false;
}

bool openCalculationFile(WindowSet& w, const QString& file) {
    std::string error;
    const auto c = loadCalculation(file.toStdString(), error);
    if (!c) {
        QMessageBox::warning(w.form1.get(), kOpenTitle,
                             QStringLiteral("Файл %1 не открыт: %2").arg(file, qs(error)));
        return false;
    }
    const char sep = decimalSeparator();
    // The dialog first: the chiller tab takes its texts, and the selection its exchanger.
    w.form8->restore(liquidInputs(c->liquid, sep), c->liquid.exchangerDifference,
                     qs(fieldText(c->liquid.capacity, sep)));
    // The chiller tab shows the dialog's texts when it is shown; the main window keeps it shown.
    if (c->inputs.tab == CalcTab::Chiller)
        copyChillerTexts(*w.form1, *w.form8);
    else
        w.form1->setExchanger(w.form8->exchanger());
    std::vector<Difference> differences = w.form1->restoreCalculation(*c);
    w.form6->setItems(basketItems(c->basket, sep));
    for (const Difference& d : checkBasket(c->basket, w.form1->dataDir(), sep))
        differences.push_back(d);
    if (!differences.empty()) {
        QString text = QStringLiteral("Расчет из файла %1 открыт, но каталог с тех пор изменился:")
                           .arg(QFileInfo(file).fileName());
        for (const Difference& d : differences)
            text += QStringLiteral("\n• ") + qs(differenceText(d, sep));
        QMessageBox::information(w.form1.get(), kOpenTitle, text);
    }
    return true;
}

OfferModel offerFromWindows(WindowSet& w) {
    const Calculation c = currentCalculation(w);
    OfferSource source;
    source.dataDir = w.form1->dataDir();
    source.decimalSeparator = decimalSeparator();
    source.refrigerants = refrigerantCaptions();
    source.number = qs(offerNumber(c.saved));
    source.date = qs(offerDate(c.saved));
    source.font = printFont(w.form1->unitTab(MainWindow::Condensing).grid->font());
    return buildOffer(c, source);
}

void installCalculationActions(WindowSet& w) {
    MainWindow* main = w.form1.get();
    WindowSet* set = &w;
    auto last = std::make_shared<QString>();  // the file last saved or opened
    QObject::connect(
        main->outsideControls().saveCalculation, &QAction::triggered, main, [main, set, last] {
            const QString suggested =
                last->isEmpty() ? QStringLiteral("Расчет.tundrix") : *last;
            const QString file = withExtension(
                QFileDialog::getSaveFileName(main, kSaveTitle, suggested, kFilter));
            if (!file.isEmpty() && saveCalculationFile(*set, file))
                *last = file;
        });
    QObject::connect(
        main->outsideControls().openPrevious, &QAction::triggered, main, [main, set, last] {
            const QString file = QFileDialog::getOpenFileName(main, kOpenTitle, *last, kFilter);
            if (!file.isEmpty() && openCalculationFile(*set, file))
                *last = file;
        });
    QObject::connect(w.form6.get(), &BasketWindow::offerRequested, w.form6.get(), [set] {
        const OfferModel offer = offerFromWindows(*set);
        previewDocument(set->form6.get(), kOfferTitle,
                        [&offer](PrintTarget& t) { return Printoffer(offer, t); });
    });
}

}  // namespace tundrix
