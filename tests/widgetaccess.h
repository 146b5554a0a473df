// Reaching a window's controls the way the QtTest programs drive them: by object name, grid cells
// as text, and the text of a message box that the action under test opens.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace tundrix::testing {

// The control named `name` below w; a missing control ends the test program at once.
template <typename T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

inline QString cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

// Closes the next message box and keeps its text (empty when none appeared).
inline std::shared_ptr<QString> catchMessage() {
    auto text = std::make_shared<QString>();
    QTimer::singleShot(0, [text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->accept();
        }
    });
    return text;
}

}  // namespace tundrix::testing
