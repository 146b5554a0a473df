// A picture shown centred and scaled to the widget with its proportions kept (also enlarged when
// the widget is larger than the picture).
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace tundrix {

class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent = nullptr);

    // Loads the picture file; a file that cannot be decoded leaves the view empty. Returns
    // whether a picture was loaded.
    bool load(const QString& file);
    void clear();
    const QImage& image() const { return image_; }
    const QString& file() const { return file_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QString file_;
    QString stamp_;  // fileStamp() of the file when image_ was read from it
};

}  // namespace tundrix
