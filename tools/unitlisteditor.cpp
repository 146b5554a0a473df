#include "tools/unitlisteditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <string>
#include <utility>

#include "catalogue/datadir.h"
#include "catalogue/pricefile.h"
#include "catalogue/refrigerants.h"
#include "techdata/techdatamodule.h"
#include "tools/datafilebrowser.h"
#include "tools/pricefillcore.h"
#include "widgets/widgetstyle.h"

namespace tundrix {

namespace {

QRadioButton* radio(QWidget* box, QButtonGroup* group, QLayout* layout, const char* name,
                    const QString& caption, int id) {
    auto* b = new QRadioButton(caption, box);
    b->setObjectName(QString::fromLatin1(name));
    group->addButton(b, id);
    layout->addWidget(b);
    return b;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

UnitListEditor::UnitListEditor(MaintenanceContext context, TechDataModule* techData,
                               DataFileBrowser* browser, QWidget* parent)
    : QWidget(parent, Qt::Window),
      context_(std::move(context)),
      techData_(techData),
      browser_(browser),
      readTable_(std::make_unique<UnitListTable>()),
      writeTable_(std::make_unique<UnitListTable>()) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Редактор списка агрегатов"));
    resize(1000, 600);

    // Radio groups: ids are the values EditorChoices takes.
    auto* groupBox1 = new QGroupBox(QStringLiteral("тип агрегата"), this);
    groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* l1 = new QVBoxLayout(groupBox1);
    levelGroup_ = new QButtonGroup(this);
    radio(groupBox1, levelGroup_, l1, "RadioButton1", QStringLiteral("Низкотемпературный"), 1);
    radio(groupBox1, levelGroup_, l1, "RadioButton2", QStringLiteral("Среднетемпературный"), 2);
    radio(groupBox1, levelGroup_, l1, "RadioButton3", QStringLiteral("Высокотемпературный"), 3);

    auto* groupBox2 = new QGroupBox(QStringLiteral("Хладагент"), this);
    groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    // The five original refrigerants keep their buttons; the later ones stand in a second
    // column, named RadioButton21, RadioButton22, ... by their index.
    auto* l2 = new QHBoxLayout(groupBox2);
    auto* l2a = new QVBoxLayout;
    auto* l2b = new QVBoxLayout;
    l2->addLayout(l2a);
    l2->addLayout(l2b);
    refrigerantGroup_ = new QButtonGroup(this);
    static constexpr std::array<const char*, 5> kOriginalButtons = {
        "RadioButton4", "RadioButton5", "RadioButton6", "RadioButton7", "RadioButton17"};
    for (int r = 0; r < kRefrigerants; ++r) {
        const Refrigerant& e = refrigerantEntry(r);
        const bool original = e.scheme == FileScheme::Original;
        const std::string name =
            original ? kOriginalButtons.at(std::size_t(r)) : "RadioButton" + std::to_string(16 + r);
        radio(groupBox2, refrigerantGroup_, original ? l2a : l2b, name.c_str(), qs(e.editorCaption),
              r);
    }
    l2b->addStretch();

    auto* groupBox3 = new QGroupBox(QStringLiteral("Марка компрессора"), this);
    groupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* l3 = new QVBoxLayout(groupBox3);
    brandGroup_ = new QButtonGroup(this);
    radio(groupBox3, brandGroup_, l3, "RadioButton8", QStringLiteral("Copeland"),
          int(EditorBrand::Copeland));
    radio(groupBox3, brandGroup_, l3, "RadioButton9", QStringLiteral("Bock"),
          int(EditorBrand::Bock));
    radio(groupBox3, brandGroup_, l3, "RadioButton13", QStringLiteral("bitzer"),
          int(EditorBrand::Bitzer));
    radio(groupBox3, brandGroup_, l3, "RadioButton15", QStringLiteral("dwmcop"),
          int(EditorBrand::Dwmcop));

    auto* groupBox4 = new QGroupBox(QStringLiteral("Вид машины"), this);
    groupBox4->setObjectName(QStringLiteral("GroupBox4"));
    auto* l4 = new QVBoxLayout(groupBox4);
    kindGroup_ = new QButtonGroup(this);
    radio(groupBox4, kindGroup_, l4, "RadioButton10", QStringLiteral("Компрессорно конденсаторные"),
          int(EditorKind::Out))
        ->setChecked(true);
    radio(groupBox4, kindGroup_, l4, "RadioButton11", QStringLiteral("компрессорно ресиверные"),
          int(EditorKind::Agr));
    radio(groupBox4, kindGroup_, l4, "RadioButton12", QStringLiteral("Водоохлаждающие"),
          int(EditorKind::Chiller));
    radio(groupBox4, kindGroup_, l4, "RadioButton16", QStringLiteral("ГЛЦУ"),
          int(EditorKind::GlcuButton));
    radio(groupBox4, kindGroup_, l4, "RadioButton19", QStringLiteral("Многокомпрессорные"),
          int(EditorKind::Mka));
    comboBox1_ = new QComboBox(groupBox4);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->addItems({QStringLiteral("ГЛЦО"), QStringLiteral("ГЛЦУ"), QStringLiteral("ГЛЦР"),
                          QStringLiteral("ГЛЦК"), QStringLiteral("ОВ"), QStringLiteral("ОС"),
                          QStringLiteral("ОН")});
    comboBox1_->setCurrentIndex(0);
    l4->addWidget(comboBox1_);

    edit1_ = new QLineEdit(QStringLiteral("Edit1"), this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    auto* load = button(this, "Button4", QStringLiteral("Загрузить"));
    auto* write = button(this, "Button1", QStringLiteral("Записать"));
    auto* add = button(this, "Button3", QStringLiteral("Добавить"));
    auto* remove = button(this, "Button5", QStringLiteral("Удалить строку"));
    auto* closeButton = button(this, "Button2", QStringLiteral("Закрыть"));
    auto* prices = button(this, "Button6", QStringLiteral("Заполнить цены"));
    checkBox1_ = new QCheckBox(QStringLiteral("Заполнить цены"), this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox2_ = new QCheckBox(QStringLiteral("Закрепить 1 строку"), this);
    checkBox2_->setObjectName(QStringLiteral("CheckBox2"));

    grid_ = new QTableWidget(1, kEditorColumns, this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->horizontalHeader()->setSectionsMovable(true);
    grid_->verticalHeader()->setSectionsMovable(true);
    grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                           QAbstractItemView::SelectedClicked);
    const int widths[kEditorColumns] = {123, 64, 64, 37, 34, 35, 33, 42, 51, 56, 64, 64,
                                        64,  64, 64, 64, 64, 51, 46, 50, 43, 48, 43, 40};
    for (int c = 0; c < kEditorColumns; ++c)
        grid_->setColumnWidth(c, widths[c]);

    auto* groups = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(groupBox1), static_cast<QWidget*>(groupBox2),
                       static_cast<QWidget*>(groupBox3), static_cast<QWidget*>(groupBox4)})
        groups->addWidget(w);
    auto* side = new QVBoxLayout;
    side->addWidget(edit1_);
    for (QWidget* w : {static_cast<QWidget*>(load), static_cast<QWidget*>(write),
                       static_cast<QWidget*>(add), static_cast<QWidget*>(remove),
                       static_cast<QWidget*>(prices), static_cast<QWidget*>(checkBox1_),
                       static_cast<QWidget*>(checkBox2_), static_cast<QWidget*>(closeButton)})
        side->addWidget(w);
    side->addStretch(1);
    groups->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(grid_, 1);

    for (QButtonGroup* g : {levelGroup_, refrigerantGroup_, brandGroup_, kindGroup_})
        connect(g, &QButtonGroup::buttonClicked, this, [this] { choiceChanged(); });
    connect(comboBox1_, &QComboBox::currentIndexChanged, this, [this] { choiceChanged(); });
    connect(load, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(write, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(add, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(remove, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(prices, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(checkBox2_, &QCheckBox::toggled, this, [this](bool on) { fixFirstColumn(on); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &UnitListEditor::gridDoubleClicked);
    // Columns are the file's columns: dragging one changes only the view. A dragged row moves its
    // unit (see rowDragged).
    connect(grid_->verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { rowDragged(from, to); });

    // "Закрепить 1 строку": a second view of the same cells showing only the name column, laid
    // over the grid's left edge, so the names stay in view while the grid scrolls sideways.
    frozen_ = new QTableView(grid_);
    frozen_->setObjectName(QStringLiteral("FixedColumn"));
    frozen_->setModel(grid_->model());
    frozen_->setSelectionModel(grid_->selectionModel());
    frozen_->setEditTriggers(grid_->editTriggers());
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->hide();
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, grid_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { placeFixedColumn(); });
    connect(frozen_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { gridDoubleClicked(index.row(), index.column()); });
    grid_->installEventFilter(this);

    UnitGrid g;
    resetGrid(g);
    setGrid(g);
}

UnitListEditor::~UnitListEditor() = default;

EditorChoices UnitListEditor::choices() const {
    EditorChoices c;
    c.kind = kindGroup_->checkedId() < 0 ? EditorKind::None : EditorKind(kindGroup_->checkedId());
    c.chillerType = comboBox1_->currentIndex();
    c.brand =
        brandGroup_->checkedId() < 0 ? EditorBrand::None : EditorBrand(brandGroup_->checkedId());
    c.level = std::max(0, levelGroup_->checkedId());
    c.refrigerant = refrigerantGroup_->checkedId();
    return c;
}

QString UnitListEditor::unitListFileName() const {
    return qs(tundrix::unitListFileName(choices()));
}

// Grid row r is table row r - 1 of the widget; the widget's header is the heading row.
UnitGrid UnitListEditor::grid() const {
    UnitGrid g;
    g.setRowCount(grid_->rowCount() + 1);
    for (int c = 0; c < kEditorColumns; ++c) {
        const QTableWidgetItem* h = grid_->horizontalHeaderItem(c);
        g.rows[0][std::size_t(c)] = h ? us(h->text()) : std::string();
        for (int r = 0; r < grid_->rowCount(); ++r) {
            const QTableWidgetItem* item = grid_->item(r, c);
            g.rows[std::size_t(r + 1)][std::size_t(c)] = item ? us(item->text()) : std::string();
        }
    }
    g.insertionRow = insertionRow_;
    return g;
}

void UnitListEditor::setGrid(const UnitGrid& g) {
    const QSignalBlocker blocker(grid_);
    grid_->setRowCount(g.rowCount() - 1);
    for (int c = 0; c < kEditorColumns; ++c) {
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(qs(g.rows[0][std::size_t(c)])));
        for (int r = 1; r < g.rowCount(); ++r) {
            const QString text = qs(g.rows[std::size_t(r)][std::size_t(c)]);
            if (QTableWidgetItem* item = grid_->item(r - 1, c))
                item->setText(text);
            else
                grid_->setItem(r - 1, c, new QTableWidgetItem(text));
        }
    }
    insertionRow_ = g.insertionRow;
    if (frozen_ && frozen_->isVisible())
        placeFixedColumn();
}

int UnitListEditor::currentGridRow() const {
    return grid_->currentRow() < 0 ? -1 : grid_->currentRow() + 1;
}

std::string UnitListEditor::editorCell(int column) const {
    const int r = grid_->currentRow();
    const QTableWidgetItem* item = r < 0 ? nullptr : grid_->item(r, column);
    return item ? us(item->text()) : std::string();
}

void UnitListEditor::setEditorCell(int column, const std::string& text) {
    const int r = grid_->currentRow();
    if (r < 0 || column < 0 || column >= kEditorColumns)
        return;
    if (QTableWidgetItem* item = grid_->item(r, column))
        item->setText(qs(text));
    else
        grid_->setItem(r, column, new QTableWidgetItem(qs(text)));
}

void UnitListEditor::resetForShow() {
    UnitGrid g = grid();
    resetGrid(g);
    setGrid(g);
}

void UnitListEditor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        resetForShow();
}

void UnitListEditor::choiceChanged() {
    const EditorChoices c = choices();
    edit1_->setText(qs(tundrix::unitListFileName(c)));
    if (techData_) {
        techData_->close();
        techData_->setTableName(qs(techDataTableName(c)));
        techData_->open();
    }
}

void UnitListEditor::message(const QString& text, bool warning) {
    auto* box = new QMessageBox(warning ? QMessageBox::Warning : QMessageBox::Information,
                                windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("EditorMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void UnitListEditor::Button4Click() {
    resetForShow();
    readTable_->clear();
    writeTable_->clear();
    const std::string name = tundrix::unitListFileName(choices());
    const std::filesystem::path file = context_.dataDir / "agrdata" / name;
    std::string error;
    if (!readTable_->load(file, &error)) {
        message(QStringLiteral("Не удалось загрузить список агрегатов\n%1\n%2")
                    .arg(qs(file.string()), qs(error)));
        return;
    }
    UnitGrid g = grid();
    loadGrid(g, *readTable_);
    setGrid(g);
}

void UnitListEditor::Button1Click() {
    const UnitGrid g = grid();
    const WriteReport report = gridToTable(g, *writeTable_);
    const std::filesystem::path file =
        context_.dataDir / "agrdata" / tundrix::unitListFileName(choices());
    if (const auto refusal = catalogueWriteRefusal(context_.dataDir)) {
        message(QStringLiteral("Не удалось записать список агрегатов\n%1\n%2")
                    .arg(qs(file.string()), qs(*refusal)));
        return;
    }
    std::string error;
    if (!writeTable_->save(file, &error)) {
        message(QStringLiteral("Не удалось записать список агрегатов\n%1\n%2")
                    .arg(qs(file.string()), qs(error)));
        return;
    }
    if (!report.lossless())
        message(QStringLiteral("Список агрегатов записан в %1, но не полностью:\n%2")
                    .arg(qs(file.string()), qs(describeLosses(report))),
                false);
}

void UnitListEditor::Button3Click() {
    const CalculatorChoice ch =
        context_.calculatorChoice ? context_.calculatorChoice() : CalculatorChoice{};
    const EditorChoices c = choices();
    UnitGrid g = grid();
    const int current =
        addUnitRow(g, ch, c.level, c.brand == EditorBrand::Copeland, c.brand == EditorBrand::Bock);
    setGrid(g);
    grid_->setCurrentCell(current - 1, std::max(0, grid_->currentColumn()));
}

void UnitListEditor::Button5Click() {
    const int y = currentGridRow();
    UnitGrid g = grid();
    if (!deleteGridRow(g, *readTable_, y))
        return;
    setGrid(g);
}

void UnitListEditor::rowDragged(int from, int to) {
    // The header only moved the row on screen; put it back and move the unit itself, so that
    // "Записать", "Заполнить цены" and the fixed name column follow the order shown.
    {
        const QSignalBlocker blocker(grid_->verticalHeader());
        grid_->verticalHeader()->moveSection(to, from);
    }
    UnitGrid g = grid();
    if (!moveGridRow(g, *readTable_, from + 1, to + 1))
        return;
    const int column = std::max(0, grid_->currentColumn());
    setGrid(g);
    grid_->setCurrentCell(to, column);
}

void UnitListEditor::Button6Click() {
    if (!checkBox1_->isChecked())
        return;
    const int n = priceFileNumber(choices());
    if (n == 0)
        return;
    const std::filesystem::path file = priceFilePath(context_.dataDir, n);
    auto prices = std::make_unique<PriceFile>();
    std::string error;
    if (!prices->load(file, &error)) {
        message(QStringLiteral("Не удалось прочитать файл цен\n%1\n%2")
                    .arg(qs(file.string()), qs(error)));
        return;
    }
    UnitGrid g = grid();
    applyPriceFile(g, *prices);
    setGrid(g);
}

void UnitListEditor::Button2Click() {
    close();
    readTable_->clear();
    writeTable_->clear();
}

void UnitListEditor::gridDoubleClicked(int row, int column) {
    switch (column) {
        case 7:
        case 8:
        case 11:
        case 23:
            if (browser_) {
                browser_->setDataDir(context_.dataDir);
                browser_->openFor(column, [this, row, column](const QString& path) {
                    if (row < grid_->rowCount())
                        grid_->setCurrentCell(row, column);
                    setEditorCell(column, us(path));
                });
            }
            break;
        case 9:
            if (openTechData_)
                openTechData_();
            break;
        case 0:
            insertionRow_ = row + 1;
            break;
        default:
            break;
    }
}

void UnitListEditor::fixFirstColumn(bool on) {
    frozen_->setVisible(on);
    if (on)
        placeFixedColumn();
}

void UnitListEditor::placeFixedColumn() {
    for (int c = 1; c < kEditorColumns; ++c)
        frozen_->setColumnHidden(c, true);
    frozen_->setColumnHidden(0, false);
    frozen_->setColumnWidth(0, grid_->columnWidth(0));
    frozen_->horizontalHeader()->setFixedHeight(grid_->horizontalHeader()->height());
    for (int r = 0; r < grid_->rowCount(); ++r)
        frozen_->setRowHeight(r, grid_->rowHeight(r));
    frozen_->setGeometry(grid_->verticalHeader()->width() + grid_->frameWidth(),
                         grid_->frameWidth(), grid_->columnWidth(0),
                         grid_->viewport()->height() + grid_->horizontalHeader()->height());
    frozen_->verticalScrollBar()->setValue(grid_->verticalScrollBar()->value());
}

bool UnitListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::Resize && frozen_->isVisible())
        placeFixedColumn();
    return QWidget::eventFilter(watched, event);
}

}  // namespace tundrix
