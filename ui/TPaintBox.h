#pragma once

#include <QImage>
#include <QWidget>

// The drawing area: shows the last finished frame until the next one arrives.
// It keeps a copy of its own, so that an abandoned frame never reaches the screen.
class TPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    void ShowFrame(const QImage& frame);
    const QImage& Frame() const { return LastFrame; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage LastFrame;
    bool HasFrame = false;
};
