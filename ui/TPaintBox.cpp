#include "ui/TPaintBox.h"

#include <QPainter>

#include <cstring>

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent), LastFrame(800, 600, QImage::Format_RGB32) {
    LastFrame.fill(Qt::white);
}

void TPaintBox::ShowFrame(const QImage& frame) {
    if (frame.size() == LastFrame.size() && frame.format() == LastFrame.format()) {
        // One copy into storage made once; assigning the QImage would share it and
        // make the view's next frame detach, that is allocate.
        std::memcpy(LastFrame.bits(), frame.constBits(),
                    static_cast<std::size_t>(LastFrame.sizeInBytes()));
    } else {
        LastFrame = frame.convertToFormat(QImage::Format_RGB32);
    }
    HasFrame = true;
    update();
}

void TPaintBox::paintEvent(QPaintEvent*) {
    // Until the first frame the background picture beneath shows through.
    if (!HasFrame) return;
    QPainter painter(this);
    painter.drawImage(0, 0, LastFrame);
}
