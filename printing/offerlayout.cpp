#include "printing/offerlayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "printing/printlayout.h"
#include "printing/printtext.h"

namespace tundrix {

namespace {

constexpr int kColumnCount = 7;
// Shares of the table's width: №, type, model, options, quantity, price, cost.
constexpr std::array<double, kColumnCount> kShares = {0.05, 0.17, 0.23, 0.20, 0.08, 0.12, 0.15};
// Columns whose texts wrap onto further lines; the others are numbers, right-aligned. Model
// names are not broken at their hyphens: a name is read as one.
constexpr std::array<bool, kColumnCount> kWraps = {false, true, true, true, false, false, false};
constexpr std::array<bool, kColumnCount> kHyphens = {false, true, false, true, false, false, false};
const QColor kHeadingFill(225, 225, 225);

using Cells = std::array<QString, kColumnCount>;

const Cells& headings() {
    static const Cells h = {QStringLiteral("№"),      QStringLiteral("Тип оборудования"),
                            QStringLiteral("Модель"), QStringLiteral("Опции"),
                            QStringLiteral("Кол-во"), QStringLiteral("Цена, EUR"),
                            QStringLiteral("Стоимость, EUR")};
    return h;
}

// The pieces a line may break after: words, and the parts of a word too wide for a line after
// its hyphens ("Компрессорно-" "конденсаторный").
QStringList pieces(const QFontMetrics& fm, const QString& text, int width, bool hyphens) {
    QStringList out;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!hyphens || fm.horizontalAdvance(word) <= width || !word.contains(QLatin1Char('-'))) {
            out << word;
            continue;
        }
        qsizetype start = 0;
        for (qsizetype i = word.indexOf(QLatin1Char('-')); i >= 0;
             i = word.indexOf(QLatin1Char('-'), i + 1)) {
            out << word.mid(start, i + 1 - start) + QChar(0x00AD);  // joined without a space
            start = i + 1;
        }
        out << word.mid(start);
    }
    return out;
}

// Words of `text` on lines no wider than `width`; a word wider than a line keeps a line of its
// own (textOut narrows it to fit).
QStringList wrap(const QFontMetrics& fm, const QString& text, int width, bool hyphens) {
    QStringList lines;
    QString line;
    for (const QString& word : pieces(fm, text, width, hyphens)) {
        // A piece ending in the soft-hyphen mark joins the next one directly.
        const bool joined = line.endsWith(QChar(0x00AD));
        const QString base = joined ? line.chopped(1) : line;
        const QString longer =
            line.isEmpty() ? word : base + (joined ? QString() : QStringLiteral(" ")) + word;
        if (line.isEmpty() || fm.horizontalAdvance(QString(longer).remove(QChar(0x00AD))) <= width) {
            line = longer;
        } else {
            lines << QString(line).remove(QChar(0x00AD));
            line = word;
        }
    }
    if (!line.isEmpty())
        lines << QString(line).remove(QChar(0x00AD));
    return lines;
}

// Lays the offer out page by page. Run once without a painter to count the pages, then again
// with one to draw them, so that every page can say how many there are.
class OfferWriter {
public:
    OfferWriter(PrintTarget& target, const LayoutMeasures& m, const OfferModel& model,
                QPainter* painter, int pageCount)
        : target_(target), m_(m), model_(model), p_(painter), pageCount_(pageCount) {
        QPaintDevice* device = target.device();
        body_ = fontWithHeight(model.font, int(std::lround(1.2 * m.lh)), device);
        bold_ = body_;
        bold_.setBold(true);
        title_ = fontWithHeight(model.font, int(std::lround(2.2 * m.lh)), device);
        title_.setBold(true);
        bh_ = QFontMetrics(body_, device).height();
        left_ = m.offX + 2 * m.cw;
        right_ = m.W - 5 * m.cw;
        bottom_ = m.offY + m.PH - 4 * m.lh;
        double x = left_;
        for (int c = 0; c <= kColumnCount; ++c) {
            columns_[std::size_t(c)] = int(std::lround(x));
            if (c < kColumnCount)
                x += kShares[std::size_t(c)] * (right_ - left_);
        }
        columns_.back() = right_;
    }

