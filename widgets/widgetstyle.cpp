#include "widgets/widgetstyle.h"

#include <QLineEdit>
#include <QLocale>
#include <QPalette>

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
