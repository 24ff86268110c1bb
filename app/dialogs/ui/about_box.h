// Dialog 100 "ﾊﾞｰｼﾞｮﾝ情報": the product, the engine's version and the libraries' versions.
#pragma once

#include <QDialog>

namespace velk::app {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kLibraryText = 1171;

    explicit AboutBox(QWidget* parent = nullptr);

    // Shows the box modally; the tray menu and the options sheet open it this way.
    static void Show(QWidget* parent);
};

}  // namespace velk::app
