#include "lyrics/ui/lyrics_edit_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>

#include "ui/control_ids.h"
#include "ui/playlist_model.h"

namespace velk::app {

namespace {

// Often enough that a stamped tag's hundredths are right to about two.
constexpr int kPlayTimePollMs = 20;
constexpr int kButtonHeight = 24;
constexpr int kFieldHeight = 22;
constexpr int kGap = 2;

QPushButton* MakeButton(QWidget* parent, int id, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(ids::ControlObjectName(id));
    return button;
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

LyricsEditPanel::LyricsEditPanel(PlayerSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ask_ = [this](const QString& question, QMessageBox::StandardButtons buttons) {
        return QMessageBox::question(this, ids::kProductName, question, buttons);
    };
    tell_ = [this](const QString& message) {
        QMessageBox::warning(this, QString(), message, QMessageBox::Ok);
    };
    clipboard_ = [] { return QApplication::clipboard()->text(); };

    list_ = new LyricsLineList(this);
    list_->setObjectName(ids::ControlObjectName(lyrics_edit_ids::kLineList));
    field_ = new QLineEdit(this);
    field_->setObjectName(ids::ControlObjectName(lyrics_edit_ids::kEditField));
    field_->installEventFilter(this);
    paste_ = MakeButton(this, lyrics_edit_ids::kPaste, "貼り付け");
    addLine_ = MakeButton(this, lyrics_edit_ids::kAddLine, "行追加");
    deleteLine_ = MakeButton(this, lyrics_edit_ids::kDeleteLine, "行削除");
    save_ = MakeButton(this, lyrics_edit_ids::kSave, "保存");
    return_ = MakeButton(this, lyrics_edit_ids::kReturn, "戻る");
    timeTag_ = MakeButton(this, lyrics_edit_ids::kTimeTag, "ﾀｲﾑﾀｸﾞｾｯﾄ");

    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!showing_) SelectLine();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { JumpToLine(list_->row(item)); });
    connect(list_, &LyricsLineList::spacePressed, this, &LyricsEditPanel::SetTimeTag);
    connect(list_, &LyricsLineList::deletePressed, this, &LyricsEditPanel::DeleteLine);
    connect(list_, &LyricsLineList::pastePressed, this, &LyricsEditPanel::PasteLyrics);
    connect(list_, &LyricsLineList::savePressed, this, &LyricsEditPanel::SaveLyrics);
    connect(field_, &QLineEdit::textChanged, this, [this] {
        if (editor_.Empty() && !field_->text().isEmpty()) field_->clear();
    });
    connect(paste_, &QPushButton::clicked, this, &LyricsEditPanel::PasteLyrics);
    connect(addLine_, &QPushButton::clicked, this, &LyricsEditPanel::AddLine);
    connect(deleteLine_, &QPushButton::clicked, this, &LyricsEditPanel::DeleteLine);
    connect(save_, &QPushButton::clicked, this, &LyricsEditPanel::SaveLyrics);
    connect(return_, &QPushButton::clicked, this, &LyricsEditPanel::returnRequested);
    connect(timeTag_, &QPushButton::clicked, this, &LyricsEditPanel::SetTimeTag);

    sinceStart_.start();
    playTimeTimer_.setInterval(kPlayTimePollMs);
    connect(&playTimeTimer_, &QTimer::timeout, this, &LyricsEditPanel::ObservePlayTime);
    hide();
    session_.Subscribe(*this);
    SettingsApplied();
}

LyricsEditPanel::~LyricsEditPanel() {
    session_.Unsubscribe(*this);
}

void LyricsEditPanel::SettingsApplied() {
    const MainWindowSettings& m = session_.Settings().main;
    const auto setBase = [](QWidget* widget, uint32_t colour) {
        QPalette colours = widget->palette();
        colours.setColor(QPalette::Base, FromColorRef(colour));
        widget->setPalette(colours);
    };
    setBase(list_, m.lyricsListColor);
    setBase(field_, m.lyricsEditColor);
}

void LyricsEditPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width(), h = height();
    const int buttonsTop = h - kButtonHeight;
    const int fieldTop = buttonsTop - kGap - kFieldHeight;
    list_->setGeometry(0, 0, w, std::max(fieldTop - kGap, 0));
    field_->setGeometry(0, fieldTop, w, kFieldHeight);
    QPushButton* buttons[] = {paste_, addLine_, deleteLine_, timeTag_, save_, return_};
    const int count = static_cast<int>(std::size(buttons));
    const int buttonWidth = (w - kGap * (count - 1)) / count;
    for (int i = 0; i < count; ++i) {
        buttons[i]->setGeometry(i * (buttonWidth + kGap), buttonsTop, buttonWidth, kButtonHeight);
    }
}