    bool run();
    int pages() const { return page_; }

private:
    bool drawing() const { return p_ != nullptr; }
    QFontMetrics metrics(bool bold) const {
        return QFontMetrics(bold ? bold_ : body_, target_.device());
    }
    void startPage();
    bool newPage();
    bool makeRoom(int height);  // a new page when `height` does not fit below y
    void text(int x, int y, const QString& s, bool bold, int width, bool alignRight = false);
    void cellBox(int x1, int y1, int x2, int y2, bool fill);
    bool tableRow(const Cells& cells, bool heading);
    bool totalRow();
    bool conditions();
    bool technicalBlock(int number, const OfferItem& item);

    PrintTarget& target_;
    const LayoutMeasures& m_;
    const OfferModel& model_;
    QPainter* p_;
    int pageCount_;
    QFont body_, bold_, title_;
    int bh_ = 0;  // body line height
    int left_ = 0, right_ = 0, bottom_ = 0;
    std::array<int, kColumnCount + 1> columns_{};
    int page_ = 0;
    int y_ = 0;
    bool failed_ = false;
};

void OfferWriter::text(int x, int y, const QString& s, bool bold, int width, bool alignRight) {
    if (!drawing() || s.isEmpty())
        return;
    p_->setFont(bold ? bold_ : body_);
    if (alignRight)
        x += std::max(0, width - p_->fontMetrics().horizontalAdvance(s));
    textOut(*p_, x, y, s, Qt::black, width);
}

void OfferWriter::cellBox(int x1, int y1, int x2, int y2, bool fill) {
    if (!drawing())
        return;
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, m_.lh / 10));
    p_->setPen(pen);
    p_->setBrush(fill ? QBrush(kHeadingFill) : QBrush(Qt::NoBrush));
    p_->drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)));
}

void OfferWriter::startPage() {
    ++page_;
    y_ = m_.bodyTop();
    if (!drawing())
        return;
    Printhead(*p_, m_, model_.letterhead);
    const QString foot = QStringLiteral("Страница %1 из %2").arg(page_).arg(pageCount_);
    text(left_, m_.offY + m_.PH - 2 * m_.lh, foot, false, right_ - left_, true);
}

bool OfferWriter::newPage() {
    if (drawing() && !target_.newPage()) {
        failed_ = true;
        return false;
    }
    startPage();
    return true;
}

bool OfferWriter::makeRoom(int height) {
    return y_ + height <= bottom_ || newPage();
}

bool OfferWriter::tableRow(const Cells& cells, bool heading) {
    const int pad = m_.cw / 2;
    std::array<QStringList, kColumnCount> lines;
    int n = 1;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const int width = columns_[c + 1] - columns_[c] - 2 * pad;
        lines[c] = heading || kWraps[c] ? wrap(metrics(heading), cells[c], width, kHyphens[c])
                                        : QStringList{cells[c]};
        n = std::max(n, int(lines[c].size()));
    }
    const int height = n * bh_ + m_.gap;
    if (y_ + height > bottom_) {
        if (!newPage())
            return false;
        if (!heading && !tableRow(headings(), true))
            return false;
    }
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const int x = columns_[c];
        const int width = columns_[c + 1] - x - 2 * pad;
        cellBox(x, y_, columns_[c + 1], y_ + height, heading);
        for (int k = 0; k < int(lines[c].size()); ++k)
            text(x + pad, y_ + m_.gap / 2 + k * bh_, lines[c][k], heading, width,
                 !heading && !kWraps[c]);
    }
    y_ += height;
    return true;
}

bool OfferWriter::totalRow() {
    const int height = bh_ + m_.gap;
    if (!makeRoom(height))
        return false;
    const int pad = m_.cw / 2;
    const int last = columns_[kColumnCount - 1];
    cellBox(left_, y_, last, y_ + height, false);
    cellBox(last, y_, right_, y_ + height, false);
    const int ty = y_ + m_.gap / 2;
    text(left_ + pad, ty, QStringLiteral("Итого, EUR:"), true, last - left_ - 2 * pad, true);
    text(last + pad, ty, model_.total, true, right_ - last - 2 * pad, true);
    y_ += height;
    return true;
}

