#include "mainwindow/unittab.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include <sys/stat.h>

#include "mainwindow/envelopechart.h"
#include "mainwindow/pictureview.h"

namespace tundrix {

namespace {

// The unit name takes what the figures leave, so the price column ends at the grid's right edge.
void stretchNameColumn(QTableWidget* g) {
    QHeaderView* h = g->horizontalHeader();
    h->setStretchLastSection(false);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setSectionResizeMode(0, QHeaderView::Stretch);
}

// Option names are long and there may be eleven of them: the columns share the grid's width and
// the names wrap onto up to `lines` lines instead of being cut.
void shareWidthWithWrappedHeadings(QTableWidget* g, int lines) {
    QHeaderView* h = g->horizontalHeader();
    h->setSectionResizeMode(QHeaderView::Stretch);
    h->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
    h->setTextElideMode(Qt::ElideNone);
    const int headingHeight = h->fontMetrics().lineSpacing() * lines + 8;
    h->setFixedHeight(headingHeight);
    g->verticalHeader()->setDefaultSectionSize(22);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setFixedHeight(headingHeight + 2 * 22 + 2 * g->frameWidth());
}

// A result grid that finds a column's widest cell without asking the delegate about every cell
// (a thousand units make that the dearest part of showing a list). The cells differ only in
// their text, so only the cells whose text comes within a few pixels of the widest advance can
// be the widest; the delegate measures those, and the width is the one the view would find by
// measuring all of them.
class ResultGrid : public QTableWidget {
public:
    ResultGrid() : QTableWidget(0, 6) {}

    int sizeHintForColumn(int column) const override {
        const int rows = rowCount();
        if (column < 0 || column >= columnCount() || rows == 0 ||
            rows > horizontalHeader()->resizeContentsPrecision())
            return QTableWidget::sizeHintForColumn(column);
        ensurePolished();
        constexpr int kSlack = 4;  // shaping may differ from the plain advance by a pixel or two
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QFontMetrics metrics(option.font);
        std::vector<int> advance(std::size_t(rows), -1);
        int widest = -1;
        for (int r = 0; r < rows; ++r) {
            if (isRowHidden(r))
                continue;
            const QTableWidgetItem* it = item(r, column);
            advance[std::size_t(r)] = it ? metrics.horizontalAdvance(it->text()) : 0;
            widest = std::max(widest, advance[std::size_t(r)]);
        }
        if (widest < 0)
            return QTableWidget::sizeHintForColumn(column);
        int hint = 0;
        for (int r = 0; r < rows; ++r) {
            if (advance[std::size_t(r)] < widest - kSlack)
                continue;
            const QModelIndex index = model()->index(r, column);
            hint = std::max(hint, itemDelegateForIndex(index)->sizeHint(option, index).width());
        }
        return showGrid() ? hint + 1 : hint;
    }
};

QTableWidget* resultGrid(const QString& name) {
    auto* g = new ResultGrid;
    g->setObjectName(name);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(22);
    stretchNameColumn(g);
    return g;
}

QPlainTextEdit* memo(const QString& name) {
    auto* m = new QPlainTextEdit;
    m->setObjectName(name);
    m->setReadOnly(true);
    return m;
}

QWidget* page(const QString& name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    return w;
}

}  // namespace

QString fileStamp(const QString& file) {
    // The inode tells a file replaced by a rename (as every writer of the program replaces its
    // files), the nanoseconds a rewrite in place within the same second.
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0)
        return {};
    return file + QLatin1Char('|') + QString::number(quint64(st.st_ino)) + QLatin1Char('|') +
           QString::number(qint64(st.st_mtim.tv_sec)) + QLatin1Char('.') +
           QString::number(qint64(st.st_mtim.tv_nsec)) + QLatin1Char('|') +
           QString::number(qint64(st.st_size));
}

void fitFigureColumns(QTableWidget* grid) {
    constexpr int kPadding = 14;  // keeps neighbouring headings and numbers apart
    for (int c = 1; c < grid->columnCount(); ++c) {
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, grid->columnWidth(c) + kPadding);
    }
}

