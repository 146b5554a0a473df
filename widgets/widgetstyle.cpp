#include "widgets/widgetstyle.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>

#include <memory>
#include <utility>

#include "catalogue/cp1251.h"
#include "catalogue/fileio.h"

namespace tundrix {

void setLocked(QLineEdit* edit, bool locked) {
    edit->setReadOnly(locked);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, locked ? kLockedBase : QColor(Qt::white));
    p.setColor(QPalette::Text, locked ? kLockedText : QColor(Qt::black));
    edit->setPalette(p);
}

bool isLocked(const QLineEdit* edit) {
    return edit->isReadOnly();
}

void showWrittenTextFromStart(QWidget* window) {
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        // The edits inside spin boxes and combo boxes are theirs to manage.
        if (qobject_cast<QAbstractSpinBox*>(edit->parent()) ||
            qobject_cast<QComboBox*>(edit->parent()))
            continue;
        // A change the user makes is announced as edited first; any other change is the
        // program's, and its text is shown from the start.
        auto typed = std::make_shared<bool>(false);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [typed] { *typed = true; });
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, typed] {
            if (!std::exchange(*typed, false))
                edit->setCursorPosition(0);
        });
    }
}

char decimalSeparator() {
    const QString sep = QLocale().decimalPoint();
    return sep == QStringLiteral(",") ? ',' : '.';
}

QString readCatalogueText(const std::filesystem::path& file) {
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return {};
    const std::string_view raw(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return isValidUtf8(raw) ? qs(raw) : qs(cp1251ToUtf8(raw));
}

}  // namespace tundrix
