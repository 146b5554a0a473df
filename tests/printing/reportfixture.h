// Report and list models for the printing tests: a condensing unit, a chiller, and helpers to
// find texts in what was drawn.
#pragma once

#include <QFont>
#include <QString>

#include "printing/reportmodel.h"

namespace tundrix::testing {

inline QFont tableFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(8);
    return f;
}

inline ReportModel condensingReport() {
    ReportModel m;
    m.font = tableFont();
    m.dateTime = QStringLiteral("08.12.2026 14:05");
    m.refrigerant = QStringLiteral("R404A/R507");
    m.refrigerantSafety = QStringLiteral("A1, ПГП 3922/3985");
    m.evaporate = QStringLiteral("-10");
    m.condensate = QStringLiteral("44,3");
    m.ambient = QStringLiteral("30");
    m.superheat = QStringLiteral("10");
    m.subcool = QStringLiteral("0");
    const char* headings[] = {"Агрегат",          "Холод-сть, кВт", "Мощность, кВт",
                              "Теплоотдача, кВт", "Ток, А",         "Цена(EUR)"};
    const char* cells[] = {"ККБ-Тест-12", "12,35", "5,1", "17,2", "9,8", "8450"};
    for (int c = 0; c < 6; ++c)
        m.result.push_back({QString::fromUtf8(headings[c]), QString::fromUtf8(cells[c])});
    m.techData = {{QStringLiteral("Характеристика"), QStringLiteral("Значение")},
                  {QStringLiteral("Масса, кг"), QStringLiteral("215")},
                  {QStringLiteral("Напряжение питания"), QStringLiteral("380 В, 50 Гц")}};
    m.deliverySet = {QStringLiteral("Компрессор с защитой"), QStringLiteral("Ресивер"),
                     QStringLiteral("Конденсатор воздушного охлаждения")};
    m.envelope.present = true;
    m.envelope.vertices = {QPointF(-40, 10), QPointF(-10, 10), QPointF(10, 10),
                           QPointF(10, 45),  QPointF(-10, 50), QPointF(-40, 40)};
    m.envelope.ylim5 = 60;
    m.envelope.t0 = -10;
    m.envelope.tc = 30;
    m.hasUnit = true;
    return m;
}

inline ReportModel chillerReport() {
    ReportModel m = condensingReport();
    m.result.front() = {QStringLiteral("Холодильная установка"), QStringLiteral("ГЛЦО-Тест-30")};
    m.liquid = ReportLiquid{QStringLiteral("Этиленгликоль 30%"), QStringLiteral("2,5 кг/сек"),
                            QStringLiteral("12 °C"), QStringLiteral("7")};
    return m;
}

inline ListModel sampleList(int units) {
    ListModel l;
    l.font = tableFont();
    l.rows.push_back({QStringLiteral("Агрегат"), QStringLiteral("Холод-сть, кВт"),
                      QStringLiteral("Мощность, кВт"), QStringLiteral("Теплоотдача, кВт"),
                      QStringLiteral("Ток, А"), QStringLiteral("Цена(EUR)")});
    for (int i = 1; i <= units; ++i)
        l.rows.push_back({QStringLiteral("ККБ-%1").arg(i), QString::number(i * 1.5),
                          QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                          QStringLiteral("1000")});
    return l;
}

}  // namespace tundrix::testing
