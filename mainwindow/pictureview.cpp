#include "mainwindow/pictureview.h"

#include <QPainter>

#include "mainwindow/unittab.h"

namespace tundrix {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 90);
}

bool PictureView::load(const QString& file) {
    // The details show the same picture again on most re-runs; it is decoded again only when
    // the file has changed since.
    const QString stamp = fileStamp(file);
    if (!image_.isNull() && !stamp.isEmpty() && stamp == stamp_)  // the stamp holds the path
        return true;
    file_ = file;
    stamp_ = stamp;
    image_ = QImage(file);
    update();
    return !image_.isNull();
}

void PictureView::clear() {
    file_.clear();
    stamp_.clear();
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
