#include "printing/reportmodel.h"

#include <QRegularExpression>

namespace tundrix {

namespace {

QString degrees(const QString& text) {
    return text + QStringLiteral("°") + QStringLiteral("C");
}

}  // namespace

QFont printFont(const QFont& tableFont) {
    QFont f = tableFont;
    f.setPointSize(8);
    return f;
}

std::vector<ReportRow> inputRows(const ReportModel& m) {
    return {
        {QStringLiteral("Используемый хладагент"), m.refrigerant},
        {QStringLiteral("Класс безопасности, ПГП"), m.refrigerantSafety},
        {QStringLiteral("Температура кипения"), degrees(m.evaporate)},
        {QStringLiteral("Температура конденсации"), degrees(m.condensate)},
        {QStringLiteral("Температура окружающей среды"), degrees(m.ambient)},
        {QStringLiteral("Перегрев"), degrees(m.superheat)},
        {QStringLiteral("Переохлаждение"), degrees(m.subcool)},
    };
}

std::vector<ReportRow> liquidRows(const ReportModel& m) {
    if (!m.liquid)
        return {};
    return {
        {QStringLiteral("Используемая жидкость"), m.liquid->liquid},
        {QStringLiteral("Расход"), m.liquid->flow},
        {QStringLiteral("Температура хладоносителя на входе"), m.liquid->inlet},
        {QStringLiteral("Температура хладоносителя на выходе"), degrees(m.liquid->outlet)},
    };
}

QStringList memoLines(const QString& text) {
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace tundrix
