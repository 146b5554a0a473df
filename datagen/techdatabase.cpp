#include "datagen/techdatabase.h"

#include "datagen/assetnames.h"
#include "datagen/unitgeometry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>

namespace tundrix::datagen {
namespace {

// Field names shared by several tables; every table lists the ones it has, in its own order.
constexpr const char* kKey = "Код";
constexpr const char* kName = "Название агрегата";
constexpr const char* kCapacity = "Холодопроизводительность, кВт";
constexpr const char* kRefrigerant = "Хладагент";
constexpr const char* kLevel = "Температурный режим";
constexpr const char* kComp1 = "Компрессор 1";
constexpr const char* kComp2 = "Компрессор 2";
constexpr const char* kCount1 = "Количество компрессоров 1";
constexpr const char* kCount2 = "Количество компрессоров 2";
constexpr const char* kCompAll = "Компрессоры";
constexpr const char* kCountAll = "Количество компрессоров";
constexpr const char* kCondenser = "Конденсатор";
constexpr const char* kCondensers = "Количество конденсаторов";
constexpr const char* kFans = "Количество вентиляторов";
constexpr const char* kPol = "Исполнение конденсатора";
constexpr const char* kCompPower = "Потребляемая мощность компрессоров, кВт";
constexpr const char* kCompCurrent = "Рабочий ток компрессоров, А";
constexpr const char* kFanPower = "Мощность вентиляторов, кВт";
constexpr const char* kFanCurrent = "Ток вентиляторов, А";
constexpr const char* kTotalPower = "Суммарная потребляемая мощность, кВт";
constexpr const char* kTotalCurrent = "Суммарный рабочий ток, А";
constexpr const char* kSupply = "Электропитание";
constexpr const char* kDimensions = "Габариты (ДхШхВ), мм";
constexpr const char* kMass = "Масса, кг";
constexpr const char* kNoise = "Уровень звукового давления, дБ(А)";
constexpr const char* kReceiver = "Объем ресивера, л";
constexpr const char* kSteps = "Ступени регулирования производительности";
constexpr const char* kCoolant = "Холодоноситель";
constexpr const char* kTempIn = "Температура жидкости на входе, °C";
constexpr const char* kTempOut = "Температура жидкости на выходе, °C";
constexpr const char* kTemps = "Температура жидкости вход/выход, °C";
constexpr const char* kFlow = "Расход жидкости, м3/ч";
constexpr const char* kEvaporator = "Испаритель";
constexpr const char* kPressureDrop = "Потери давления в испарителе, кПа";
constexpr const char* kCircuits = "Число холодильных контуров";
constexpr const char* kHydro = "Гидромодуль";
constexpr const char* kTank = "Объем бака-аккумулятора, л";
constexpr const char* kConnections = "Присоединительные патрубки";
constexpr const char* kPump = "Насос";
constexpr const char* kPumpPower = "Мощность насоса, кВт";
constexpr const char* kPumpCurrent = "Рабочий ток насоса, А";
constexpr const char* kSuctionLine = "Диаметр всасывающей линии, мм";
constexpr const char* kLiquidLine = "Диаметр жидкостной линии, мм";

constexpr const char* kSupplyText = "50гц/380В/3фазы";

std::string num(double v, double step) {
    return commaNumber(std::round(v / step) * step);
}

// Sums as the technical-data window computes them, from the figures as written.
double readBack(const std::string& text) {
    std::string s = text;
    std::replace(s.begin(), s.end(), ',', '.');
    try {
        return s.empty() ? 0.0 : std::stod(s);
    } catch (...) {
        return 0.0;
    }
}

std::string roundedSum(double v) {
    return commaNumber(std::round(v * 1e6) / 1e6);
}

double standardPumpPower(double flow) {
    static constexpr std::array<double, 10> kSizes = {0.37, 0.55, 0.75, 1.1, 1.5,
                                                      2.2,  3.0,  4.0,  5.5, 7.5};
    const double need = 0.25 + 0.035 * flow;
    for (double s : kSizes)
        if (s >= need)
            return s;
    return kSizes.back();
}

std::map<std::string, std::string> characteristics(const AssetUnit& u, const UnitGeometry& g) {
    std::map<std::string, std::string> c;
    const bool two = !u.compressor2.empty() && u.count2 > 0;
    const bool cond = g.hasCondenser;
    const int fansTotal = cond ? u.fans * u.condenserCount : 0;
    const int total = std::max(u.count1, 1) + (two ? u.count2 : 0);

    c[kName] = u.name;
    c[kCapacity] = u.capacity > 0 ? num(u.capacity, 0.1) : "";
    std::string refrigerants;
    for (const auto& r : u.refrigerants)
        refrigerants += (refrigerants.empty() ? "" : ", ") + r;
    c[kRefrigerant] = refrigerants;
    c[kLevel] = u.level == 1   ? "низкотемпературный"
                : u.level == 2 ? "среднетемпературный"
                : u.level == 3 ? "высокотемпературный"
                               : "";
    c[kComp1] = u.compressor1;
    c[kComp2] = two ? u.compressor2 : "";
    c[kCount1] = std::to_string(std::max(u.count1, 1));
    c[kCount2] = two ? std::to_string(u.count2) : "";
    c[kCompAll] = two ? u.compressor1 + "+" + u.compressor2 : u.compressor1;
    c[kCountAll] = two ? c[kCount1] + "+" + c[kCount2] : c[kCount1];
    c[kCondenser] = cond ? u.condenser : "";
    c[kCondensers] = cond ? std::to_string(u.condenserCount) : "";
    c[kFans] = cond ? std::to_string(u.fans) : "";
    c[kPol] = cond ? u.pol : "";
    c[kFanPower] = cond ? commaNumber(u.fanPower) + "X" + std::to_string(fansTotal) : "";
    c[kFanCurrent] = cond ? commaNumber(u.fanCurrent) + "X" + std::to_string(fansTotal) : "";
    c[kCompPower] = u.power > 0 ? num(u.power, 0.01) : "";
    c[kCompCurrent] = u.current > 0 ? num(u.current, 0.01) : "";
    const double fanPower = fansTotal * u.fanPower;
    const double fanCurrent = fansTotal * u.fanCurrent;
    c[kSupply] = kSupplyText;
    c[kDimensions] =
        std::to_string(g.length) + "х" + std::to_string(g.depth) + "х" + std::to_string(g.height);
    c[kMass] = std::to_string(g.mass);
    const double capacity = u.capacity > 0 ? u.capacity : 1.0;
    c[kNoise] = std::to_string(static_cast<int>(std::lround(48 + 9 * std::log10(capacity))));
    c[kReceiver] = std::to_string(standardAbove(
        8 + 0.8 * capacity, {10, 16, 24, 30, 40, 60, 80, 100, 150, 200, 300, 400, 500}));
    c[kSteps] = std::to_string(total);

    // Chillers: water at 12/7 degC; flow from the capacity (c = 4.19 kJ/(kg K), 5 K).
    const double flow = capacity * 3.6 / (4.19 * 5.0);
    const double pumpPower = standardPumpPower(flow);
    const double pumpCurrent = std::round(pumpPower * 1.9 * 100) / 100;
    c[kCoolant] = "вода / раствор гликоля";
    c[kTempIn] = "12";
    c[kTempOut] = "7";
    c[kTemps] = "12/7";
    c[kFlow] = num(flow, 0.1);
    c[kEvaporator] = "кожухотрубный";
    c[kPressureDrop] = std::to_string(30 + 2 * total);
    c[kCircuits] = total >= 2 ? "2" : "1";
    c[kHydro] = "встроенный";
    c[kTank] = std::to_string(
        standardAbove(2.5 * capacity, {50, 100, 150, 200, 300, 500, 750, 1000, 1500}));
    c[kConnections] = "DN" + std::to_string(g.waterNominal);
    c[kSuctionLine] = std::to_string(g.suctionLine);
    c[kLiquidLine] = std::to_string(g.liquidLine);
    c[kPump] = "центробежный";
    c[kPumpPower] = commaNumber(pumpPower);
    c[kPumpCurrent] = commaNumber(pumpCurrent);

    const double compPower = readBack(c[kCompPower]);
    const double compCurrent = readBack(c[kCompCurrent]);
    const bool chiller = g.family == UnitFamily::Chiller;
    const bool pump =
        chiller && (u.kindCode == "glco" || u.kindCode == "glcr" || u.kindCode == "glck");
    c[kTotalPower] = roundedSum(compPower + fanPower + (pump ? pumpPower : 0));
    c[kTotalCurrent] = roundedSum(compCurrent + fanCurrent + (pump ? pumpCurrent : 0));
    return c;
}

}  // namespace

const std::vector<std::string>& techDataTables() {
    static const std::vector<std::string> kTables = {"out",  "agr",  "mka", "glco", "glcu",
                                                     "glcr", "glck", "ov",  "os",   "ol"};
    return kTables;
}

std::string techDataTable(const std::string& kindCode) {
    return kindCode == "on" ? std::string("ol") : kindCode;
}

std::vector<std::string> techDataFieldNames(const std::string& table) {
    if (table == "out")
        return {kKey,        kName,       kCapacity,   kRefrigerant,  kLevel,
                kComp1,      kComp2,      kCount1,     kCount2,       kCondenser,
                kCondensers, kFans,       kPol,        kCompPower,    kCompCurrent,
                kFanPower,   kFanCurrent, kTotalPower, kTotalCurrent, kSupply,
                kDimensions, kMass,       kNoise,      kSuctionLine,  kLiquidLine};
    if (table == "agr")
        return {kKey,      kName,     kCapacity,    kRefrigerant, kLevel,       kCompAll,
                kCountAll, kReceiver, kSupply,      kCompPower,   kCompCurrent, kDimensions,
                kMass,     kNoise,    kSuctionLine, kLiquidLine};
    if (table == "mka")
        return {kKey,        kName,   kCapacity, kRefrigerant, kLevel,     kComp1,       kComp2,
                kCount1,     kCount2, kReceiver, kCompPower,   kSupply,    kCompCurrent, kSteps,
                kDimensions, kMass,   kNoise,    kSuctionLine, kLiquidLine};
    if (table == "glco" || table == "glcr" || table == "glck")
        return {kKey,          kName,      kCapacity,   kRefrigerant,  kCoolant,    kTempIn,
                kTempOut,      kFlow,      kEvaporator, kPressureDrop, kCompPower,  kTotalPower,
                kTotalCurrent, kSupply,    kCircuits,   kSteps,        kHydro,      kTank,
                kConnections,  kNoise,     kComp1,      kComp2,        kCount1,     kCount2,
                kCompCurrent,  kCondenser, kCondensers, kFans,         kPol,        kFanCurrent,
                kFanPower,     kPump,      kPumpPower,  kPumpCurrent,  kDimensions, kMass};
    if (table == "glcu")
        return {kKey,        kName,         kCapacity,   kRefrigerant,  kCoolant,    kTempIn,
                kTempOut,    kFlow,         kEvaporator, kPressureDrop, kCompPower,  kTotalPower,
                kCircuits,   kTotalCurrent, kSupply,     kSteps,        kTank,       kConnections,
                kNoise,      kComp1,        kComp2,      kCount1,       kCount2,     kCompCurrent,
                kCondenser,  kCondensers,   kFans,       kPol,          kFanCurrent, kFanPower,
                kDimensions, kMass};
    if (table == "ov" || table == "os" || table == "ol")
        return {kKey,         kName,  kCapacity, kRefrigerant, kCoolant,    kEvaporator,
                kComp1,       kComp2, kCount1,   kCount2,      kCompPower,  kSupply,
                kCompCurrent, kFlow,  kTemps,    kCondenser,   kDimensions, kMass};
    return {};
}

std::vector<std::string> techDataValues(const AssetUnit& unit, const UnitGeometry& geometry) {
    const auto names = techDataFieldNames(techDataTable(unit.kindCode));
    const auto c = characteristics(unit, geometry);
    std::vector<std::string> values;
    for (std::size_t i = 1; i < names.size(); ++i) {
        const auto it = c.find(names[i]);
        values.push_back(it == c.end() ? std::string() : it->second);
    }
    return values;
}

bool writeTechDatabase(const std::filesystem::path& file,
                       const std::map<std::string, std::vector<TechDataRow>>& rows,
                       std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    std::filesystem::path temp = file;
    temp += ".tmp";
    std::error_code ec;
    std::filesystem::remove(temp, ec);

    const QString connection =
        QStringLiteral("tundrix-datagen-td-") + QString::number(reinterpret_cast<quintptr>(&rows));
    bool ok = true;
    std::string why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QString::fromStdString(temp.string()));
        if (!db.open()) {
            ok = false;
            why = "cannot create " + temp.string() + ": " + db.lastError().text().toStdString();
        }
        QSqlQuery q(db);
        auto exec = [&](const QString& sql) {
            if (ok && !q.exec(sql)) {
                ok = false;
                why = "TD.sqlite: " + q.lastError().text().toStdString();
            }
        };
        exec(QStringLiteral("PRAGMA journal_mode=OFF"));
        exec(QStringLiteral("BEGIN"));
        for (const auto& table : techDataTables()) {
            const auto names = techDataFieldNames(table);
            QString create =
                QStringLiteral("CREATE TABLE \"%1\" (").arg(QString::fromStdString(table));
            QString insert =
                QStringLiteral("INSERT INTO \"%1\" VALUES (?").arg(QString::fromStdString(table));
            for (std::size_t i = 0; i < names.size(); ++i) {
                create +=
                    (i ? QStringLiteral(", \"") : QStringLiteral("\"")) +
                    QString::fromStdString(names[i]) +
                    (i ? QStringLiteral("\" TEXT") : QStringLiteral("\" INTEGER PRIMARY KEY"));
                if (i)
                    insert += QStringLiteral(", ?");
            }
            exec(create + ")");
            const auto found = rows.find(table);
            if (!ok || found == rows.end())
                continue;
            if (!q.prepare(insert + ")")) {
                ok = false;
                why = "TD.sqlite: " + q.lastError().text().toStdString();
                break;
            }
            for (const auto& row : found->second) {
                q.bindValue(0, row.key);
                for (std::size_t i = 1; i < names.size(); ++i) {
                    const std::string v = i - 1 < row.values.size() ? row.values[i - 1] : "";
                    q.bindValue(static_cast<int>(i), QString::fromStdString(v));
                }
                if (!q.exec()) {
                    ok = false;
                    why = "TD.sqlite: " + q.lastError().text().toStdString();
                    break;
                }
            }
        }
        exec(QStringLiteral("COMMIT"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok) {
        std::filesystem::remove(temp, ec);
        return fail(why);
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return fail("cannot write " + file.string() + ": " + ec.message());
    }
    return true;
}

}  // namespace tundrix::datagen
