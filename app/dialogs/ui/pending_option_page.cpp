#include "dialogs/ui/pending_option_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velk::app {

PendingOptionPage::PendingOptionPage(const QString& caption, QWidget* parent)
    : OptionPage(parent), caption_(caption) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(caption + QString::fromUtf8("の設定は準備中です。"), this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
}

}  // namespace velk::app
