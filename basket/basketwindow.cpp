#include "basket/basketwindow.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <span>

#include "basket/basketcsv.h"
#include "catalogue/fileio.h"

namespace tundrix {

namespace {

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

char localeSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

constexpr std::array<int, Basket::kColumns> kColumnWidths = {127, 139, 46, 64, 64};

}  // namespace

BasketWindow::BasketWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), basket_(localeSeparator()) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Корзина"));

    grid_ = new QTableWidget(basket_.rowCount(), Basket::kColumns, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    // Row 0 of the grid is its heading row, as in the other grids of the program.
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    // One line per item, cut at the column edge, as a string grid shows its cells.
    grid_->setWordWrap(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    for (int c = 0; c < Basket::kColumns; ++c)
        grid_->setColumnWidth(c, kColumnWidths[std::size_t(c)]);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);

    total_ = new QLineEdit(this);
    total_->setObjectName(QStringLiteral("Edit1"));
    total_->setReadOnly(true);

    auto* deleteButton = new QPushButton(QStringLiteral("Удалить"), this);
    deleteButton->setObjectName(QStringLiteral("Button1"));
    auto* closeButton = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("Button2"));
    auto* offerButton = new QPushButton(QStringLiteral("Коммерческое предложение..."), this);
    offerButton->setObjectName(QStringLiteral("Button3"));
    auto* csvButton = new QPushButton(QStringLiteral("Экспорт в CSV..."), this);
    csvButton->setObjectName(QStringLiteral("Button4"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(total_);
    bottom->addStretch();
    bottom->addWidget(deleteButton);
    bottom->addWidget(closeButton);
    auto* documents = new QHBoxLayout;
    documents->addWidget(offerButton);
    documents->addWidget(csvButton);
    documents->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(bottom);
    layout->addLayout(documents);
    resize(480, 330);

    connect(grid_, &QTableWidget::cellChanged, this, &BasketWindow::cellEdited);
    connect(grid_, &QWidget::customContextMenuRequested, this, &BasketWindow::recompute);
    connect(deleteButton, &QPushButton::clicked, this, &BasketWindow::deleteCurrentRow);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(offerButton, &QPushButton::clicked, this, &BasketWindow::offerRequested);
    connect(csvButton, &QPushButton::clicked, this, &BasketWindow::askCsvFile);
    refresh();
}

void BasketWindow::setDecimalSeparator(char separator) {
    basket_.setDecimalSeparator(separator);
}

void BasketWindow::showEvent(QShowEvent* event) {
    basket_.writeHeadings();
    refresh();
    QWidget::showEvent(event);
}

void BasketWindow::setItems(const std::vector<Basket::Item>& items) {
    basket_.setItems(items);
    refresh();
}

void BasketWindow::askCsvFile() {
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Экспорт в CSV"),
                                                QStringLiteral("Корзина.csv"),
                                                QStringLiteral("Таблица CSV (*.csv)"));
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        file += QStringLiteral(".csv");
    exportCsv(file);
}

bool BasketWindow::exportCsv(const QString& file) {
    const std::string csv = basketCsv(basket_);
    std::string error;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(csv.data());
    if (writeFileAtomic(file.toStdString(), std::span<const std::uint8_t>(bytes, csv.size()),
                        &error))
        return true;
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("Файл %1 не записан: %2").arg(file, qs(error)));
    return false;
}

void BasketWindow::addUnit(const QString& typeText, const QString& name, const QString& price,
                           const std::optional<BasketUnit>& source) {
    show();
    raise();
    const std::string unit = name.toStdString();
    const auto result = basket_.add(typeText.toStdString(), unit, price.toStdString(), source);
    refresh();
    if (result == Basket::AddResult::QuantityNotNumber) {
        // The unit's row is the last one with its name; say which text is in the way.
        QString quantity;
        for (int k = 1; k < basket_.rowCount(); ++k)
            if (basket_.cell(Basket::Model, k) == unit)
                quantity = qs(basket_.cell(Basket::Quantity, k));
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Количество «%1» у модели «%2» не является числом, поэтому к нему "
                           "нельзя добавить ещё одну единицу. Исправьте количество в корзине.")
                .arg(quantity, name));
        return;
    }
    if (result != Basket::AddResult::NoName)
        grid_->setCurrentCell(basket_.lastAddedRow(), Basket::Quantity);
}

void BasketWindow::addFromResultTable(int resultTable, const QString& name, const QString& price,
                                      const std::optional<BasketUnit>& unit) {
    addUnit(qs(std::string(Basket::typeText(resultTable))), name, price, unit);
}

void BasketWindow::deleteCurrentRow() {
    const int row = grid_->currentRow();
    basket_.deleteRow(row);
    refresh();
    if (row >= 1)
        grid_->setCurrentCell(std::min(row, basket_.rowCount() - 1),
                              std::max(grid_->currentColumn(), 0));
}

void BasketWindow::cellEdited(int row, int column) {
    const QTableWidgetItem* item = grid_->item(row, column);
    basket_.setCell(column, row, item ? item->text().toStdString() : std::string());
    recompute();
}

void BasketWindow::recompute() {
    basket_.recompute();
    refresh();
}

void BasketWindow::refresh() {
    const QSignalBlocker block(grid_);
    grid_->setRowCount(basket_.rowCount());
    for (int r = 0; r < basket_.rowCount(); ++r) {
        for (int c = 0; c < Basket::kColumns; ++c) {
            const QString text = qs(basket_.cell(c, r));
            QTableWidgetItem* item = grid_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid_->setItem(r, c, item);
            }
            if (item->text() != text)
                item->setText(text);
            if (r == 0) {
                // The heading row is fixed: shaded and not editable.
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
        }
    }
    total_->setText(qs(basket_.total()));
}

}  // namespace tundrix
