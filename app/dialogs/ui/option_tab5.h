// COptionTab5 "お気に入り" (dialog 137): the favourites and their songs, edited on a working copy
// that replaces the stored favourites when the sheet is confirmed.
#pragma once

#include <QStringList>

#include "dialogs/core/favourites_editor.h"
#include "dialogs/ui/option_page.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velk::app {

class PlayerSession;

class COptionTab5 : public OptionPage {
    Q_OBJECT
  public:
    enum Control {
        // The favourites.
        kFavouriteList = 1092,
        kNewFavourite = 1140,
        kAddFromPlaylist = 1137,
        kRenameFavourite = 1141,
        kRemoveFavourite = 1094,
        kFavouriteUp = 1142,
        kFavouriteDown = 1143,
        // The songs of the selected favourite.
        kSongList = 1093,
        kAddSongs = 1095,
        kRemoveSongs = 1096,
        kSongsUp = 1144,
        kSongsDown = 1145,
        kFullPaths = 1177,
    };

    explicit COptionTab5(PlayerSession& session, QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

    const FavouritesEditor& Editor() const { return editor_; }
    // The button commands, also for the files chosen outside the page's own file dialogs.
    void AddNewFavourite(const QString& name);
    void AddFromPlaylistFile(const QString& file);
    void AddSongs(const QStringList& files);
    void RemoveSelectedFavourite();
    void MoveSelectedFavourite(int direction);
    void RemoveSelectedSongs();
    void MoveSelectedSongs(int direction);
    void RenameFavourite(int row, const QString& name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* AddButton(int id, const char* caption, const char* tip);
    void BuildLists();
    void ShowFavourites(int selectRow);
    void ShowSongs(const std::vector<int>& selectRows = {});
    int SelectedFavourite() const;
    std::vector<int> SelectedSongs() const;
    void ChooseNewFavourite();
    void ChoosePlaylistFile();
    void ChooseSongs();

    PlayerSession& session_;
    FavouritesEditor editor_;
    QTreeWidget* favourites_ = nullptr;
    QTreeWidget* songs_ = nullptr;
    QPushButton* fullPaths_ = nullptr;
    bool filling_ = false;
};

}  // namespace velk::app
