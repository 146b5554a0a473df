// How long the main window takes from a field the user leaves (or "подбор") to the painted
// result, and from the start of the program to the painted main window, offscreen:
//
//   tundrix-window-bench [--data DIR] [--runs N] [--startup-only]
//
// The cases: the kind tab with the most units of the catalogue (every level and brand), and the
// same tab on a copy of the catalogue whose unit lists of that kind are grown to 1000 units.
// Each re-run is split into the selection run (with the progress shown during it), the result
// grid, the details of the cursor unit, the chart, and the painting that follows (the grid, the
// chart, the rest of the window). Figures are medians of N re-runs in milliseconds of the main
// thread's CPU time, the totals in wall-clock time as well; start-up is the median of N fresh
// processes, from the moment the process is started to the painted main window (wall-clock, and
// the CPU time the process used until then).
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/windowset.h"
#include "catalogue/filenames.h"
#include "catalogue/unitlisttable.h"
#include "mainwindow/envelopechart.h"
#include "mainwindow/mainwindow.h"

namespace fs = std::filesystem;
using tundrix::MainWindow;

namespace {

// Nanoseconds of the monotonic clock (comparable between processes) and of the thread's CPU.
struct Stamp {
    double wall = 0;
    double cpu = 0;
};

double clockNs(clockid_t id) {
    timespec t{};
    clock_gettime(id, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

Stamp now() {
    return {clockNs(CLOCK_MONOTONIC), clockNs(CLOCK_THREAD_CPUTIME_ID)};
}

Stamp operator-(Stamp a, Stamp b) {
    return {a.wall - b.wall, a.cpu - b.cpu};
}

Stamp& operator+=(Stamp& a, Stamp b) {
    a.wall += b.wall;
    a.cpu += b.cpu;
    return a;
}

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The application with every paint event timed and handed to `paintSink`.
class BenchApp : public QApplication {
public:
    using QApplication::QApplication;
    std::function<void(QObject*, Stamp)> paintSink;
    long paints = 0;

    bool notify(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return QApplication::notify(receiver, event);
        ++paints;
        const Stamp begin = now();
        const bool done = QApplication::notify(receiver, event);
        if (paintSink)
            paintSink(receiver, now() - begin);
        return done;
    }
};

BenchApp* app() {
    return static_cast<BenchApp*>(QCoreApplication::instance());
}

// Runs the event loop's pending work until a pass paints nothing more.
void paintUntilDone() {
    for (int pass = 0; pass < 20; ++pass) {
        const long before = app()->paints;
        QApplication::processEvents();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        if (app()->paints == before && pass > 0)
            return;
    }
}

template <typename T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) {
        std::fprintf(stderr, "no control %s\n", name);
        std::exit(1);
    }
    return c;
}

// One re-run split into its parts.
enum Part { Total, Engine, Grid, Details, Chart, SyncPaint, GridPaint, ChartPaint, OtherPaint };
constexpr std::array<const char*, 9> kPartNames = {"total",      "selection run", "result grid",
                                                   "details",    "chart",         "run paints",
                                                   "grid paint", "chart paint",   "other paint"};
constexpr int kParts = int(kPartNames.size());

struct Sample {
    std::array<Stamp, kParts> part{};
};

// Measures the window's re-runs of one tab by the probe and the timed paint events.
class RunMeter {
public:
    RunMeter(MainWindow& w, QTableWidget* grid, QWidget* chart) : grid_(grid), chart_(chart) {
        w.setRunProbe([this](MainWindow::RunPhase phase, bool begins) { mark(phase, begins); });
        app()->paintSink = [this](QObject* o, Stamp t) { painted(o, t); };
        w_ = &w;
    }
    ~RunMeter() {
        w_->setRunProbe({});
        app()->paintSink = {};
    }
    RunMeter(const RunMeter&) = delete;
    RunMeter& operator=(const RunMeter&) = delete;

