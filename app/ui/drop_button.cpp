#include "ui/drop_button.h"

#include <QMenu>

namespace velk::app {

QToolButton* MakeDropButton(QWidget* parent, const char* tip,
                            const std::vector<std::string>& choices) {
    auto* button = new QToolButton(parent);
    button->setToolTip(QString::fromUtf8(tip));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(button);
    for (size_t i = 0; i < choices.size(); ++i) {
        menu->addAction(QString::fromStdString(choices[i]))->setData(static_cast<int>(i));
    }
    button->setMenu(menu);
    return button;
}

}  // namespace velk::app
