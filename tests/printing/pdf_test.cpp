// The documents as PDF files, read back with the poppler tools.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "filelimit.h"
#include "printing/pdfoutput.h"
#include "printing/reportfixture.h"

namespace tundrix {
namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString& file, int page = 0) {
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << file << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

QString pdfInfo(const QString& file, const QString& key) {
    for (const QString& line : run(QStringLiteral("pdfinfo"), {file}).split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

class PdfOutput : public ::testing::Test {
protected:
    QString file(const QString& name) { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(PdfOutput, CondensingUnitReportHasNoLiquidSection) {
    const QString f = file(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(writeReportPdf(testing::condensingReport(), f, &error)) << error.toStdString();
    EXPECT_EQ(pdfInfo(f, QStringLiteral("Title")), QStringLiteral("Выбранная установка"));
    EXPECT_EQ(pdfInfo(f, QStringLiteral("Pages")), QStringLiteral("2"));
    const QString text = pdfText(f);
    EXPECT_TRUE(text.contains(QStringLiteral("ИСХОДНЫЕ ДАННЫЕ")));
    EXPECT_TRUE(text.contains(QStringLiteral("ВЫБРАННАЯ УСТАНОВКА")));
    EXPECT_TRUE(text.contains(QStringLiteral("Температура окружающей среды")));
    EXPECT_TRUE(text.contains(QStringLiteral("ККБ-Тест-12")));
    EXPECT_FALSE(text.contains(QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ")));
}

TEST_F(PdfOutput, ChillerReportHasTheLiquidBetweenInputAndUnit) {
    const QString f = file(QStringLiteral("chiller.pdf"));
    ASSERT_TRUE(writeReportPdf(testing::chillerReport(), f));
    const QString text = pdfText(f, 1);
    const auto input = text.indexOf(QStringLiteral("ИСХОДНЫЕ ДАННЫЕ"));
    const auto liquid = text.indexOf(QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ"));
    const auto unit = text.indexOf(QStringLiteral("ВЫБРАННАЯ УСТАНОВКА"));
    ASSERT_GE(input, 0);
    ASSERT_GE(liquid, 0);
    EXPECT_LT(input, liquid);
    EXPECT_LT(liquid, unit);
    EXPECT_TRUE(text.contains(QStringLiteral("Этиленгликоль 30%")));
}

TEST_F(PdfOutput, DeliverySetIsOnTheLastPage) {
    const QString f = file(QStringLiteral("delivery.pdf"));
    ReportModel model = testing::condensingReport();
    ASSERT_TRUE(writeReportPdf(model, f));
    EXPECT_FALSE(pdfText(f, 1).contains(QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));
    const QString last = pdfText(f, 2);
    EXPECT_TRUE(last.contains(QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));
    EXPECT_TRUE(last.contains(QStringLiteral("Конденсатор воздушного охлаждения")));

    model.deliverySet.clear();
    const QString empty = file(QStringLiteral("nodelivery.pdf"));
    ASSERT_TRUE(writeReportPdf(model, empty));
    EXPECT_EQ(pdfInfo(empty, QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(pdfText(empty, 2).simplified(), QStringLiteral("КОМПЛЕКТ ПОСТАВКИ"));
}

TEST_F(PdfOutput, LongTechnicalDataAddPages) {
    const QString f = file(QStringLiteral("long.pdf"));
    ReportModel model = testing::condensingReport();
    for (int i = 1; i <= 120; ++i)
        model.techData.push_back({QStringLiteral("Параметр %1").arg(i), QString::number(i)});
    ASSERT_TRUE(writeReportPdf(model, f));
    const int pages = pdfInfo(f, QStringLiteral("Pages")).toInt();
    EXPECT_GE(pages, 4);
    EXPECT_TRUE(pdfText(f, 2).contains(QStringLiteral("Параметр 60")));
    EXPECT_TRUE(pdfText(f, pages).contains(QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));
}

TEST_F(PdfOutput, SelectionListTitleAndPages) {
    const QString f = file(QStringLiteral("list.pdf"));
    ASSERT_TRUE(writeListPdf(testing::sampleList(3), f));
    EXPECT_EQ(pdfInfo(f, QStringLiteral("Title")), QStringLiteral("Список выбора"));
    EXPECT_EQ(pdfInfo(f, QStringLiteral("Pages")), QStringLiteral("1"));
    const QString text = pdfText(f);
    EXPECT_TRUE(text.contains(QStringLiteral("Холод-сть, кВт")));
    EXPECT_TRUE(text.contains(QStringLiteral("ККБ-3")));

    const QString many = file(QStringLiteral("many.pdf"));
    ASSERT_TRUE(writeListPdf(testing::sampleList(200), many));
    EXPECT_GE(pdfInfo(many, QStringLiteral("Pages")).toInt(), 3);
}

// Every unit of a list many pages long is on the paper, once: none lost at a page break.
TEST_F(PdfOutput, ALongListHoldsEveryUnit) {
    const int units = 925;
    const QString f = file(QStringLiteral("long-list.pdf"));
    ASSERT_TRUE(writeListPdf(testing::sampleList(units), f));
    ASSERT_GE(pdfInfo(f, QStringLiteral("Pages")).toInt(), 10);
    QMap<int, int> seen;
    const QRegularExpression name(QStringLiteral("ККБ-(\\d+)"));
    for (auto m = name.globalMatch(pdfText(f)); m.hasNext();)
        ++seen[m.next().captured(1).toInt()];
    QStringList wrong;
    for (int i = 1; i <= units; ++i)
        if (seen.value(i) != 1)
            wrong << QStringLiteral("ККБ-%1 x%2").arg(i).arg(seen.value(i));
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QStringLiteral(", ")).toStdString();
}

TEST_F(PdfOutput, AFailedSaveLeavesTheEarlierFileWhole) {
    const QString f = file(QStringLiteral("report.pdf"));
    ASSERT_TRUE(writeReportPdf(testing::condensingReport(), f));
    QFile before(f);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    before.close();
    QString error;
    {
        const tundrix::testing::FileSizeLimit limit(std::size_t(old.size()) / 4);
        EXPECT_FALSE(writeListPdf(testing::sampleList(200), f, &error));
    }
    EXPECT_TRUE(error.contains(QStringLiteral("файл слишком велик"))) << error.toStdString();
    QFile after(f);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("report.pdf")});

    EXPECT_FALSE(writeListPdf(testing::sampleList(1),
                              file(QStringLiteral("missing-folder/list.pdf")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("нет такого файла или папки")))
        << error.toStdString();
}

}  // namespace
}  // namespace tundrix
