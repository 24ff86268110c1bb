#include "dialogs/ui/property_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/velk_tag_port.h"
#include "dialogs/core/genre_list.h"
#include "dialogs/core/property_apply.h"
#include "dialogs/core/property_texts.h"
#include "dialogs/ui/help_file.h"
#include "ui/control_ids.h"

namespace velk::app {

namespace {

// The genre byte written when no genre is chosen: an unnamed entry of the table.
constexpr int kNoGenre = 255;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

template <typename Widget>
Widget* Named(Widget* widget, int id) {
    widget->setObjectName(ids::ControlObjectName(id));
    return widget;
}

// A group's fields, each beside its label.
void LabelRows(QGroupBox* group, std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    auto* form = new QFormLayout(group);
    for (const auto& [label, field] : rows) form->addRow(QString::fromUtf8(label), field);
}

}  // namespace

PropertyDialog::PropertyDialog(PlayerSession& session, ActiveList& list, int row, bool readOnly,
                               std::function<void(int)> selectRow, QWidget* parent)
    : QDialog(parent),
      session_(session),
      list_(list),
      row_(row),
      readOnly_(readOnly),
      selectRow_(std::move(selectRow)) {
    setWindowTitle(QString::fromUtf8("ﾌﾟﾛﾊﾟﾃｨ"));
    BuildControls();
    apply_->setEnabled(false);
    if (row_ >= 0 && row_ < list_.Count()) LoadRow();
}

void PropertyDialog::BuildControls() {
    auto edit = [this](int id, QWidget* parent) { return Named(new QLineEdit(parent), id); };
    previous_ = Named(new QPushButton(QStringLiteral("<<"), this), kPrevious);
    previous_->setToolTip(QString::fromUtf8("前のﾌﾟﾛﾊﾟﾃｨ"));
    caption_ = Named(new QLabel(this), kCaption);
    caption_->setAlignment(Qt::AlignCenter);
    next_ = Named(new QPushButton(QStringLiteral(">>"), this), kNext);
    next_->setToolTip(QString::fromUtf8("次のﾌﾟﾛﾊﾟﾃｨ"));
    fullPath_ = Named(new QCheckBox(QString::fromUtf8("ﾌﾙﾊﾟｽ表示"), this), kFullPath);
    fullPath_->setToolTip(QString::fromUtf8("ﾌｧｲﾙ名/ﾌﾙﾊﾟｽ名の表示切替"));
    auto* steps = new QHBoxLayout;
    steps->addWidget(previous_);
    steps->addWidget(caption_, 1);
    steps->addWidget(next_);
    steps->addWidget(fullPath_);

    fileName_ = edit(kFileName, this);
    auto* nameRow = new QFormLayout;
    nameRow->addRow(QString::fromUtf8("ﾌｧｲﾙ名"), fileName_);

    tagGroup_ = Named(new QGroupBox(QString::fromUtf8("ﾀｸﾞ情報"), this), kTagGroup);
    title_ = edit(kTitle, tagGroup_);
    artist_ = edit(kArtist, tagGroup_);
    album_ = edit(kAlbum, tagGroup_);
    year_ = edit(kYear, tagGroup_);
    comment_ = edit(kComment, tagGroup_);
    genre_ = Named(new QComboBox(tagGroup_), kGenre);
    for (const GenreChoice& choice : GenreChoices())
        genre_->addItem(Text(choice.name), choice.number);
    LabelRows(tagGroup_, {{"曲名", title_},
                          {"ｱｰﾃｨｽﾄ名", artist_},
                          {"ｱﾙﾊﾞﾑ名", album_},
                          {"ﾘﾘｰｽ年号", year_},
                          {"ｺﾒﾝﾄ", comment_},
                          {"ｼﾞｬﾝﾙ", genre_}});
    message_ = new QLabel(this);
    message_->setAlignment(Qt::AlignCenter);
    message_->hide();

    audioGroup_ = Named(new QGroupBox(QString::fromUtf8("ｵｰﾃﾞｨｵ情報"), this), kAudioGroup);
    auto readOnlyEdit = [&edit, this](int id) {
        QLineEdit* field = edit(id, audioGroup_);
        field->setReadOnly(true);
        return field;
    };
    channels_ = readOnlyEdit(kChannels);
    bitRate_ = readOnlyEdit(kBitRate);
    sampleRate_ = readOnlyEdit(kSampleRate);
    fileSize_ = readOnlyEdit(kFileSize);
    frames_ = readOnlyEdit(kFrames);
    playTime_ = readOnlyEdit(kPlayTime);
    LabelRows(audioGroup_, {{"出力ﾁｬﾝﾈﾙ数", channels_},
                            {"ﾋﾞｯﾄﾚｰﾄ", bitRate_},
                            {"ｻﾝﾌﾟﾘﾝｸﾞﾚｰﾄ", sampleRate_},
                            {"ﾌｧｲﾙｻｲｽﾞ", fileSize_},
                            {"ﾌﾚｰﾑ数", frames_},
                            {"演奏時間", playTime_}});

    apply_ = Named(new QPushButton(QString::fromUtf8("適用(&A)"), this), kApply);
    auto* cancel = Named(new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this), kCancel);
    auto* help = Named(new QPushButton(QString::fromUtf8("ヘルプ"), this), kHelp);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(steps);
    layout->addLayout(nameRow);
    layout->addWidget(tagGroup_);
    layout->addWidget(message_);
    layout->addWidget(audioGroup_);
    layout->addLayout(buttons);

