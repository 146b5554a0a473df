// Small helpers shared by the windows: the look of locked and editable edits, the user's decimal
// separator, UTF-8 conversions and the loading of catalogue text files.
#pragma once

#include <QColor>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace tundrix {

// A locked edit: read-only, light grey background, grey text (128, 128, 128).
inline const QColor kLockedBase(227, 227, 227);
inline const QColor kLockedText(128, 128, 128);

// Locks (read-only, grey) or unlocks (white, black text) an edit.
void setLocked(QLineEdit* edit, bool locked);
bool isLocked(const QLineEdit* edit);

// Every edit below `window` shows what the program writes into it from its first character.
// QLineEdit::setText leaves the cursor, and with it the view, at the end of the text, so a
// number wider than its field would show only its last digits ("1.53" of 41.53). What the user
// types stays where it is typed.
void showWrittenTextFromStart(QWidget* window);

// The decimal separator of the user's locale as the core's number routines take it.
char decimalSeparator();

inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string us(const QString& text) {
    return text.toStdString();
}

// The text of a catalogue text file: UTF-8 when the bytes are valid UTF-8, otherwise read as
// Windows-1251. Empty when the file cannot be read.
QString readCatalogueText(const std::filesystem::path& file);

}  // namespace tundrix
