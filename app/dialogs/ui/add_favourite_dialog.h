// Dialog 140 "お気に入りの追加": a new favourite's name, or the choice of an existing favourite
// (with "ｻﾌﾞﾌｫﾙﾀﾞを含む" when a folder is added from the explorer pane).
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace velk::app {

// The forbidden characters followed by "は使用できません。".
QString ForbiddenNameMessage();

class AddFavouriteDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { kName = 0, kChoose = 1, kChooseWithSubfolders = 2 };
    static constexpr int kNameEdit = 1138;
    static constexpr int kFavouriteList = 1248;
    static constexpr int kSubfolders = 1249;
    // The longest path the system takes; the favourites folder's own length comes off it.
    static constexpr int kLongestPath = 255;

    // `favouritesFolder` is where a named favourite's file would go; `names` and `preselected`
    // fill the list of the choosing modes.
    AddFavouriteDialog(Mode mode, const QString& favouritesFolder, const QStringList& names = {},
                       int preselected = -1, QWidget* parent = nullptr);

    QString Name() const;
    int ChosenIndex() const;
    bool IncludeSubfolders() const;

    // OK: in name mode the name is checked first, and the dialog stays open when it is refused.
    void accept() override;

  private:
    bool NameAccepted();
    void UpdateOk();

    Mode mode_;
    QString favouritesFolder_;
    QLineEdit* name_ = nullptr;
    QComboBox* list_ = nullptr;
    QCheckBox* subfolders_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace velk::app