    connect(previous_, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { Step(1); });
    connect(fullPath_, &QCheckBox::toggled, this, [this] { ShowFileName(); });
    for (QLineEdit* field : {fileName_, title_, artist_, album_, year_, comment_}) {
        connect(field, &QLineEdit::textEdited, this, [this] { MarkEdited(); });
    }
    connect(genre_, &QComboBox::activated, this, [this](int index) {
        if (index != loadedGenre_) MarkEdited();
    });
    connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { OpenHelp(); });
}

// Centred on the desktop rather than on the window that opened it.
void PropertyDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* desktop = screen()) {
        move(desktop->availableGeometry().center() - rect().center());
    }
}

// Text set here is no edit of the user's: "適用(&A)" keeps its state.
void PropertyDialog::ShowFileName() {
    if (row_ < 0 || row_ >= list_.Count()) return;
    fileName_->setText(Text(ShownFileName(list_.Entry(row_), fullPath_->isChecked())));
    fileName_->setCursorPosition(fullPath_->isChecked() ? fileName_->text().size() : 0);
}

void PropertyDialog::LoadRow() {
    apply_->setEnabled(false);
    const PlaylistEntry& entry = list_.Entry(row_);
    caption_->setText(QStringLiteral("%1 / %2").arg(row_ + 1).arg(list_.Count()));
    ShowFileName();
    song_ = LoadSongProperties(entry);
    const bool member = entry.isMember();
    tagGroup_->setVisible(song_.HasTag() && !member);
    audioGroup_->setVisible(song_.readable);
    message_->setVisible(member || !song_.readable);
    message_->setText(QString::fromUtf8(member ? "圧縮ﾌｧｲﾙ内のﾘﾈｰﾑ/ﾀｸﾞ編集は行えません。"
                                               : "情報が取得できませんでした。"));
    fileName_->setReadOnly(member || readOnly_);

    const SongTag& tag = song_.tag;
    title_->setText(Text(tag.title));
    artist_->setText(Text(tag.artist));
    album_->setText(Text(tag.album));
    year_->setText(Text(tag.year));
    comment_->setText(Text(tag.comment));
    loadedGenre_ = FindGenreChoice(tag.genreName);
    genre_->setCurrentIndex(loadedGenre_);
    for (QLineEdit* field : {title_, artist_, album_, year_, comment_}) {
        field->setReadOnly(readOnly_);
    }
    genre_->setEnabled(!readOnly_);

    channels_->setText(Text(ChannelsText(song_.channels)));
    bitRate_->setText(Text(BitRateText(song_.bitRate)));
    sampleRate_->setText(Text(SampleRateText(song_.sampleRate)));
    fileSize_->setText(Text(FileSizeText(song_.fileSize)));
    frames_->setText(QString::number(song_.frames));
    playTime_->setText(Text(PlayTimeText(song_.playTime)));
}

void PropertyDialog::MarkEdited() {
    apply_->setEnabled(true);
}

void PropertyDialog::Warn(const QString& text) {
    QMessageBox::warning(this, QString::fromUtf8(ids::kProductName), text);
}

bool PropertyDialog::Apply() {
    if (row_ < 0 || row_ >= list_.Count() || readOnly_) return true;
    PropertyEdits edits;
    edits.nameField = fileName_->text().toStdString();
    edits.fullPath = fullPath_->isChecked();
    edits.tag = {title_->text().toStdString(),   artist_->text().toStdString(),
                 album_->text().toStdString(),   year_->text().toStdString(),
                 comment_->text().toStdString(), {}};
    edits.genre = genre_->currentIndex() >= 0 ? genre_->currentData().toInt() : kNoGenre;
    edits.pcmWave = !song_.HasTag();
    VelkTagPort tags;
    const ApplyOutcome outcome = ApplyProperties(list_.Entry(row_), edits, tags);
    if (outcome.rowChanged) session_.RowsEdited(list_, {row_});
    switch (outcome.result) {
        case ApplyOutcome::kUnencodable:
            Warn(QString::fromUtf8("「%1」はタグに書き込めない文字です。\r\n"
                                   "Shift-JISで表せる文字に直してください。")
                     .arg(Text(outcome.unencodable)));
            return false;
        case ApplyOutcome::kRenameFailed:
            Warn(QString::fromUtf8("リネームに失敗しました。"));
            return false;
        case ApplyOutcome::kTagFailed:
            ShowFileName();
            Warn(QString::fromUtf8("タグ情報の書き換えに失敗しました。"));
            return false;
        case ApplyOutcome::kApplied:
            break;
    }
    ShowFileName();
    apply_->setEnabled(false);
    return true;
}

void PropertyDialog::Step(int direction) {
    if (row_ < 0 || list_.Count() == 0) return;
    if (apply_->isEnabled()) {
        const auto answer = QMessageBox::question(
            this, QString::fromUtf8(ids::kProductName),
            QString::fromUtf8("変更されています。\r\n保存してよろしいですか。"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes && !Apply()) return;
    }
    row_ = NeighbourRow(row_, list_.Count(), direction);
    LoadRow();
    if (selectRow_) selectRow_(row_);
}

}  // namespace velk::app
