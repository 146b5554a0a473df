// Where a document is drawn: a paint device that can start new pages and tells its page
// measures in device units. Printers and PDF files are QPagedPaintDevices; the tests use a
// device that records what is drawn.
#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPaintDevice;

namespace tundrix {

// Page measures in device units.
struct PageMetrics {
    int width = 0;   // W: the physical page width
    int offX = 0;    // left unprintable margin
    int offY = 0;    // top unprintable margin
    int height = 0;  // PH: height of the printable area
};

class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual QPaintDevice* device() = 0;
    virtual PageMetrics metrics() const = 0;
    // The job title (the document name in a print queue, the title of a PDF file).
    virtual void setTitle(const QString& title) = 0;
    // Ends the current page and starts the next; false when the device refuses.
    virtual bool newPage() = 0;
};

// A printer or PDF writer. The title goes through `setTitle` because the two classes name it
// differently (QPrinter::setDocName, QPdfWriter::setTitle).
class PagedTarget : public PrintTarget {
public:
    PagedTarget(QPagedPaintDevice& device, std::function<void(const QString&)> setTitle);

    QPaintDevice* device() override;
    PageMetrics metrics() const override;
    void setTitle(const QString& title) override;
    bool newPage() override;

private:
    QPagedPaintDevice& device_;
    std::function<void(const QString&)> setTitle_;
};

}  // namespace tundrix
