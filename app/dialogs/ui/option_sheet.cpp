#include "dialogs/ui/option_sheet.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/ui/option_tab1.h"
#include "dialogs/ui/option_tab4.h"
#include "dialogs/ui/option_tab5.h"
#include "dialogs/ui/option_tab6.h"
#include "lyrics/ui/option_tab2.h"
#include "visual/ui/option_tab3.h"

namespace velk::app {

// Each page's window plugs its page in here, in place of its stand-in.
OptionPage* MakeOptionPage(int number, PlayerSession& session, QWidget* parent) {
    switch (number) {
        case 1:
            return new COptionTab1(session, parent);
        case 2:
            return new COptionTab2(session, parent);
        case 3:
            return new COptionTab3(session, parent);
        case 4:
            return new COptionTab4(session, parent);
        case 5:
            return new COptionTab5(session, parent);
        default:
            return new COptionTab6(session, parent);
    }
}

COptionSheet::COptionSheet(PlayerSession& session, const OptionSheetState& state, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(QString::fromUtf8("ｵﾌﾟｼｮﾝ設定"));
    // Every page's tab stays in view.
    tabs_->setUsesScrollButtons(false);
    const char* favouritesLocked =
        state.lyricsEditing ? "歌詞編集モードの時はお気に入りの編集は行えません。"
        : state.adding ? "ファイルの追加中はお気に入りの編集は行えません。"
                       : nullptr;
    if (favouritesLocked)
        QMessageBox::information(parent, windowTitle(), QString::fromUtf8(favouritesLocked));
    for (int number = 1; number <= kOptionPageCount; ++number) {
        if (number == kFavouritesPageNumber && favouritesLocked) continue;
        OptionPage* page = MakeOptionPage(number, session, tabs_);
        tabs_->addTab(page, page->Caption());
        pages_.push_back(page);
        numbers_.push_back(number);
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    QPushButton* apply = buttons->addButton(QString::fromUtf8("適用"), QDialogButtonBox::ApplyRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &COptionSheet::Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

bool COptionSheet::ShowPageNumber(int number) {
    const auto it = std::find(numbers_.begin(), numbers_.end(), number);
    if (it == numbers_.end()) return false;
    tabs_->setCurrentIndex(static_cast<int>(it - numbers_.begin()));
    return true;
}

void COptionSheet::Apply() {
    for (OptionPage* page : pages_) page->Apply();
}

void COptionSheet::accept() {
    Apply();
    QDialog::accept();
}

}  // namespace velk::app