UnitTab buildUnitTab(const UnitTabNames& n) {
    UnitTab t;
    t.kind = n.kind;
    t.sheet = new QWidget;
    t.sheet->setObjectName(n.sheet);
    auto* outer = new QVBoxLayout(t.sheet);

    auto* top = new QHBoxLayout;
    t.model = new QLabel(QStringLiteral("Модель "));
    t.model->setObjectName(n.model);
    QFont bold = t.model->font();
    bold.setBold(true);
    t.model->setFont(bold);
    t.prev = new QPushButton(QStringLiteral("<"));
    t.prev->setObjectName(n.prev);
    t.next = new QPushButton(QStringLiteral(">"));
    t.next->setObjectName(n.next);
    t.prev->setFixedWidth(32);
    t.next->setFixedWidth(32);
    top->addWidget(t.prev);
    top->addWidget(t.next);
    top->addWidget(t.model, 1);
    outer->addLayout(top);

    t.extras = new QVBoxLayout;
    outer->addLayout(t.extras);

    t.noData = new QLabel(QStringLiteral("Установок с заданными характеристиками нет."));
    t.noData->setObjectName(n.noData);
    // The two labels share the tab's height and meet in its middle.
    t.noData->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    t.noData->hide();
    outer->addWidget(t.noData);
    t.coverage = new QLabel;
    t.coverage->setObjectName(n.noData + QStringLiteral("Note"));
    t.coverage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    t.coverage->setWordWrap(true);
    t.coverage->hide();
    outer->addWidget(t.coverage);

    t.pages = new QTabWidget;
    t.pages->setObjectName(n.pages);
    outer->addWidget(t.pages, 1);

    // "Список агрегатов": the button, the result grid, the chart and the options grid.
    QWidget* list = page(n.pagesPrefix + QStringLiteral("List"));
    auto* listLayout = new QVBoxLayout(list);
    auto* buttons = new QHBoxLayout;
    t.podbor = new QPushButton(QStringLiteral("подбор"));
    t.podbor->setObjectName(n.podbor);
    if (n.kind == UnitKind::Out)
        t.podbor->setToolTip(QStringLiteral("Нажмите для подбора агрегата"));
    t.options = new QPushButton(QStringLiteral("Доступные опции"));
    t.options->setObjectName(n.options);
    buttons->addWidget(t.podbor);
    buttons->addWidget(t.options);
    buttons->addStretch(1);
    listLayout->addLayout(buttons);
    auto* middle = new QHBoxLayout;
    t.grid = resultGrid(n.grid);
    middle->addWidget(t.grid, 1);
    t.panel = new QWidget;
    t.panel->setObjectName(n.panel);
    auto* panelLayout = new QVBoxLayout(t.panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    t.chart = new EnvelopeChart;
    t.chart->setObjectName(n.chart);
    panelLayout->addWidget(t.chart);
    panelLayout->addStretch(1);
    middle->addWidget(t.panel);
    listLayout->addLayout(middle, 1);
    t.optionsGrid = new QTableWidget(2, 6);
    t.optionsGrid->setObjectName(n.optionsGrid);
    t.optionsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t.optionsGrid->verticalHeader()->hide();
    shareWidthWithWrappedHeadings(t.optionsGrid, 3);
    listLayout->addWidget(t.optionsGrid);
    t.pages->addTab(list, QStringLiteral("Список агрегатов"));

    // "Габаритный чертеж": the PDF drawing, or the placeholder picture when there is none.
    QWidget* drawingPage = page(n.pagesPrefix + QStringLiteral("Drawing"));
    auto* drawingLayout = new QVBoxLayout(drawingPage);
    t.drawingStack = new QStackedWidget;
    t.browser = new QPdfView(drawingPage);
    t.browser->setObjectName(n.browser);
    // Not a child of the view: a document destroyed inside the view's destructor would notify
    // the half-destroyed view.
    t.drawing = new QPdfDocument(t.sheet);
    t.browser->setDocument(t.drawing);
    t.browser->setPageMode(QPdfView::PageMode::SinglePage);
    t.browser->setZoomMode(QPdfView::ZoomMode::FitInView);
    t.drawingPlaceholder = new PictureView;
    t.drawingPlaceholder->setObjectName(n.browser + QStringLiteral("Placeholder"));
    t.drawingStack->addWidget(t.browser);
    t.drawingStack->addWidget(t.drawingPlaceholder);
    drawingLayout->addWidget(t.drawingStack);
    t.pages->addTab(drawingPage, QStringLiteral("Габаритный чертеж"));

    // "Краткое описание и комплект поставки".
    QWidget* texts = page(n.pagesPrefix + QStringLiteral("Texts"));
    auto* textsLayout = new QVBoxLayout(texts);
    textsLayout->addWidget(new QLabel(QStringLiteral("Краткое описание")));
    t.description = memo(n.description);
    textsLayout->addWidget(t.description, 1);
    textsLayout->addWidget(new QLabel(QStringLiteral("Список основных комплектующих")));
    t.complect = memo(n.complect);
    textsLayout->addWidget(t.complect, 1);
    t.pages->addTab(texts, QStringLiteral("Краткое описание и комплект поставки"));

    // "Изображение".
    QWidget* picturePage = page(n.pagesPrefix + QStringLiteral("Picture"));
    auto* pictureLayout = new QVBoxLayout(picturePage);
    t.picture = new PictureView;
    t.picture->setObjectName(n.picture);
    pictureLayout->addWidget(t.picture);
    t.pages->addTab(picturePage, QStringLiteral("Изображение"));

    // "Технические данные".
    QWidget* techPage = page(n.pagesPrefix + QStringLiteral("Tech"));
    auto* techLayout = new QVBoxLayout(techPage);
    t.techGrid = new QTableWidget(0, 2);
    t.techGrid->setObjectName(n.techGrid);
    t.techGrid->setHorizontalHeaderLabels(
        {QStringLiteral("Характеристика"), QStringLiteral("Значение")});
    t.techGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t.techGrid->verticalHeader()->hide();
    t.techGrid->verticalHeader()->setDefaultSectionSize(20);
    t.techGrid->setColumnWidth(0, 400);
    t.techGrid->setColumnWidth(1, 400);
    techLayout->addWidget(t.techGrid);
    t.pages->addTab(techPage, QStringLiteral("Технические данные"));

    return t;
}

UnitTabNames condensingTabNames() {
    return {UnitKind::Out,
            QStringLiteral("TabSheet1"),
            QStringLiteral("Компрессорно-конденсаторные агрегаты"),
            QStringLiteral("Button8"),
            QStringLiteral("StringGrid1"),
            QStringLiteral("StringGrid2"),
            QStringLiteral("Label19"),
            QStringLiteral("Label18"),
            QStringLiteral("PageControl2"),
            QStringLiteral("PaintBox2"),
            QStringLiteral("Panel1"),
            QStringLiteral("Memo1"),
            QStringLiteral("WebBrowser1"),
            QStringLiteral("Memo5"),
            QStringLiteral("Image1"),
            QStringLiteral("StringGrid4"),
            QStringLiteral("Button1"),
            QStringLiteral("Button7"),
            QStringLiteral("Button35"),
            QStringLiteral("TabSheet1Page")};
}

UnitTabNames receiverTabNames() {
    return {UnitKind::Agr,
            QStringLiteral("TabSheet11"),
            QStringLiteral("Компрессорно-ресиверные"),
            QStringLiteral("Button10"),
            QStringLiteral("StringGrid6"),
            QStringLiteral("StringGrid5"),
            QStringLiteral("Label38"),
            QStringLiteral("Label57"),
            QStringLiteral("PageControl3"),
            QStringLiteral("PaintBox3"),
            QStringLiteral("Panel3"),
            QStringLiteral("Memo2"),
            QStringLiteral("WebBrowser2"),
            QStringLiteral("Memo6"),
            QStringLiteral("Image4"),
            QStringLiteral("StringGrid11"),
            QStringLiteral("Button18"),
            QStringLiteral("Button17"),
            QStringLiteral("Button36"),
            QStringLiteral("TabSheet11Page")};
}

UnitTabNames rackTabNames() {
    return {UnitKind::Mka,
            QStringLiteral("TabSheet21"),
            QStringLiteral("Многокомпрессорные"),
            QStringLiteral("Button20"),
            QStringLiteral("StringGrid13"),
            QStringLiteral("StringGrid12"),
            QStringLiteral("Label42"),
            QStringLiteral("Label58"),
            QStringLiteral("PageControl4"),
            QStringLiteral("PaintBox4"),
            QStringLiteral("Panel4"),
            QStringLiteral("Memo3"),
            QStringLiteral("WebBrowser3"),
            QStringLiteral("Memo7"),
            QStringLiteral("Image6"),
            QStringLiteral("StringGrid14"),
            QStringLiteral("Button22"),
            QStringLiteral("Button21"),
            QStringLiteral("Button37"),
            QStringLiteral("TabSheet21Page")};
}

UnitTabNames chillerTabNames() {
    return {UnitKind::Glco,
            QStringLiteral("TabSheet17"),
            QStringLiteral("Водоохлаждающие"),
            QStringLiteral("Button23"),
            QStringLiteral("StringGrid16"),
            QStringLiteral("StringGrid15"),
            QStringLiteral("Label46"),
            QStringLiteral("Label59"),
            QStringLiteral("PageControl5"),
            QStringLiteral("PaintBox5"),
            QStringLiteral("Panel5"),
            QStringLiteral("Memo4"),
            QStringLiteral("WebBrowser4"),
            QStringLiteral("Memo8"),
            QStringLiteral("Image8"),
            QStringLiteral("StringGrid17"),
            QStringLiteral("Button25"),
            QStringLiteral("Button24"),
            QStringLiteral("Button39"),
            QStringLiteral("TabSheet17Page")};
}

}  // namespace tundrix
