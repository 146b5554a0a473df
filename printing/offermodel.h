// Everything a commercial offer shows, gathered before it is laid out: the basket's items with
// their options, quantities, prices and costs, the total, the conditions of the calculation, and
// for each catalogue unit a short technical block with its picture. The windows and the command
// line fill it from a calculation (printing/offerbuild.h); the layout reads nothing else.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

#include "printing/reportmodel.h"

namespace tundrix {

inline const QString kOfferTitle = QStringLiteral("Коммерческое предложение");

struct OfferItem {
    QString type, model;
    QStringList options;  // the options chosen with it, by name
    QString quantity, price, cost;
    // A catalogue unit has a technical block (label, value) and usually a picture; an item typed
    // by hand into the basket has neither.
    bool catalogued = false;
    std::vector<ReportRow> technical;
    QImage picture;
};

struct OfferModel {
    QFont font;  // the result table's font: it sets the measures of the page, as for the report
    QString number;
    QString date;
    std::vector<OfferItem> items;
    QString total;                      // EUR
    std::vector<ReportRow> conditions;  // evaporating, condensing or ambient, superheat, ...
    Letterhead letterhead;
};

}  // namespace tundrix
