#include "mainwindow/pictureview.h"

#include <QFileInfo>
#include <QPainter>

namespace tundrix {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 90);
}

bool PictureView::load(const QString& file) {
    // The details show the same picture again on most re-runs; it is decoded again only when
    // the file has changed since.
    const QFileInfo info(file);
    const QDateTime modified = info.lastModified();
    if (file == file_ && !image_.isNull() && modified == modified_ && info.size() == size_)
        return true;
    file_ = file;
    modified_ = modified;
    size_ = info.size();
    image_ = QImage(file);
    update();
    return !image_.isNull();
}

void PictureView::clear() {
    file_.clear();
    modified_ = {};
    size_ = -1;
    image_ = QImage();
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize s = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target((width() - s.width()) / 2, (height() - s.height()) / 2, s.width(),
                       s.height());
    p.drawImage(target, image_);
}

}  // namespace tundrix