// The direct-edit field gives its text to the line when the focus leaves it.
bool LyricsEditPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::FocusOut) CommitEdit();
    return QWidget::eventFilter(watched, event);
}

// ---- Entering and leaving -------------------------------------------------------------------

LyricsSong LyricsEditPanel::SongOfRow() const {
    ActiveList& list = session_.Active();
    LyricsSong song;
    if (row_ < 0 || row_ >= list.Count()) return song;
    const PlaylistEntry& entry = list.Entry(row_);
    song.path = entry.path;
    song.memberName = entry.memberName;
    song.fileType = session_.Engine().FileType(entry.path);
    song.useLyrics3 = session_.Settings().lyrics.lyrics3;
    return song;
}

void LyricsEditPanel::Enter(int row) {
    row_ = row;
    editing_ = true;
    song_ = SongOfRow();
    editor_.Load(song_.path.empty() ? std::vector<std::string>() : LoadLyricsLines(song_));
    ShowLines();
    field_->clear();
    save_->setEnabled(false);
    deleteLine_->setEnabled(editor_.Selected() >= 0);
    timeTag_->setEnabled(false);
    addLine_->setEnabled(true);
    // Watched all along the edit, so that a resumed song has its seconds' beginnings seen too.
    playTimeTimer_.start();
    list_->setFocus();
}

bool LyricsEditPanel::Leave() {
    if (editing_ && editor_.Modified() &&
        ask_(QString::fromUtf8("変更内容が破棄されますがよろしいですか？"),
             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return false;
    }
    editing_ = false;
    playTimeTimer_.stop();
    hide();
    return true;
}

// ---- Playback beside the editor -------------------------------------------------------------

bool LyricsEditPanel::Playing() {
    return session_.EngineState() == kEnginePlaying;
}

void LyricsEditPanel::SongStarted(const PlaylistEntry&) {
    if (!editing_) return;
    timeTag_->setEnabled(!editor_.Empty());
}

void LyricsEditPanel::Stopped() {
    if (!editing_) return;
    timeTag_->setEnabled(false);
}

void LyricsEditPanel::ObservePlayTime() {
    int seconds = 0;
    session_.Engine().State(&seconds);
    subSecond_.Observe(seconds, sinceStart_.elapsed());
}

// ---- The list -------------------------------------------------------------------------------

void LyricsEditPanel::ShowLines() {
    showing_ = true;
    list_->clear();
    for (const std::string& line : editor_.Lines()) list_->addItem(Text(line));
    showing_ = false;
    ShowSelected();
}

void LyricsEditPanel::ShowSelected() {
    showing_ = true;
    const int selected = editor_.Selected();
    if (selected >= 0) {
        list_->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
        list_->scrollToItem(list_->item(selected));
    } else {
        list_->clearSelection();
    }
    showing_ = false;
}

void LyricsEditPanel::LinesChanged() {
    save_->setEnabled(true);
    deleteLine_->setEnabled(editor_.Selected() >= 0);
    timeTag_->setEnabled(Playing() && !editor_.Empty());
}

void LyricsEditPanel::SelectLine() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    editor_.Select(selected.isEmpty() ? -1 : list_->row(selected.front()));
    if (editor_.Selected() < 0) {
        deleteLine_->setEnabled(false);
        return;
    }
    addLine_->setEnabled(true);
    deleteLine_->setEnabled(true);
    field_->setText(Text(editor_.EditText()));
}

