// The lyrics editor in the main window's lower panel: the list of lyric lines (1179), the
// direct-edit field (1107) and six buttons. The rules live in LyricsEditor; this panel shows
// them, asks the questions and reaches the engine through the session.
#pragma once

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "core/player_session.h"
#include "lyrics/core/lyrics_editor.h"
#include "lyrics/core/lyrics_store.h"
#include "lyrics/core/sub_second_clock.h"
#include "lyrics/ui/lyrics_line_list.h"

namespace velk::app {

namespace lyrics_edit_ids {
enum Control {
    kEditField = 1107,
    kLineList = 1179,
    kPaste = 1180,
    kSave = 1182,
    kReturn = 1183,
    kTimeTag = 1184,
    kAddLine = 1186,
    kDeleteLine = 1187,
};
}  // namespace lyrics_edit_ids

class LyricsEditPanel : public QWidget, private SessionListener {
    Q_OBJECT
  public:
    LyricsEditPanel(PlayerSession& session, QWidget* parent);
    ~LyricsEditPanel() override;

    // Questions and the failure notice; message boxes unless replaced (tests answer them).
    using Asker = std::function<QMessageBox::StandardButton(const QString& question,
                                                            QMessageBox::StandardButtons)>;
    using Teller = std::function<void(const QString& message)>;
    void SetAsker(Asker asker) { ask_ = std::move(asker); }
    void SetTeller(Teller teller) { tell_ = std::move(teller); }
    // The clipboard's text unless replaced.
    void SetClipboardSource(std::function<QString()> source) { clipboard_ = std::move(source); }

    // Loads the lines of the active list's `row` and shows them.
    void Enter(int row);
    // False when the user keeps unsaved changes.
    bool Leave();
    bool IsEditing() const { return editing_; }
    int Row() const { return row_; }
    const LyricsEditor& Editor() const { return editor_; }

    void SelectLine();
    void CommitEdit();
    void SetTimeTag();
    void PasteLyrics();
    void AddLine();
    void DeleteLine();
    void JumpToLine(int line);
    void SaveLyrics();

  signals:
    // The return button: the main window leaves the editor.
    void returnRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SongStarted(const PlaylistEntry&) override;
    void Stopped() override;
    void SettingsApplied() override;

    LyricsSong SongOfRow() const;
    // The edited song's row, or -1 when the list changed under the editor.
    int CurrentRowOfSong() const;
    bool Playing();
    // The list shows the editor's lines and selection again.
    void ShowLines();
    void ShowSelected();
    void LinesChanged();
    // Where an inserted line goes, after asking `topQuestion` with the first line selected;
    // -1 when cancelled.
    int AskInsertPosition(const char* topQuestion);
    void ObservePlayTime();

    PlayerSession& session_;
    LyricsEditor editor_;
    Asker ask_;
    Teller tell_;
    std::function<QString()> clipboard_;
    bool editing_ = false;
    bool showing_ = false;  // the list is being refilled: its signals are not the user's
    int row_ = -1;
    LyricsSong song_;  // the song being edited, as it was when the editor opened
    SubSecondClock subSecond_;
    QElapsedTimer sinceStart_;
    QTimer playTimeTimer_;

    LyricsLineList* list_ = nullptr;
    QLineEdit* field_ = nullptr;
    QPushButton* paste_ = nullptr;
    QPushButton* addLine_ = nullptr;
    QPushButton* deleteLine_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* return_ = nullptr;
    QPushButton* timeTag_ = nullptr;
};

}  // namespace velk::app
