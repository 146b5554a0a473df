// The options window: the options of the unit shown in the details view, each with a tick. "OK"
// applies the ticks to the unit's family, "убрать все опции" clears every option of every unit;
// both close the window and ask for the selection to run again.
#pragma once

#include <QWidget>

#include <vector>

class QListWidget;

namespace tundrix {

struct agregat;

class OptionsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit OptionsWindow(QWidget* parent = nullptr);

    // Lists the options of unit `unit` of `list` (the unit the details view shows). The list must
    // outlive the window's use of it; the catalogue keeps its unit list for the whole run.
    void showUnit(agregat& list, int unit);

    // The ticks of the lines, top to bottom.
    std::vector<bool> ticks() const;

  signals:
    // Flags changed (or were confirmed): the selection of the shown kind tab should run again.
    void optionsApplied();

  private:
    void applyTicks();
    void clearAll();

    QListWidget* list_;
    agregat* units_ = nullptr;
    int unit_ = 0;
};

}  // namespace tundrix
