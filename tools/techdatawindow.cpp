#include "tools/techdatawindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "catalogue/datadir.h"
#include "catalogue/fileio.h"
#include "techdata/techdatamodule.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

// The technical-data module as the window's rules see a table.
class ModuleStore : public TechRecordStore {
public:
    explicit ModuleStore(TechDataModule& m) : m_(m) {}
    int fieldCount() const override { return m_.fieldCount(); }
    std::string fieldName(int field) const override { return m_.fieldName(field).toStdString(); }
    std::string value(int record, int field) const override {
        return m_.value(record, field).toStdString();
    }
    int recordNo(const std::string& name) override { return m_.recordNo(qs(name)); }
    bool updateRecord(int record, const std::vector<std::string>& values) override {
        return m_.updateRecord(record, list(values));
    }
    bool appendRecord(const std::vector<std::string>& values) override {
        return m_.appendRecord(list(values));
    }
    int currentRecord() const override { return m_.currentRecord(); }
    std::string lastError() const override { return m_.lastError().toStdString(); }

private:
    static QStringList list(const std::vector<std::string>& values) {
        QStringList l;
        for (const std::string& v : values)
            l << qs(v);
        return l;
    }
    TechDataModule& m_;
};

const Condenserprop& noCondensers() {
    static const Condenserprop empty;
    return empty;
}

}  // namespace

TechDataWindow::TechDataWindow(const std::filesystem::path& dataDir, QWidget* parent)
    : QWidget(parent, Qt::Window), dataDir_(dataDir) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Технические данные"));
    openUrl_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    stringGrid1_ = new QTableWidget(2, 2, this);
    stringGrid1_->setObjectName(QStringLiteral("StringGrid1"));
    stringGrid1_->horizontalHeader()->hide();
    stringGrid1_->verticalHeader()->hide();
    stringGrid1_->setWordWrap(false);
    stringGrid1_->verticalHeader()->setDefaultSectionSize(20);
    stringGrid1_->setColumnWidth(0, 292);
    stringGrid1_->setColumnWidth(1, 309);
    stringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click computes the sum fields, so typing or F2 starts an edit.
    stringGrid1_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed |
                                  QAbstractItemView::SelectedClicked);

    auto* label1 = new QLabel(QStringLiteral("Название агрегата"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    auto* ok = new QPushButton(QStringLiteral("ОК"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* drawing = new QPushButton(QStringLiteral("Посмотреть чертеж"), this);
    drawing->setObjectName(QStringLiteral("Button2"));

    auto* top = new QHBoxLayout;
    top->addWidget(label1);
    top->addWidget(edit1_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(drawing);
    bottom->addWidget(label2_);
    bottom->addStretch();
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(stringGrid1_);
    layout->addLayout(bottom);
    resize(640, 600);

    connect(ok, &QPushButton::clicked, this, &TechDataWindow::Button1Click);
    connect(drawing, &QPushButton::clicked, this, &TechDataWindow::Button2Click);
    connect(stringGrid1_, &QTableWidget::cellDoubleClicked, this,
            [this](int, int) { StringGrid1DblClick(); });
    connect(stringGrid1_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (column == 1 && row >= 2)
            form_.setValue(row, stringGrid1_->item(row, column)->text().toStdString());
    });
}

TechDataWindow::~TechDataWindow() = default;

void TechDataWindow::openFor(EditorRowAccess* row) {
    row_ = row;
    if (isVisible())
        fillWindow();
    else
        show();
    raise();
    activateWindow();
}

void TechDataWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Filled when the program opens the window, not when the window system shows it again
    // after minimising: that would throw away what the user has typed.
    if (!event->spontaneous())
        fillWindow();
}

QString TechDataWindow::tableName() const {
    return module_ ? module_->tableName() : QString();
}

void TechDataWindow::message(const QString& text) {
    QMessageBox::warning(this, windowTitle(), text);
}

void TechDataWindow::fillWindow() {
    if (!module_ || !row_)
        return;
    // The editor opens the table of its kind when a kind is chosen; one that was never opened
    // (or failed to open) is tried once more here, so the maintainer learns why it is missing.
    if (!module_->isOpen() && !module_->open()) {
        message(QStringLiteral("Таблица технических данных \"%1\" не открыта:\n%2")
                    .arg(module_->tableName(), module_->lastError()));
        return;
    }
    ModuleStore store(*module_);
    const auto error = form_.fill(store, tableName().toStdString(), *row_,
                                  condensers_ ? *condensers_ : noCondensers(), decimalSeparator());
    showForm();
    if (error)
        message(QStringLiteral("Заполнение остановлено: ") + qs(*error));
}

void TechDataWindow::showForm() {
    const QSignalBlocker block(stringGrid1_);
    const int rows = std::max(form_.rowCount(), 2);
    stringGrid1_->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 2; ++c) {
            QTableWidgetItem* item = stringGrid1_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                stringGrid1_->setItem(r, c, item);
            }
            item->setText(qs(c == 0 ? form_.name(r) : form_.value(r)));
            // Two fixed rows (headings, unit name) and the fixed column of field names.
            if (r < 2 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
                item->setBackground(palette().base());
            }
        }
}

