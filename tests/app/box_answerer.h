// Answers every message box that comes up while it lives, keeping the last box's text, so
// that a test can call code that shows a modal box.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace velk::app::test {

class BoxAnswerer {
  public:
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text_ = box->text();
                box->accept();
            }
        });
        timer_.start(10);
    }
    const QString& Text() const { return text_; }

  private:
    QTimer timer_;
    QString text_;
};

}  // namespace velk::app::test
