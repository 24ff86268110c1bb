// Dialog 130 "ﾌﾟﾛﾊﾟﾃｨ": one playlist row's file name, ID3v1 tag and audio properties, with
// editing, renaming and stepping through the rows.
#pragma once

#include <QDialog>
#include <functional>

#include "core/player_session.h"
#include "dialogs/core/song_properties.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velk::app {

class PropertyDialog : public QDialog {
    Q_OBJECT
  public:
    enum Control {
        kPrevious = 1060,
        kCaption = 1072,
        kNext = 1003,
        kFullPath = 1177,
        kFileName = 1067,
        kTagGroup = 1070,
        kTitle = 1062,
        kArtist = 1063,
        kAlbum = 1064,
        kYear = 1065,
        kComment = 1066,
        kGenre = 1170,
        kAudioGroup = 1071,
        kChannels = 1041,
        kBitRate = 1042,
        kSampleRate = 1043,
        kFileSize = 1044,
        kFrames = 1045,
        kPlayTime = 1046,
        kApply = 1068,
        kCancel = 2,
        kHelp = 1085,
    };

    // Shows `row` of `list` (-1: nothing). `selectRow` selects a row in the opener's list when
    // "<<" or ">>" moves; `readOnly` keeps name and tag as they are.
    PropertyDialog(PlayerSession& session, ActiveList& list, int row, bool readOnly,
                   std::function<void(int)> selectRow, QWidget* parent = nullptr);

    int Row() const { return row_; }
    // "適用(&A)": true when everything was written (or nothing needed to be).
    bool Apply();
    // "<<" (-1) and ">>" (+1), with the save question when there are changes.
    void Step(int direction);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void LoadRow();
    void ShowFileName();
    void MarkEdited();
    // A warning box with one of the dialog's failure texts.
    void Warn(const QString& text);

    PlayerSession& session_;
    ActiveList& list_;
    int row_;
    bool readOnly_;
    std::function<void(int)> selectRow_;
    SongProperties song_;
    int loadedGenre_ = -1;

    QPushButton* previous_ = nullptr;
    QLabel* caption_ = nullptr;
    QPushButton* next_ = nullptr;
    QCheckBox* fullPath_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QGroupBox* tagGroup_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* artist_ = nullptr;
    QLineEdit* album_ = nullptr;
    QLineEdit* year_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QComboBox* genre_ = nullptr;
    QLabel* message_ = nullptr;
    QGroupBox* audioGroup_ = nullptr;
    QLineEdit* channels_ = nullptr;
    QLineEdit* bitRate_ = nullptr;
    QLineEdit* sampleRate_ = nullptr;
    QLineEdit* fileSize_ = nullptr;
    QLineEdit* frames_ = nullptr;
    QLineEdit* playTime_ = nullptr;
    QPushButton* apply_ = nullptr;
};

}  // namespace velk::app
