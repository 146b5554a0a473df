#include "tools/tablebuilderwindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "catalogue/datadir.h"
#include "catalogue/refrigerants.h"
#include "selection/numbers.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

// A grid whose row 0 is its heading row (fixed, shaded) and, optionally, column 0 too.
QTableWidget* makeGrid(QWidget* parent, const char* name, int rows, int columns) {
    auto* g = new QTableWidget(rows, columns, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setWordWrap(false);
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 8);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            g->setItem(r, c, new QTableWidgetItem);
    return g;
}

QTableWidgetItem* cell(QTableWidget* g, int row, int column) {
    QTableWidgetItem* item = g->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        g->setItem(row, column, item);
    }
    return item;
}

void setFixed(QTableWidget* g, int row, int column, const QString& text) {
    QTableWidgetItem* item = cell(g, row, column);
    item->setText(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(g->palette().button());
}

void setReadOnlyCell(QTableWidget* g, int row, int column, const QString& text) {
    QTableWidgetItem* item = cell(g, row, column);
    item->setText(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text = {}) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

const char* const kPolynomial =
    "y = c1 + c2*to + c3*tc + c4*to^2 + c5*to*tc + c6*tc^2 + c7*to^3 + c8*tc*to^2 + "
    "c9*to*tc^2 + c10*tc^3";

}  // namespace

TableBuilderWindow::TableBuilderWindow(const std::filesystem::path& dataDir, QWidget* parent)
    : QWidget(parent, Qt::Window), dataDir_(dataDir) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Создание таблицы компрессоров"));
    buildControls();
}

void TableBuilderWindow::buildControls() {
    stringGrid1_ = makeGrid(this, "StringGrid1", 11, 6);
    stringGrid2_ = makeGrid(this, "StringGrid2", 11, 5);
    stringGrid2_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGrid3_ = makeGrid(this, "StringGrid3", 3, 2);
    stringGrid3_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGrid3_->setColumnWidth(0, 200);
    stringGrid4_ = makeGrid(this, "StringGrid4", 7, 2);
    for (QTableWidget* g : {stringGrid1_, stringGrid2_, stringGrid4_})
        for (int c = 0; c < g->columnCount(); ++c)
            g->setColumnWidth(c, g == stringGrid2_ && c == 0 ? 36 : 72);

    auto* label6 = new QLabel(QString::fromLatin1(kPolynomial), this);
    label6->setObjectName(QStringLiteral("Label6"));

    edit1_ = makeEdit(this, "Edit1", QStringLiteral("-10"));
    edit2_ = makeEdit(this, "Edit2", QStringLiteral("45"));
    edit3_ = makeEdit(this, "Edit3");
    edit4_ = makeEdit(this, "Edit4");
    edit5_ = makeEdit(this, "Edit5");
    edit9_ = makeEdit(this, "Edit9");
    edit8_ = makeEdit(this, "Edit8");
    // Rating conditions of the catalogue points, shown for reference only.
    QLineEdit* edit6 = makeEdit(this, "Edit6", QStringLiteral("10"));
    QLineEdit* edit7 = makeEdit(this, "Edit7", QStringLiteral("0"));

    auto* groupBox1 = new QGroupBox(QStringLiteral("Хладагент"), this);
    groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* g1 = new QVBoxLayout(groupBox1);
    // One button per refrigerant that has a coefficient table: the four sections of the brand
    // files (RadioButton1..4, by section), then the refrigerants with files of their own
    // (RadioButton8 for the sixth of the table, and so on by index).
    for (int r = 0; r < kRefrigerants; ++r) {
        if (coefSection(r) < 0)
            continue;
        const Refrigerant& e = refrigerantEntry(r);
        auto* b = new QRadioButton(qs(e.builderCaption), groupBox1);
        b->setObjectName(QStringLiteral("RadioButton%1")
                             .arg(e.scheme == FileScheme::Original ? coefSection(r) + 1 : r + 3));
        g1->addWidget(b);
        refrigerantButtons_.push_back(b);
        connect(b, &QRadioButton::clicked, this, [this, r] { refrigerantClick(r); });
    }
    auto* groupBox2 = new QGroupBox(QStringLiteral("Марка компрессора"), this);
    groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* g2 = new QVBoxLayout(groupBox2);
    const char* brandCaptions[3] = {"Bock", "Bitzer", "Copeland Stream"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(brandCaptions[i]), groupBox2);
        b->setObjectName(QStringLiteral("RadioButton%1").arg(i + 5));
        g2->addWidget(b);
        brandButtons_[i] = b;
        connect(b, &QRadioButton::clicked, this, [this, i] { brandClick(i + 1); });
    }

    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->setMinimumWidth(180);
    connect(comboBox1_, &QComboBox::activated, this, &TableBuilderWindow::compressorChosen);
    checkBox1_ = new QCheckBox(QStringLiteral("Только последний столбец"), this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));

    struct ButtonSpec {
        const char* name;
        const char* caption;
        void (TableBuilderWindow::*handler)();
    };
    const ButtonSpec buttons[] = {
        {"Button1", "Коэффициенты", &TableBuilderWindow::coefficientsClick},
        {"Button2", "расчет ", &TableBuilderWindow::calculateClick},
        {"Button3", "Внести", &TableBuilderWindow::enterClick},
        {"Button4", "Записать", &TableBuilderWindow::writeClick},
        {"Button5", "открыть", &TableBuilderWindow::openClick},
        {"Button6", "Удалить последний", &TableBuilderWindow::removeClick},
        {"Button7", "перегнать", &TableBuilderWindow::convertClick},
    };
    auto* buttonRow = new QHBoxLayout;
    for (const ButtonSpec& button : buttons) {
        auto* b = new QPushButton(QString::fromUtf8(button.caption), this);
        b->setObjectName(QString::fromLatin1(button.name));
        connect(b, &QPushButton::clicked, this, button.handler);
        buttonRow->addWidget(b);
    }
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("Button8"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttonRow->addWidget(close);

    auto labelled = [this](const QString& text, QWidget* w) {
        auto* box = new QVBoxLayout;
        auto* label = new QLabel(text, this);
        label->setBuddy(w);
        box->addWidget(label);
        box->addWidget(w);
        return box;
    };

    auto* trial = new QHBoxLayout;
    trial->addLayout(labelled(QStringLiteral("t0"), edit1_));
    trial->addLayout(labelled(QStringLiteral("tc"), edit2_));
    trial->addLayout(labelled(QStringLiteral("Q"), edit3_));
    trial->addLayout(labelled(QStringLiteral("W"), edit4_));
    trial->addLayout(labelled(QStringLiteral("Ia"), edit5_));
    trial->addLayout(labelled(QStringLiteral("Qmo"), edit9_));
    trial->addLayout(labelled(QStringLiteral("Перегрев"), edit6));
    trial->addLayout(labelled(QStringLiteral("Переохлаждение"), edit7));

    auto* grids = new QHBoxLayout;
    grids->addWidget(stringGrid1_, 3);
    grids->addWidget(stringGrid2_, 3);
    grids->addLayout(labelled(QStringLiteral("Граничные условия"), stringGrid4_), 1);

    auto* side = new QVBoxLayout;
    side->addWidget(groupBox1);
    side->addWidget(groupBox2);
    side->addWidget(comboBox1_);
    side->addLayout(labelled(QStringLiteral("Название компрессора"), edit8_));
    side->addWidget(checkBox1_);
    side->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(stringGrid3_, 2);
    middle->addLayout(side, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label6);
    layout->addLayout(grids, 3);
    layout->addLayout(trial);
    layout->addLayout(middle, 2);
    layout->addLayout(buttonRow);
    resize(1000, 720);
}

void TableBuilderWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the program opening the window starts it afresh; the window system's show events
    // (a restore after minimising) leave the refrigerant and the entries as they are.
    if (event->spontaneous())
        return;
    const char* pointHeadings[6] = {"Q0", "W", "I", "Qmo", "t0", "tc"};
    for (int c = 0; c < 6; ++c)
        setFixed(stringGrid1_, 0, c, QString::fromLatin1(pointHeadings[c]));
    const char* setHeadings[5] = {"", "c", "cw", "ci", "mo"};
    for (int c = 0; c < 5; ++c)
        setFixed(stringGrid2_, 0, c, QString::fromLatin1(setHeadings[c]));
    for (int r = 1; r <= 10; ++r)
        setFixed(stringGrid2_, r, 0, QString::number(r));
    setFixed(stringGrid4_, 0, 0, QStringLiteral("Xi"));
    setFixed(stringGrid4_, 0, 1, QStringLiteral("Yi"));
    setFixed(stringGrid3_, 0, 0, QStringLiteral("Название компрессора"));
    setFixed(stringGrid3_, 0, 1, QStringLiteral("Хладагент"));
    // No refrigerant until one is chosen again.
    builder_.setRefrigerant(TableBuilder::kNoRefrigerant);
    for (QRadioButton* b : refrigerantButtons_) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

QString TableBuilderWindow::number(double v) const {
    return qs(formatGeneral(v, decimalSeparator()));
}

double TableBuilderWindow::cellNumber(QTableWidget* grid, int row, int column) const {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? readNumber(item->text().toStdString(), decimalSeparator(), 0.0) : 0.0;
}

double TableBuilderWindow::editNumber(QLineEdit* edit) const {
    return readNumber(edit->text().toStdString(), decimalSeparator(), 0.0);
}

void TableBuilderWindow::fail(const QString& what, const std::string& reason) {
    QMessageBox::warning(this, windowTitle(), what + QStringLiteral(":\n") + qs(reason));
}

void TableBuilderWindow::refrigerantClick(int refrigerant) {
    builder_.setRefrigerant(refrigerant);
    openClick();
}

void TableBuilderWindow::brandClick(int brand) {
    builder_.setBrandFile(std::string(brandFileName(brand)));
    openClick();
}

