// Library headers that most files of a target include, compiled once per target when TUNDRIX_PCH
// is on (see cmake/Tundrix.cmake) and read before every source of it. What a target gets follows
// from the Qt modules it links (their QT_*_LIB definitions); GoogleTest is added by tundrix_gtest.
// Every source still includes what it uses, so the build is the same with TUNDRIX_PCH=OFF.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#ifdef QT_CORE_LIB
#include <QFileInfo>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#endif

#ifdef QT_GUI_LIB
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#endif

#ifdef QT_SQL_LIB
#include <QSqlDatabase>
#include <QSqlQuery>
#endif

#ifdef QT_WIDGETS_LIB
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>
#endif

#ifdef QT_TESTLIB_LIB
#include <QtTest>
#endif
