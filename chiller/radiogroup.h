// A titled group of radio buttons laid out in columns, with one chosen index, the way the
// dialogs present their few mutually exclusive choices.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace tundrix {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& title, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int itemIndex() const;
    // Chooses item i without emitting itemChosen.
    void setItemIndex(int i);
    QRadioButton* button(int i) const;
    int count() const;

  signals:
    // The user (or a click in a test) chose item i.
    void itemChosen(int i);

  private:
    QButtonGroup* group_;
};

}  // namespace tundrix