void TableBuilderWindow::openClick() {
    std::string error, note;
    if (!builder_.open(dataDir_, &error, &note)) {
        fail(QStringLiteral("Файл коэффициентов не прочитан"), error);
        return;
    }
    showLists();
    if (!note.empty())
        fail(QStringLiteral("Файл коэффициентов прочитан не полностью"), note);
}

void TableBuilderWindow::showLists() {
    comboBox1_->clear();
    for (const std::string& name : builder_.compressorNames())
        comboBox1_->addItem(qs(name));
    comboBox1_->setCurrentIndex(-1);
    const auto& listed = builder_.listed();
    stringGrid3_->setRowCount(int(listed.size()) + 1);
    for (int r = 1; r <= int(listed.size()); ++r) {
        setReadOnlyCell(stringGrid3_, r, 0, qs(listed[std::size_t(r - 1)].name));
        setReadOnlyCell(stringGrid3_, r, 1, qs(listed[std::size_t(r - 1)].label));
    }
}

void TableBuilderWindow::compressorChosen(int index) {
    std::string name;
    CoefImage::Envelope env{};
    if (!builder_.choose(index, &name, &env))
        return;
    edit8_->setText(qs(name));
    showSets();
    for (int i = 0; i < 6; ++i) {
        cell(stringGrid4_, i + 1, 0)->setText(number(env[std::size_t(2 * i)]));
        cell(stringGrid4_, i + 1, 1)->setText(number(env[std::size_t(2 * i + 1)]));
    }
}

void TableBuilderWindow::showSets() {
    // Only the display is rounded to thousandths; the sets keep every digit.
    for (int set = 0; set < 4; ++set)
        for (int k = 0; k < 10; ++k)
            setReadOnlyCell(stringGrid2_, k + 1, set + 1,
                            number(roundThousandths(builder_.sets()[set][std::size_t(k)])));
}

void TableBuilderWindow::coefficientsClick() {
    const bool fourthOnly = checkBox1_->isChecked();
    PointTable points{};
    for (int q = 0; q < 10; ++q)
        for (int c = fourthOnly ? PointQmo : PointQ0; c <= PointTc; ++c)
            points[std::size_t(q)][std::size_t(c)] = cellNumber(stringGrid1_, q + 1, c);
    fitCoefSets(points, fourthOnly, builder_.sets());
    showSets();
}

void TableBuilderWindow::calculateClick() {
    const auto v = evaluateCoefSets(builder_.sets(), editNumber(edit1_), editNumber(edit2_));
    edit3_->setText(number(v[0]));
    edit4_->setText(number(v[1]));
    edit5_->setText(number(v[2]));
    edit9_->setText(number(v[3]));
}

void TableBuilderWindow::enterClick() {
    CoefImage::Envelope env{};
    for (int i = 0; i < 6; ++i) {
        env[std::size_t(2 * i)] = cellNumber(stringGrid4_, i + 1, 0);
        env[std::size_t(2 * i + 1)] = cellNumber(stringGrid4_, i + 1, 1);
    }
    const std::string name = edit8_->text().toStdString();
    const auto result = builder_.enter(name, env);
    const auto& listed = builder_.listed();
    if (stringGrid3_->rowCount() != int(listed.size()) + 1)
        stringGrid3_->setRowCount(int(listed.size()) + 1);
    for (int r = 1; r <= int(listed.size()); ++r) {
        setReadOnlyCell(stringGrid3_, r, 0, qs(listed[std::size_t(r - 1)].name));
        setReadOnlyCell(stringGrid3_, r, 1, qs(listed[std::size_t(r - 1)].label));
    }
    if (result == TableBuilder::EnterResult::NoFreeRecord)
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Компрессор \"%1\" не внесен: в таблице %2 нет свободной записи "
                           "(все 150 заняты). Удалите ненужный компрессор и повторите.")
                .arg(edit8_->text(), qs(builder_.label())));
}

void TableBuilderWindow::writeClick() {
    if (const auto refusal = catalogueWriteRefusal(dataDir_)) {
        fail(QStringLiteral("Файл коэффициентов не записан"), *refusal);
        return;
    }
    std::string error;
    if (!builder_.write(dataDir_, &error))
        fail(QStringLiteral("Файл коэффициентов не записан"), error);
    else if (written_)
        written_();
}

void TableBuilderWindow::removeClick() {
    builder_.removeName(edit8_->text().toStdString());
}

void TableBuilderWindow::convertClick() {
    if (const auto refusal = catalogueWriteRefusal(dataDir_)) {
        fail(QStringLiteral("Файл коэффициентов не преобразован"), *refusal);
        return;
    }
    std::string error, note;
    if (!builder_.convert(dataDir_, &error, &note)) {
        fail(QStringLiteral("Файл коэффициентов не преобразован"), error);
        return;
    }
    if (!note.empty())
        fail(QStringLiteral("Файл коэффициентов преобразован из неполного файла"), note);
    if (written_)
        written_();
}

}  // namespace tundrix
