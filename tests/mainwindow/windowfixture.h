// Shared helpers of the main-window tests: the catalogue folder to run on and access to the
// window's controls by object name, the way the tests drive them.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>

#include "mainwindow/mainwindow.h"
#include "widgetaccess.h"

namespace tundrix::testing {

// The generated sample catalogue, when the build has produced it.
inline bool haveSampleData() {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(TUNDRIX_SAMPLE_DATA) / "condensators.dat",
                                   ec);
}

inline std::filesystem::path sampleData() {
    return std::filesystem::path(TUNDRIX_SAMPLE_DATA);
}

inline QStringList checkedItems(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out << list->item(i)->text();
    return out;
}

// Types into an edit and leaves it, as a user does with the mouse on another control.
inline void typeAndLeave(QWidget* window, QLineEdit* edit, const QString& text, QWidget* next) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    next->setFocus();
    QApplication::processEvents();
    (void)window;
}

// Clicks the tab with the given caption.
inline void showTab(QTabWidget* tabs, int index) {
    tabs->setCurrentIndex(index);
    QApplication::processEvents();
}

// The numbers in a grid column (empty cells skipped).
inline QList<double> columnNumbers(QTableWidget* g, int column) {
    QList<double> out;
    for (int r = 0; r < g->rowCount(); ++r) {
        QTableWidgetItem* item = g->item(r, column);
        if (!item || item->text().isEmpty())
            continue;
        QString t = item->text();
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        out << t.toDouble();
    }
    return out;
}

}  // namespace tundrix::testing
