// One page of the options sheet ("ｵﾌﾟｼｮﾝ設定"): it shows the settings it edits when it is made,
// and on OK or Apply stores them in the session's settings records, writes their keys and lets
// the session apply them to every window.
#pragma once

#include <QString>
#include <QWidget>

namespace velk::app {

class OptionPage : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
    // The tab's caption ("ﾒｲﾝｳｲﾝﾄﾞｳ", "歌詞ｳｲﾝﾄﾞｳ", ...).
    virtual QString Caption() const = 0;
    virtual void Apply() = 0;
};

}  // namespace velk::app
