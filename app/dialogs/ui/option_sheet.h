// COptionSheet "ｵﾌﾟｼｮﾝ設定": the six option pages with OK, Cancel and Apply.
#pragma once

#include <QDialog>
#include <vector>

class QTabWidget;

namespace velk::app {

class OptionPage;
class PlayerSession;

// What the main window is doing when the sheet opens: the favourites page cannot be edited
// while the lyrics editor or a long add owns the playlist.
struct OptionSheetState {
    bool lyricsEditing = false;
    bool adding = false;
};

// The page numbers (1-based, as the pages' class names count).
inline constexpr int kOptionPageCount = 6;
inline constexpr int kFavouritesPageNumber = 5;

// Makes page `number` of the sheet.
OptionPage* MakeOptionPage(int number, PlayerSession& session, QWidget* parent);

class COptionSheet : public QDialog {
    Q_OBJECT
  public:
    // Shows why the favourites page is left out, when it is, before the sheet appears.
    COptionSheet(PlayerSession& session, const OptionSheetState& state, QWidget* parent = nullptr);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    OptionPage* Page(int index) const { return pages_.at(index); }
    QTabWidget* Tabs() const { return tabs_; }
    // Brings the page of `number` to the front; false when it is left out.
    bool ShowPageNumber(int number);

    // Every page stores and applies its settings.
    void Apply();
    void accept() override;

  private:
    QTabWidget* tabs_;
    std::vector<OptionPage*> pages_;
    std::vector<int> numbers_;
};

}  // namespace velk::app
