// The explorer list's model over its core list: six columns whose texts and icons are made
// when a view asks for them, the row colours, the header arrows and renaming by editing a name.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <vector>

#include "explorer/core/explorer_list.h"
#include "explorer/ui/path_bytes.h"
#include "ui/file_type_look.h"

namespace velk::app {

class ExplorerListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ExplorerListModel(ExplorerList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A new name is handed to the renamer; the row changes only when the rename succeeded.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void SetColours(QColor fileList, QColor currentLine);
    void SetRenamer(std::function<bool(int row, const QString& name)> renamer) {
        renamer_ = std::move(renamer);
    }
    // The desktop's type name of a file, for the rows the pane makes.
    std::string TypeName(const std::string& path) {
        return looks_.TypeName(PathText(path)).toStdString();
    }

    void Clear();
    void Append(std::vector<ExplorerRow> rows);
    // Removes the rows one by one, so that the views keep their selection and scroll position.
    RemovalResult RemoveRows(std::vector<int> rows);
    // Rows changed in order (sorting): every view starts over.
    void Reload();
    // Contents of rows changed (played, failed, current, names).
    void Repaint();

  private:
    ExplorerList& list_;
    QColor fileListColour_;
    QColor currentLineColour_;
    std::function<bool(int, const QString&)> renamer_;
    mutable FileTypeLook looks_;
};

}  // namespace velk::app