    // Times `act` (which starts the re-run) and the painting after it.
    Sample measure(const std::function<void()>& act) {
        current_ = {};
        depth_ = 0;
        const Stamp begin = now();
        act();
        paintUntilDone();
        current_.part[Total] = now() - begin;
        // The details' own time is without the chart inside them.
        current_.part[Details].wall -= current_.part[Chart].wall;
        current_.part[Details].cpu -= current_.part[Chart].cpu;
        return current_;
    }

private:
    static Part partOf(MainWindow::RunPhase p) {
        switch (p) {
            case MainWindow::RunPhase::Engine:
                return Engine;
            case MainWindow::RunPhase::Grid:
                return Grid;
            case MainWindow::RunPhase::Details:
                return Details;
            case MainWindow::RunPhase::Chart:
                return Chart;
        }
        return Total;
    }

    void mark(MainWindow::RunPhase phase, bool begins) {
        const auto i = std::size_t(partOf(phase));
        if (begins) {
            started_[i] = now();
            ++depth_;
        } else {
            current_.part[i] += now() - started_[i];
            --depth_;
        }
    }

    void painted(QObject* o, Stamp t) {
        auto* w = qobject_cast<QWidget*>(o);
        Part p = OtherPaint;
        if (depth_ > 0)
            p = SyncPaint;
        else if (w && (w == grid_ || grid_->isAncestorOf(w)))
            p = GridPaint;
        else if (w == chart_)
            p = ChartPaint;
        current_.part[std::size_t(p)] += t;
    }

