#include "ui/playlist_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStyle>

#include "ui/app_font.h"
#include "ui/playlist_model.h"

namespace velk::app {
namespace {

const QColor kFileListColour(0xFF, 0xFF, 0xE0);
const QColor kCurrentLineColour(0x20, 0x80, 0x20);
// The view's own background: any of it showing inside a row is an uncovered strip.
const QColor kViewBackground(0xFF, 0x00, 0xFF);

class PlaylistViewFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(qApp, nullptr);
        for (int length : {600, 3599, 42}) {
            auto entry = std::make_unique<PlaylistEntry>();
            entry->displayName = "Song";
            entry->artist = "Artist";
            entry->length = length;
            playlist.Append(std::move(entry));
        }
        playlist.SetCurrentIndex(0);
        model.SetColours(kFileListColour, kCurrentLineColour);
        view.setFont(AppFont());
        QPalette palette = view.palette();
        palette.setColor(QPalette::Base, kViewBackground);
        view.setPalette(palette);
        view.setModel(&model);
        view.ApplyColumnWidths({200, 25, 75, 40});
        view.show();
    }

    void ResizeTo(int width) {
        view.resize(width, 200);
        view.setCurrentIndex({});  // no focus frame over the sampled row
        QApplication::processEvents();
    }

    // The colour at the right end of a row, just inside the viewport.
    QColor RightEndOfRow(int row) {
        const QImage image = view.viewport()->grab().toImage();
        const QRect rect = view.visualRect(model.index(row, 0));
        const QPoint point(view.viewport()->width() - 2, rect.center().y());
        return image.pixelColor(point * image.devicePixelRatio());
    }

    // Room the time column leaves for its text.
    int TimeTextRoom() {
        const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view);
        return view.columnWidth(kColumnTime) - 2 * (margin + 1);
    }

    Playlist playlist;
    PlaylistModel model{playlist};
    PlaylistView view;
};

TEST_F(PlaylistViewFixture, RowsReachTheRightEdgeAndTimesFitAtNarrowAndWideSizes) {
    const QFontMetrics metrics(view.font());
    for (int width : {385, 900}) {
        SCOPED_TRACE(width);
        ResizeTo(width);
        EXPECT_GE(view.header()->length(), view.viewport()->width());
        EXPECT_EQ(RightEndOfRow(0), kCurrentLineColour);
        EXPECT_EQ(RightEndOfRow(1), kFileListColour);
        EXPECT_GE(TimeTextRoom(), metrics.horizontalAdvance("10:00"));
        EXPECT_GE(TimeTextRoom(), metrics.horizontalAdvance("0:00:00"));
    }
}

TEST_F(PlaylistViewFixture, ColumnsStayResizableButTheTimeColumnNotBelowItsMinimum) {
    ResizeTo(385);
    const int minimum = view.MinimumTimeColumnWidth();
    view.header()->resizeSection(kColumnArtist, 120);
    EXPECT_EQ(view.columnWidth(kColumnArtist), 120);
    view.header()->resizeSection(kColumnTime, minimum + 30);
    EXPECT_EQ(view.columnWidth(kColumnTime), minimum + 30);
    view.header()->resizeSection(kColumnTime, 10);
    EXPECT_EQ(view.columnWidth(kColumnTime), minimum);
    // The title column gives way to the others and the row still ends at the edge.
    EXPECT_GE(view.header()->length(), view.viewport()->width());
    EXPECT_EQ(RightEndOfRow(0), kCurrentLineColour);
}

TEST_F(PlaylistViewFixture, SavedWidthsAreClampedAndTheTitleFillsWhatIsLeft) {
    ResizeTo(900);
    view.ApplyColumnWidths({5000, -3, 90, 0});
    QApplication::processEvents();
    EXPECT_GE(view.columnWidth(kColumnLyrics), view.header()->minimumSectionSize());
    EXPECT_EQ(view.columnWidth(kColumnArtist), 90);
    EXPECT_EQ(view.columnWidth(kColumnTime), view.MinimumTimeColumnWidth());
    EXPECT_EQ(view.header()->length(), view.viewport()->width());
}

}  // namespace
}  // namespace velk::app
