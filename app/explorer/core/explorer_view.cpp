#include "explorer/core/explorer_view.h"

namespace velk::app {

const ExplorerSetting& ViewTypeSetting() {
    static const ExplorerSetting setting{
        {"大きなｱｲｺﾝ", "小さなｱｲｺﾝ", "一覧", "詳細", "詳細(ｸﾞﾘｯﾄﾞ)"}, kDetails};
    return setting;
}

const ExplorerSetting& SplitSetting() {
    static const ExplorerSetting setting{{"横分割", "縦分割"}, kSideBySide};
    return setting;
}

const ExplorerSetting& FolderSelectionSetting() {
    static const ExplorerSetting setting{{"ｼﾝｸﾞﾙｸﾘｯｸ", "ﾀﾞﾌﾞﾙｸﾘｯｸ"}, kDoubleClick};
    return setting;
}

}  // namespace velk::app