    MainWindow* w_ = nullptr;
    QTableWidget* grid_;
    QWidget* chart_;
    Sample current_;
    std::array<Stamp, kParts> started_{};
    int depth_ = 0;
};

void report(const char* title, const std::vector<Sample>& samples) {
    std::printf("%s (%zu re-runs, median ms)\n", title, samples.size());
    for (int p = 0; p < kParts; ++p) {
        std::vector<double> cpu, wall;
        for (const Sample& s : samples) {
            cpu.push_back(s.part[std::size_t(p)].cpu / 1e6);
            wall.push_back(s.part[std::size_t(p)].wall / 1e6);
        }
        if (p == Total)
            std::printf("  %-14s %7.2f CPU  %7.2f wall\n", kPartNames[std::size_t(p)], median(cpu),
                        median(wall));
        else
            std::printf("  %-14s %7.2f\n", kPartNames[std::size_t(p)], median(cpu));
    }
}

// Every level, every brand: the lists as large as the catalogue makes them.
void showEverything(MainWindow& w) {
    child<QComboBox>(&w, "ComboBox6")->setCurrentIndex(0);
    auto* brands = child<QListWidget>(&w, "CheckListBox1");
    for (int i = 0; i < brands->count(); ++i)
        brands->item(i)->setCheckState(Qt::Checked);
    paintUntilDone();
}

struct Largest {
    MainWindow::Tab tab = MainWindow::Condensing;
    int rows = 0;
};

Largest largestTab(MainWindow& w) {
    auto* pages = child<QTabWidget>(&w, "PageControl1");
    Largest best;
    for (MainWindow::Tab t : {MainWindow::Condensing, MainWindow::Receiver, MainWindow::Rack}) {
        pages->setCurrentIndex(t);
        paintUntilDone();
        showEverything(w);
        w.unitTab(t).podbor->click();
        paintUntilDone();
        const int rows = w.unitTab(t).grid->rowCount();
        if (rows > best.rows)
            best = {t, rows};
    }
    return best;
}

// Leaves the evaporating temperature field N times with alternating values and presses the
// tab's "подбор" N times.
void measureTab(MainWindow& w, MainWindow::Tab t, int runs, const std::string& what) {
    auto* pages = child<QTabWidget>(&w, "PageControl1");
    pages->setCurrentIndex(t);
    paintUntilDone();
    showEverything(w);
    tundrix::UnitTab& tab = w.unitTab(t);
    auto* evaporate = child<QLineEdit>(&w, "evaporate");
    auto* superheat = child<QLineEdit>(&w, "superheat");
    RunMeter meter(w, tab.grid, tab.chart);
    constexpr int kWarmUp = 3;
    std::vector<Sample> leaves, presses;
    for (int i = 0; i < runs + kWarmUp; ++i) {
        evaporate->setFocus();
        paintUntilDone();
        evaporate->setText(i % 2 ? QStringLiteral("-12") : QStringLiteral("-10"));
        const Sample s = meter.measure([superheat] { superheat->setFocus(); });
        if (i >= kWarmUp)
            leaves.push_back(s);
    }
    for (int i = 0; i < runs + kWarmUp; ++i) {
        const Sample s = meter.measure([&tab] { tab.podbor->click(); });
        if (i >= kWarmUp)
            presses.push_back(s);
    }
    const std::string rows = std::to_string(tab.grid->rowCount());
    report((what + ", " + rows + " rows: field left").c_str(), leaves);
    report((what + ", " + rows + " rows: \"подбор\"").c_str(), presses);
}

// A catalogue beside `sample` whose unit lists of `kind` (first refrigerant) repeat their units
// up to the file's 200 rows, numbered by a suffix on the name, and give the polynomial brands a
// list on every level (their coefficients serve every level); every other file is a link to the
// sample's.
fs::path grownCatalogue(const fs::path& sample, tundrix::UnitKind kind) {
    const fs::path dir =
        fs::temp_directory_path() / ("tundrix-window-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "agrdata");
    for (const auto& e : fs::directory_iterator(sample))
        if (e.path().filename() != "agrdata")
            fs::create_symlink(fs::absolute(e.path()), dir / e.path().filename());
    std::vector<std::string> grown;
    for (int l = 1; l <= tundrix::kLevels; ++l)
        for (int b = 1; b <= tundrix::kBrands; ++b)
            grown.push_back(tundrix::agrfilename(kind, l, b, 0));
    for (const auto& e : fs::directory_iterator(sample / "agrdata")) {
        const std::string name = e.path().filename().string();
        if (std::find(grown.begin(), grown.end(), name) == grown.end())
            fs::create_symlink(fs::absolute(e.path()), dir / "agrdata" / name);
    }
    for (int l = 1; l <= tundrix::kLevels; ++l) {
        for (int b = 1; b <= tundrix::kBrands; ++b) {
            fs::path from = sample / "agrdata" / tundrix::agrfilename(kind, l, b, 0);
            for (int other = 1;
                 !fs::exists(from) && b != tundrix::kScrollBrand && other <= tundrix::kLevels;
                 ++other)
                from = sample / "agrdata" / tundrix::agrfilename(kind, other, b, 0);
            tundrix::UnitListTable t;
            if (!fs::exists(from) || !t.load(from))
                continue;
            int n = 0;
            while (n < tundrix::UnitListTable::kUnitRows && !t.cellEmpty(0, n + 1))
                ++n;
            for (int i = n + 1; n > 0 && i <= tundrix::UnitListTable::kUnitRows; ++i) {
                const int row = (i - 1) % n + 1;
                for (int c = 0; c < tundrix::UnitListTable::kColumns; ++c)
                    t.setCell(c, i, t.cell(c, row));
                t.setCell(0, i, t.cell(0, row) + " #" + std::to_string(i));
            }
            t.save(dir / "agrdata" / tundrix::agrfilename(kind, l, b, 0));
        }
    }
    return dir;
}

tundrix::UnitKind kindOf(MainWindow::Tab t) {
    return t == MainWindow::Receiver ? tundrix::UnitKind::Agr
           : t == MainWindow::Rack   ? tundrix::UnitKind::Mka
                                     : tundrix::UnitKind::Out;
}

// In a child process: the monotonic clock at main's start, with Qt up, with every window
// created, after show() (the catalogue preloaded) and with the window painted.
int startupChild(int argc, char** argv, const fs::path& data) {
    const Stamp entered = now();
    BenchApp a(argc, argv);
    const Stamp withQt = now();
    const auto windows = tundrix::createWindows(data);
    const Stamp created = now();
    windows->form1->show();
    const Stamp shown = now();
    paintUntilDone();
    const Stamp painted = now();
    std::printf("%.0f %.0f %.0f %.0f %.0f %.0f\n", entered.wall, withQt.wall, created.wall,
                shown.wall, painted.wall, clockNs(CLOCK_PROCESS_CPUTIME_ID));
    return 0;
}

void measureStartup(const QString& self, const fs::path& data, int runs) {
    std::map<std::string, std::vector<double>> parts;
    for (int i = 0; i < runs + 1; ++i) {
        QProcess p;
        const double started = now().wall;
        p.start(self, {QStringLiteral("--startup-child"), QStringLiteral("--data"),
                       QString::fromStdString(data.string())});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            std::fprintf(stderr, "start-up run failed\n");
            return;
        }
        double t[6] = {};
        if (std::sscanf(p.readAllStandardOutput().constData(), "%lf %lf %lf %lf %lf %lf", &t[0],
                        &t[1], &t[2], &t[3], &t[4], &t[5]) != 6)
            return;
        if (i == 0)
            continue;  // the first start reads the files into the page cache
        parts["total"].push_back((t[4] - started) / 1e6);
        parts["CPU of the process"].push_back(t[5] / 1e6);
        parts["process start to main"].push_back((t[0] - started) / 1e6);
        parts["Qt application"].push_back((t[1] - t[0]) / 1e6);
        parts["windows created"].push_back((t[2] - t[1]) / 1e6);
        parts["shown (catalogue preloaded)"].push_back((t[3] - t[2]) / 1e6);
        parts["painted"].push_back((t[4] - t[3]) / 1e6);
    }
    std::printf("start-up to the painted main window (%d processes, median wall ms)\n", runs);
    for (const char* k : {"total", "CPU of the process", "process start to main", "Qt application",
                          "windows created", "shown (catalogue preloaded)", "painted"})
        std::printf("  %-28s %7.2f\n", k, median(parts[k]));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fs::path data = TUNDRIX_SAMPLE_DATA;
    int runs = 30;
    bool child = false;
    bool startupOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--data" && i + 1 < argc)
            data = argv[++i];
        else if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--startup-child")
            child = true;
        else if (a == "--startup-only")
            startupOnly = true;
    }
    std::error_code ec;
    if (!fs::is_directory(data / "agrdata", ec)) {
        std::fprintf(stderr, "no catalogue in the data folder: generate it with tundrix-datagen\n");
        return 1;
    }
    if (child)
        return startupChild(argc, argv, data);

    BenchApp a(argc, argv);
    if (startupOnly) {
        measureStartup(QCoreApplication::applicationFilePath(), data, runs);
        return 0;
    }
    MainWindow::Tab tab = MainWindow::Condensing;
    {
        const auto windows = tundrix::createWindows(data);
        MainWindow& w = *windows->form1;
        w.show();
        w.activateWindow();
        paintUntilDone();
        const Largest largest = largestTab(w);
        tab = largest.tab;
        std::printf("largest tab: %d (%d rows)\n", int(tab), largest.rows);
        measureTab(w, tab, runs, "sample catalogue, largest tab");
    }
    const fs::path grown = grownCatalogue(data, kindOf(tab));
    {
        const auto windows = tundrix::createWindows(grown);
        MainWindow& w = *windows->form1;
        w.show();
        w.activateWindow();
        paintUntilDone();
        measureTab(w, tab, runs, "grown unit lists");
    }
    fs::remove_all(grown, ec);
    measureStartup(QCoreApplication::applicationFilePath(), data, std::max(5, runs / 3));
    return 0;
}
