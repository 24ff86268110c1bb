#include "dialogs/ui/option_tab4.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/custom_settings.h"
#include "core/player_session.h"
#include "core/startup_entry.h"
#include "ui/control_ids.h"
#include "ui/hotkey_sequence.h"

namespace velk::app {

namespace {

struct HotkeyRow {
    int id;
    const char* label;
};

// By slot.
constexpr std::array<HotkeyRow, kHotkeySlotCount> kHotkeyRows{{
    {COptionTab4::kPlayPauseKey, "再生/一時停止"},
    {COptionTab4::kStopKey, "停止"},
    {COptionTab4::kPreviousKey, "前の曲"},
    {COptionTab4::kNextKey, "次の曲"},
    {COptionTab4::kTrayKey, "ﾀｽｸﾄﾚｲへ収納/戻す"},
}};

Qt::CheckState CheckStateOf(int state) {
    switch (state) {
        case kTypeAssociated:
            return Qt::Checked;
        case kTypeTakenOver:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

int StateOfCheck(Qt::CheckState check) {
    switch (check) {
        case Qt::Checked:
            return kTypeAssociated;
        case Qt::PartiallyChecked:
            return kTypeTakenOver;
        default:
            return kTypeFree;
    }
}

}  // namespace

COptionTab4::COptionTab4(PlayerSession& session, QWidget* parent)
    : COptionTab4(session,
                  EnvironmentDesktopPaths(session.ProfileFolder(),
                                          QCoreApplication::applicationFilePath().toStdString()),
                  parent) {}

COptionTab4::COptionTab4(PlayerSession& session, const DesktopPaths& paths, QWidget* parent)
    : OptionPage(parent), session_(session), paths_(paths) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildHotkeyGroup());
    layout->addWidget(BuildFileTypeGroup());
    startup_ = new QPushButton(QString::fromUtf8("ｽﾀｰﾄｱｯﾌﾟﾒﾆｭｰにﾌﾟﾛｸﾞﾗﾑのｼｮｰﾄｶｯﾄを追加"), this);
    startup_->setObjectName(ids::ControlObjectName(kStartupShortcut));
    startup_->setEnabled(!StartupEntryExists(paths_));
    connect(startup_, &QPushButton::clicked, this, &COptionTab4::AddStartupShortcut);
    layout->addWidget(startup_);
    layout->addStretch(1);
}

QString COptionTab4::Caption() const {
    return QString::fromUtf8("ｶｽﾀﾏｲｽﾞ");
}

QWidget* COptionTab4::BuildHotkeyGroup() {
    const auto& stored = session_.Settings().custom.hotkeys;
    auto* group = new QGroupBox(QString::fromUtf8("ﾎｯﾄｷｰ"), this);
    auto* layout = new QGridLayout(group);
    for (int slot = 0; slot < kHotkeySlotCount; ++slot) {
        layout->addWidget(new QLabel(QString::fromUtf8(kHotkeyRows[slot].label), group), slot, 0);
        auto* edit = new QKeySequenceEdit(KeySequenceOfHotkey(stored[slot]), group);
        edit->setObjectName(ids::ControlObjectName(kHotkeyRows[slot].id));
        edit->setClearButtonEnabled(true);
        // Qt's own English hint would stand alone in a Japanese page.
        if (auto* field = edit->findChild<QLineEdit*>()) field->setPlaceholderText(QString());
        // A hotkey is one key combination; later ones of a sequence are dropped.
        connect(edit, &QKeySequenceEdit::keySequenceChanged, this,
                [this, edit](const QKeySequence& sequence) {
                    if (sequence.count() > 1) edit->setKeySequence(QKeySequence(sequence[0]));
                    changed_ = true;
                });
        layout->addWidget(edit, slot, 1);
        hotkeys_[slot] = edit;
    }
    return group;
}

QWidget* COptionTab4::BuildFileTypeGroup() {
    std::vector<int>& states = session_.Settings().custom.extKeys;
    states.resize(kFileTypeCount, kTypeFree);
    MarkTakenOverTypes(FileAssociations(paths_), states);
    auto* group = new QGroupBox(QString::fromUtf8("関連付けるﾌｧｲﾙ"), this);
    auto* layout = new QHBoxLayout(group);
    fileTypes_ = new QListWidget(group);
    fileTypes_->setObjectName(ids::ControlObjectName(kFileTypes));
    for (int row = 0; row < kFileTypeCount; ++row) {
        auto* item = new QListWidgetItem(QString::fromUtf8(FileTypeLabels()[row]), fileTypes_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(CheckStateOf(states[row]));
    }
    connect(fileTypes_, &QListWidget::itemChanged, this, [this] { changed_ = true; });
    layout->addWidget(fileTypes_, 1);
    auto* buttons = new QVBoxLayout;
    auto* selectAll = new QPushButton(QString::fromUtf8("すべて選択"), group);
    selectAll->setObjectName(ids::ControlObjectName(kSelectAll));
    connect(selectAll, &QPushButton::clicked, this, [this] { CheckAllFileTypes(true); });
    auto* clearAll = new QPushButton(QString::fromUtf8("すべてｸﾘｱ"), group);
    clearAll->setObjectName(ids::ControlObjectName(kClearAll));
    connect(clearAll, &QPushButton::clicked, this, [this] { CheckAllFileTypes(false); });
    buttons->addWidget(selectAll);
    buttons->addWidget(clearAll);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return group;
}

void COptionTab4::CheckAllFileTypes(bool checked) {
    for (int row = 0; row < fileTypes_->count(); ++row) {
        fileTypes_->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void COptionTab4::AddStartupShortcut() {
    const QString title = QString::fromUtf8("ｶｽﾀﾏｲｽﾞ");
    if (!AddStartupEntry(paths_)) {
        QMessageBox::warning(this, title, QString::fromUtf8("登録に失敗しました。"));
        return;
    }
    startup_->setEnabled(false);
    QMessageBox::information(this, title,
                             QString::fromUtf8("ｽﾀｰﾄｱｯﾌﾟﾒﾆｭｰにﾌﾟﾛｸﾞﾗﾑのｼｮｰﾄｶｯﾄを追加しました。\r\n"
                                               "次回Windowsの起動時にﾀｽｸﾄﾚｲに表示されます。"));
}

void COptionTab4::Apply() {
    if (!changed_) return;
    changed_ = false;
    CustomSettings& custom = session_.Settings().custom;
    for (int slot = 0; slot < kHotkeySlotCount; ++slot) {
        custom.hotkeys[slot] = HotkeyOfKeySequence(hotkeys_[slot]->keySequence());
    }
    custom.extKeys.assign(fileTypes_->count(), kTypeFree);
    for (int row = 0; row < fileTypes_->count(); ++row) {
        custom.extKeys[row] = StateOfCheck(fileTypes_->item(row)->checkState());
    }
    if (!session_.IsReadOnly()) {
        WriteCustomSettings(session_.Store(), custom);
        ApplyFileTypeStates(FileAssociations(paths_), custom.extKeys);
    }
    session_.ApplySettings();
}

}  // namespace velk::app