bool OfferWriter::conditions() {
    if (model_.conditions.empty())
        return true;
    y_ += bh_;
    if (!makeRoom(2 * bh_))
        return false;
    text(left_, y_, QStringLiteral("Условия расчета"), true, right_ - left_);
    y_ += bh_ + m_.gap / 2;
    const int valueX = left_ + int(0.45 * (right_ - left_));
    for (const ReportRow& row : model_.conditions) {
        if (!makeRoom(bh_))
            return false;
        text(left_ + m_.cw, y_, row.label, false, valueX - left_ - 2 * m_.cw);
        text(valueX, y_, row.value, false, right_ - valueX);
        y_ += bh_;
    }
    return true;
}

bool OfferWriter::technicalBlock(int number, const OfferItem& item) {
    const int pictureWidth = int(0.22 * (right_ - left_));
    const int pictureHeight = pictureWidth * 3 / 4;
    const int rows = int(item.technical.size());
    const int height = bh_ + m_.gap / 2 + std::max(pictureHeight, rows * bh_) + 2 * m_.gap;
    if (!makeRoom(height))
        return false;
    text(left_, y_, QStringLiteral("%1. %2").arg(number).arg(item.model), true, right_ - left_);
    const int top = y_ + bh_ + m_.gap / 2;
    if (drawing() && !item.picture.isNull()) {
        // Proportional, centred in its box.
        const QSize size = item.picture.size().scaled(pictureWidth, pictureHeight,
                                                       Qt::KeepAspectRatio);
        const QRect box(left_ + (pictureWidth - size.width()) / 2,
                        top + (pictureHeight - size.height()) / 2, size.width(), size.height());
        p_->drawImage(box, item.picture);
    }
    const int labelX = left_ + pictureWidth + 2 * m_.cw;
    const int valueX = labelX + int(0.5 * (right_ - labelX));
    for (int r = 0; r < rows; ++r) {
        const ReportRow& row = item.technical[std::size_t(r)];
        text(labelX, top + r * bh_, row.label, false, valueX - labelX - m_.cw);
        text(valueX, top + r * bh_, row.value, false, right_ - valueX);
    }
    y_ += height;
    return true;
}

bool OfferWriter::run() {
    startPage();
    if (drawing()) {
        p_->setFont(title_);
        const int w = p_->fontMetrics().horizontalAdvance(kOfferTitle);
        textOut(*p_, (left_ + right_ - w) / 2, y_, kOfferTitle, Qt::black, right_ - left_);
    }
    y_ += QFontMetrics(title_, target_.device()).height();
    const QString numberLine = QStringLiteral("№ %1 от %2").arg(model_.number, model_.date);
    const int w = metrics(false).horizontalAdvance(numberLine);
    text((left_ + right_ - w) / 2, y_, numberLine, false, right_ - left_);
    y_ += bh_ + 2 * m_.gap;

    if (!tableRow(headings(), true))
        return false;
    int n = 0;
    for (const OfferItem& item : model_.items) {
        const Cells cells = {QString::number(++n), item.type,  item.model,
                             item.options.join(QStringLiteral(", ")),
                             item.quantity,        item.price, item.cost};
        if (!tableRow(cells, false))
            return false;
    }
    if (!totalRow() || !conditions())
        return false;

    bool heading = false;
    n = 0;
    for (const OfferItem& item : model_.items) {
        ++n;
        if (!item.catalogued)
            continue;
        if (!heading) {
            y_ += bh_;
            if (!makeRoom(3 * bh_))
                return false;
            text(left_, y_, QStringLiteral("Технические характеристики"), true, right_ - left_);
            y_ += bh_ + m_.gap;
            heading = true;
        }
        if (!technicalBlock(n, item))
            return false;
    }
    return !failed_;
}

}  // namespace

bool Printoffer(const OfferModel& model, PrintTarget& target) {
    const LayoutMeasures m = measureLayout(model.font, target);
    target.setTitle(kOfferTitle);
    OfferWriter count(target, m, model, nullptr, 0);
    count.run();
    QPainter p;
    if (!p.begin(target.device()))
        return false;
    p.setFont(model.font);
    const bool drawn = OfferWriter(target, m, model, &p, count.pages()).run();
    return p.end() && drawn;
}

}  // namespace tundrix
