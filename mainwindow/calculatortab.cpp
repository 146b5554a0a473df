#include "mainwindow/calculatortab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "mainwindow/calculatorplot.h"

namespace tundrix {

const char* const kProgramDescription =
    "Краткое описание данной программы:\n"
    "\n"
    "Программа Polarmix предназначена для подбора холодильного оборудования по каталогу "
    "производителя: компрессорно-конденсаторных агрегатов, компрессорно-ресиверных агрегатов, "
    "многокомпрессорных централей (от 2 до 5 компрессоров) и водоохлаждающих установок "
    "(ГЛЦО, ГЛЦУ, ГЛЦР, ГЛЦК, ОВ, ОС, ОН) на компрессорах Bock, Copeland Scroll, Bitzer и "
    "Copeland Stream.\n"
    "\n"
    "Для каждого агрегата выбранного вида программа рассчитывает холодопроизводительность, "
    "потребляемую мощность, теплоотдачу и ток при заданных условиях, учитывает перегрев и "
    "переохлаждение по таблицам свойств хладагента, а для агрегатов с воздушными конденсаторами "
    "находит температуру конденсации по температуре окружающей среды. Агрегаты выводятся по "
    "возрастанию холодопроизводительности вместе с ценами.\n"
    "\n"
    "Порядок работы:\n"
    "1. Задайте температуру кипения, температуру окружающей среды (или температуру "
    "конденсации), перегрев и переохлаждение.\n"
    "2. Выберите хладагент, марки компрессоров и исполнение по температурному уровню.\n"
    "3. Введите требуемую холодопроизводительность в кВт.\n"
    "4. Откройте вкладку нужного вида агрегатов и нажмите кнопку \"подбор\". Курсор встанет на "
    "первый агрегат, производительность которого не меньше требуемой, или, при отметке "
    "\"По минимальной цене\", на самый дешевый агрегат в диапазоне от 0,95 до 1,3 требуемой "
    "производительности.\n"
    "5. Для выбранного агрегата смотрите чертеж, описание, комплект поставки, изображение, "
    "технические данные и область работы компрессора; отметьте нужные опции.\n"
    "6. Двойной щелчок по строке кладет агрегат в корзину; из меню \"Файл\" можно напечатать "
    "расчет и список выбора.\n"
    "\n"
    "На этой вкладке расположен калькулятор: соберите машину из одного или двух компрессоров "
    "и конденсатора и нажмите \"Рассчитать\".";

namespace {

QLineEdit* display(const QString& name) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setMaximumWidth(110);
    return e;
}

QSpinBox* count(const QString& name, int max) {
    auto* s = new QSpinBox;
    s->setObjectName(name);
    s->setRange(1, max);
    s->setValue(1);
    s->setMaximumWidth(70);
    return s;
}

QComboBox* list(const QString& name) {
    auto* c = new QComboBox;
    c->setObjectName(name);
    c->setMinimumContentsLength(18);
    return c;
}

}  // namespace

