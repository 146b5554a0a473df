// The description tab: the program description and the calculator for one hand-assembled
// machine (one or two compressor groups, one condenser group).
#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace tundrix {

class CalculatorPlot;

struct CalculatorTab {
    QWidget* sheet = nullptr;  // TabSheet2
    QPlainTextEdit* memo9 = nullptr;
    QComboBox* selectcompr = nullptr;
    QSpinBox* edit12 = nullptr;  // count of compressor 1 (its arrows are UpDown1)
    QCheckBox* checkBox4 = nullptr;
    QComboBox* selectcompr2 = nullptr;
    QSpinBox* edit24 = nullptr;
    QComboBox* condensator = nullptr;
    QSpinBox* edit13 = nullptr;
    QLineEdit* edit4 = nullptr;
    QLineEdit* edit5 = nullptr;
    QLineEdit* edit6 = nullptr;
    QCheckBox* checkBox2 = nullptr;
    QComboBox* comboBox7 = nullptr;  // brand
    QComboBox* comboBox9 = nullptr;  // temperature level
    QPushButton* interpxy = nullptr;
    QLineEdit* solution = nullptr;
    QLineEdit* edit1 = nullptr;
    QLineEdit* edit2 = nullptr;
    QLineEdit* edit3 = nullptr;
    CalculatorPlot* paintBox1 = nullptr;
    QLabel* label15 = nullptr;
};

CalculatorTab buildCalculatorTab();

// The description shown in Memo9.
extern const char* const kProgramDescription;

}  // namespace tundrix
