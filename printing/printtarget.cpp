#include "printing/printtarget.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

namespace tundrix {

PagedTarget::PagedTarget(QPagedPaintDevice& device, std::function<void(const QString&)> setTitle)
    : device_(device), setTitle_(std::move(setTitle)) {}

QPaintDevice* PagedTarget::device() {
    return &device_;
}

PageMetrics PagedTarget::metrics() const {
    const int dpi = device_.logicalDpiX();
    const QPageLayout layout = device_.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    PageMetrics m;
    m.width = full.width();
    m.offX = paint.left() - full.left();
    m.offY = paint.top() - full.top();
    m.height = device_.height();
    return m;
}

void PagedTarget::setTitle(const QString& title) {
    if (setTitle_)
        setTitle_(title);
}

bool PagedTarget::newPage() {
    return device_.newPage();
}

}  // namespace tundrix
