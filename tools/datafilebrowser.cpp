#include "tools/datafilebrowser.h"

#include <QDateTime>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/widgetstyle.h"

namespace tundrix {

DataFileBrowser::DataFileBrowser(const std::filesystem::path& dataDir, QWidget* parent)
    : QWidget(parent, Qt::Window), dataDir_(dataDir) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Form4"));
    resize(520, 420);

    edit1_ = new QLineEdit(QStringLiteral("C:\\"), this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    listView1_ = new QListWidget(this);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setViewMode(QListView::ListMode);
    listView1_->setFlow(QListView::TopToBottom);
    listView1_->setWrapping(true);
    listView1_->setResizeMode(QListView::Adjust);
    listView1_->setSortingEnabled(true);
    auto* ok = new QPushButton(QStringLiteral("ОК"), this);
    ok->setObjectName(QStringLiteral("Button1"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit1_);
    layout->addWidget(listView1_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(listView1_, &QListWidget::itemDoubleClicked, this, &DataFileBrowser::itemActivated);
}

void DataFileBrowser::openFor(int column, std::function<void(const QString&)> picked) {
    picked_ = std::move(picked);
    // Every opening starts at the top of the column's data folder.
    location_ = BrowserLocation(dataDir_, column);
    edit1_->setText(qs(location_.displayFolder()));
    addfile();
    show();
    raise();
    activateWindow();
}

QString DataFileBrowser::relativeFolder() const {
    return qs(location_.relative());
}

bool DataFileBrowser::addfile() {
    listView1_->setUpdatesEnabled(false);
    listView1_->clear();
    const auto folder = location_.fullFolder();
    const std::vector<BrowserEntry> entries =
        folder ? listFolder(*folder) : std::vector<BrowserEntry>{};
    QFileIconProvider icons;
    const char sep = char(std::filesystem::path::preferred_separator);
    const std::string shown = us(edit1_->text());
    for (const BrowserEntry& e : entries) {
        const QFileInfo info(qs(joinPath(shown, e.name, sep)));
        const QDateTime modified = info.lastModified();
        const QString time =
            modified.isValid() ? QLocale().toString(modified, QLocale::ShortFormat) : QString();
        const auto values = browserSubValues(e, us(icons.type(info)), us(time), shown, sep);
        auto* item = new QListWidgetItem(icons.icon(info), qs(e.name));
        for (int i = 0; i < 6; ++i)
            item->setData(SizeRole + i, qs(values[std::size_t(i)]));
        listView1_->addItem(item);
    }
    listView1_->setUpdatesEnabled(true);
    return !entries.empty();
}

void DataFileBrowser::itemActivated(QListWidgetItem* item) {
    if (!item)
        return;
    const std::string name = us(item->text());
    const char sep = char(std::filesystem::path::preferred_separator);
    if (item->data(KindRole).toString() == QStringLiteral("dir")) {
        location_.enter(name);
        edit1_->setText(qs(joinPath(us(edit1_->text()), name, sep) + sep));
        addfile();
        return;
    }
    edit1_->setText(qs(joinPath(us(edit1_->text()), name, sep)));
    if (picked_)
        picked_(qs(location_.picked(name)));
    close();
}

}  // namespace tundrix