void TechDataWindow::StringGrid1DblClick() {
    if (!row_)
        return;
    const int row = stringGrid1_->currentRow();
    const std::string& table = form_.filledTable();
    if (!form_.isSumField(table, row))
        return;
    const auto error = form_.computeSum(
        table, row, *row_, condensers_ ? *condensers_ : noCondensers(), decimalSeparator());
    if (error) {
        message(QStringLiteral("Сумма не посчитана: ") + qs(*error));
        return;
    }
    const QSignalBlocker block(stringGrid1_);
    stringGrid1_->item(row, 1)->setText(qs(form_.value(row)));
}

void TechDataWindow::Button1Click() {
    if (!module_ || !row_ || !module_->isOpen()) {
        message(QStringLiteral("Запись не сохранена: таблица технических данных не открыта."));
        return;
    }
    if (const auto refusal = catalogueWriteRefusal(dataDir_)) {
        message(QStringLiteral("Запись не сохранена в %1:\n%2")
                    .arg(QString::fromStdString(module_->databaseFile().string()), qs(*refusal)));
        return;
    }
    // The shared table may have been switched since the window was filled (a cursor move on
    // another kind tab, another kind in the editor): the record goes into the table it was
    // filled from, and the table that was open is opened again afterwards.
    const QString filled = qs(form_.filledTable());
    if (filled.isEmpty()) {
        message(QStringLiteral("Запись не сохранена: окно не заполнено ни из одной таблицы."));
        return;
    }
    const QString current = module_->tableName();
    auto reopen = [this](const QString& table) {
        module_->close();
        module_->setTableName(table);
        return module_->open();
    };
    if (current != filled && !reopen(filled)) {
        message(QStringLiteral("Запись не сохранена: таблица технических данных \"%1\" не "
                               "открыта:\n%2")
                    .arg(filled, module_->lastError()));
        reopen(current);
        return;
    }
    ModuleStore store(*module_);
    std::string error;
    const QString file = QString::fromStdString(module_->databaseFile().string());
    const TechForm::WriteBack written = form_.writeBack(store, filled.toStdString(), *row_, &error);
    // A table that does not open again is opened once more by whoever reads it next.
    if (current != filled)
        reopen(current);
    switch (written) {
        case TechForm::WriteBack::Refused:
            message(QStringLiteral("Запись не сохранена в %1:\n%2").arg(file, qs(error)));
            return;
        case TechForm::WriteBack::StoredUnread:
            message(QStringLiteral("Запись сохранена в %1, но таблицу не удалось прочитать "
                                   "заново, поэтому ее код не внесен в список агрегатов:\n%2")
                        .arg(file, qs(error)));
            break;
        case TechForm::WriteBack::Stored:
            break;
    }
    close();
}

void TechDataWindow::Button2Click() {
    if (!row_)
        return;
    // Only a file inside the data folder is handed to the system.
    const auto file = resolveDataPath(dataDir_, row_->editorCell(ColDrawing));
    std::error_code ec;
    if (!file || !std::filesystem::is_regular_file(*file, ec)) {
        label2_->setText(QStringLiteral("нет"));
        return;
    }
    label2_->setText(QStringLiteral("да"));
    openUrl_(QUrl::fromLocalFile(QString::fromStdString(file->string())));
}

}  // namespace tundrix
