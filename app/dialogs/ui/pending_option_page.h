// A page of the options sheet whose window is not part of the player yet: it keeps the page's
// place and caption and says so.
#pragma once

#include "dialogs/ui/option_page.h"

namespace velk::app {

class PendingOptionPage : public OptionPage {
    Q_OBJECT
  public:
    explicit PendingOptionPage(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const override { return caption_; }
    void Apply() override {}

  private:
    QString caption_;
};

}  // namespace velk::app
