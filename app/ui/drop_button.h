// A button that steps through a setting's values on a click and offers every value in a
// drop-down list beside it; each list action carries its value's index as data.
#pragma once

#include <QToolButton>
#include <string>
#include <vector>

namespace velk::app {

QToolButton* MakeDropButton(QWidget* parent, const char* tip,
                            const std::vector<std::string>& choices);

}  // namespace velk::app