void LyricsEditPanel::CommitEdit() {
    const int index = editor_.EditIndex();
    if (index < 0 || index >= list_->count()) return;
    const bool wasModified = editor_.Modified();
    editor_.Commit(field_->text().toStdString());
    list_->item(index)->setText(Text(editor_.Lines()[index]));
    if (editor_.Modified() && !wasModified) save_->setEnabled(true);
}

void LyricsEditPanel::SetTimeTag() {
    if (session_.EngineState() == kEngineStopped || editor_.Selected() < 0) return;
    const int stamped = editor_.Selected();
    int seconds = 0;
    session_.Engine().State(&seconds);
    const int hundredths = subSecond_.Hundredths(seconds, sinceStart_.elapsed());
    editor_.StampSelected(seconds - session_.Player().OpenStartSeconds(), hundredths);
    list_->item(stamped)->setText(Text(editor_.Lines()[stamped]));
    ShowSelected();
    field_->setText(Text(editor_.EditText()));
    list_->setFocus();
    save_->setEnabled(true);
    timeTag_->setEnabled(Playing());
}

int LyricsEditPanel::AskInsertPosition(const char* topQuestion) {
    if (!editor_.InsertAsksForTop()) return editor_.InsertPosition(false);
    switch (ask_(QString::fromUtf8(topQuestion),
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return editor_.InsertPosition(true);
        case QMessageBox::No:
            return editor_.InsertPosition(false);
        default:
            return -1;
    }
}

void LyricsEditPanel::PasteLyrics() {
    const std::string text = clipboard_().toStdString();
    if (text.empty()) return;
    if (!editor_.Empty()) {
        const auto answer = ask_(QString::fromUtf8("表示内容をクリアしてから貼り付けますか？"),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel || answer == QMessageBox::Escape) return;
        if (answer == QMessageBox::Yes) editor_.Clear();
    }
    const int position = AskInsertPosition("先頭に貼り付けますか？");
    if (position < 0) return;
    editor_.Paste(text, position);
    ShowLines();
    field_->setText(Text(editor_.EditText()));
    LinesChanged();
}

void LyricsEditPanel::AddLine() {
    const int position = AskInsertPosition("先頭に行を追加しますか？");
    if (position < 0) return;
    editor_.AddLine(position);
    ShowLines();
    field_->clear();
    LinesChanged();
}

void LyricsEditPanel::DeleteLine() {
    field_->clear();
    if (!editor_.DeleteSelected()) return;
    ShowLines();
    field_->setText(Text(editor_.EditText()));
    LinesChanged();
}

void LyricsEditPanel::JumpToLine(int line) {
    if (line < 0 || line >= static_cast<int>(editor_.Lines().size())) return;
    const int seconds = LineTagSeconds(editor_.Lines()[line]);
    if (seconds < 0) return;
    Transport& transport = session_.Player();
    if (session_.EngineState() == kEngineStopped) transport.PlayCurrent(false);
    if (session_.EngineState() == kEngineStopped) return;
    // The seek counts from the song's own start, and the lyrics window starts over there.
    transport.SeekTo(seconds);
}

void LyricsEditPanel::SaveLyrics() {
    if (!save_->isEnabled() || !editing_) return;
    if (ask_(QString::fromUtf8("保存してよろしいですか？"), QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes) {
        return;
    }
    const LyricsSaveResult result =
        song_.path.empty() ? LyricsSaveResult{} : SaveLyricsLines(song_, editor_.Lines());
    if (!result.saved) {
        tell_(QString::fromUtf8("保存に失敗しました。"));
        return;
    }
    editor_.MarkSaved();
    save_->setEnabled(false);
    session_.LyricsSaved(CurrentRowOfSong(), result.lyricsMark, result.text);
}

int LyricsEditPanel::CurrentRowOfSong() const {
    ActiveList& list = session_.Active();
    if (row_ < 0 || row_ >= list.Count()) return -1;
    const PlaylistEntry& entry = list.Entry(row_);
    return entry.path == song_.path && entry.memberName == song_.memberName ? row_ : -1;
}

}  // namespace velk::app