CalculatorTab buildCalculatorTab() {
    CalculatorTab t;
    t.sheet = new QWidget;
    t.sheet->setObjectName(QStringLiteral("TabSheet2"));
    auto* outer = new QHBoxLayout(t.sheet);

    t.memo9 = new QPlainTextEdit;
    t.memo9->setObjectName(QStringLiteral("Memo9"));
    t.memo9->setReadOnly(true);
    t.memo9->setPlainText(QString::fromUtf8(kProgramDescription));
    outer->addWidget(t.memo9, 1);

    auto* box = new QGroupBox(QStringLiteral("Калькулятор"));
    box->setObjectName(QStringLiteral("GroupBoxCalculator"));
    auto* right = new QVBoxLayout(box);
    auto* form = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* a, QWidget* b = nullptr) {
        form->addWidget(new QLabel(caption), row, 0);
        form->addWidget(a, row, 1);
        if (b)
            form->addWidget(b, row, 2);
        ++row;
    };

    t.comboBox7 = list(QStringLiteral("ComboBox7"));
    t.comboBox7->addItems({QStringLiteral("Bock"), QStringLiteral("Copeland Scroll"),
                           QStringLiteral("Bitzer"), QStringLiteral("Copeland Stream")});
    t.comboBox9 = list(QStringLiteral("ComboBox9"));
    t.comboBox9->addItems({QStringLiteral("Низкотемпературные"),
                           QStringLiteral("Среднетемпературные"),
                           QStringLiteral("Высокотемпературные")});
    addRow(QStringLiteral("Марка компрессора"), t.comboBox7);
    addRow(QStringLiteral("Исполнение"), t.comboBox9);

    t.selectcompr = list(QStringLiteral("Selectcompr"));
    t.edit12 = count(QStringLiteral("Edit12"), 10);
    addRow(QStringLiteral("Компрессор1"), t.selectcompr, t.edit12);
    t.checkBox4 = new QCheckBox(QStringLiteral("Использовать второй компрессор"));
    t.checkBox4->setObjectName(QStringLiteral("CheckBox4"));
    form->addWidget(t.checkBox4, row++, 0, 1, 3);
    t.selectcompr2 = list(QStringLiteral("Selectcompr2"));
    t.edit24 = count(QStringLiteral("Edit24"), 10);
    addRow(QStringLiteral("Компрессор2"), t.selectcompr2, t.edit24);
    t.condensator = list(QStringLiteral("condensator"));
    t.edit13 = count(QStringLiteral("Edit13"), 6);
    addRow(QStringLiteral("Конденсатор"), t.condensator, t.edit13);
    t.edit4 = display(QStringLiteral("Edit4"));
    t.edit5 = display(QStringLiteral("Edit5"));
    t.edit6 = display(QStringLiteral("Edit6"));
    addRow(QStringLiteral("Номинальная производительность"), t.edit4);
    addRow(QStringLiteral("количество вентиляторов"), t.edit5);
    addRow(QStringLiteral("Ток одного вентилятора"), t.edit6);
    t.checkBox2 = new QCheckBox(QStringLiteral("Указать температуру конденсации"));
    t.checkBox2->setObjectName(QStringLiteral("CheckBox2"));
    form->addWidget(t.checkBox2, row++, 0, 1, 3);
    t.interpxy = new QPushButton(QStringLiteral("Рассчитать"));
    t.interpxy->setObjectName(QStringLiteral("interpxy"));
    form->addWidget(t.interpxy, row++, 0, 1, 3);
    t.solution = display(QStringLiteral("solution"));
    t.edit1 = display(QStringLiteral("Edit1"));
    t.edit2 = display(QStringLiteral("Edit2"));
    t.edit3 = display(QStringLiteral("Edit3"));
    addRow(QStringLiteral("Холодопроизводительность, кВт"), t.solution);
    addRow(QStringLiteral("Потребляемая мощность, кВт"), t.edit1);
    addRow(QStringLiteral("Теплоотдача"), t.edit2);
    addRow(QStringLiteral("Потребляемый ток"), t.edit3);
    right->addLayout(form);
    right->addStretch(1);
    outer->addWidget(box);

    auto* plotSide = new QVBoxLayout;
    t.label15 = new QLabel(QStringLiteral("Вне границ диапазона"));
    t.label15->setObjectName(QStringLiteral("Label15"));
    QPalette red = t.label15->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    t.label15->setPalette(red);
    t.label15->hide();
    t.paintBox1 = new CalculatorPlot;
    t.paintBox1->setObjectName(QStringLiteral("PaintBox1"));
    plotSide->addWidget(t.label15);
    plotSide->addWidget(t.paintBox1);
    plotSide->addStretch(1);
    outer->addLayout(plotSide);
    return t;
}

}  // namespace tundrix
