// Dialog 220 "ｱｰﾃｨｽﾄ名の統一": the artist text that the selected rows' tags are to share.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QComboBox;

namespace velk::app {

class UnifyArtistDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kArtistCombo = 1191;

    // The combo offers each non-empty one of `artists` once, sorted; the first of `artists` is
    // preselected.
    explicit UnifyArtistDialog(const QStringList& artists, QWidget* parent = nullptr);

    QString ChosenArtist() const;

    // Runs the dialog; the chosen or typed text, or nothing when it was cancelled.
    static std::optional<QString> Ask(const QStringList& artists, QWidget* parent);

  private:
    QComboBox* artist_;
};

}  // namespace velk::app
