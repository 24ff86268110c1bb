#include "lyrics/ui/lyrics_window.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "core/gradient.h"
#include "lyrics/core/lyrics_geometry.h"
#include "lyrics/ui/lyrics_font.h"
#include "ui/playlist_model.h"

namespace velk::app {

namespace {

constexpr int kTopGap = 10;       // the first line's rectangle starts this far below the top
constexpr int kResizeBorder = 4;  // the sizing border a captionless window still offers

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

Rect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Qt::Edges EdgesAt(const QPoint& p, const QSize& size) {
    Qt::Edges edges;
    if (p.x() < kResizeBorder) edges |= Qt::LeftEdge;
    if (p.x() >= size.width() - kResizeBorder) edges |= Qt::RightEdge;
    if (p.y() < kResizeBorder) edges |= Qt::TopEdge;
    if (p.y() >= size.height() - kResizeBorder) edges |= Qt::BottomEdge;
    return edges;
}

}  // namespace

LyricsWindow::LyricsWindow(PlayerSession& session)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), session_(session) {
    setObjectName("LyricsWindow");
    setWindowTitle(QStringLiteral("歌詞"));
    // The player ends with its main window, whether or not the lyrics are still in view.
    setAttribute(Qt::WA_QuitOnClose, false);
    timer_.setInterval(kUpdateMs);
    connect(&timer_, &QTimer::timeout, this, &LyricsWindow::UpdateNow);
    setGeometry(ToQRect(Settings().window));
    ApplySettings();
    const LyricsWindowSettings& s = Settings();
    if (s.show && !s.exist && (!s.saveStatus || s.showFlag != 0)) show();
    session_.Subscribe(*this);
}

LyricsWindow::~LyricsWindow() {
    session_.Unsubscribe(*this);
}

// ---- Session ----------------------------------------------------------------------------------

void LyricsWindow::SongStarted(const PlaylistEntry&) {
    display_.Start(session_.Title());
    hasLyrics_ = session_.SongHasLyrics();
    FollowLyricsPresence();
    Redraw();
    timer_.start();
}

void LyricsWindow::Paused() {
    timer_.stop();
}

void LyricsWindow::Resumed() {
    timer_.start();
}

void LyricsWindow::Stopped() {
    timer_.stop();
    display_.Stop();
    hasLyrics_ = false;
    Redraw();
    const LyricsWindowSettings& s = Settings();
    if (s.show && s.exist) hide();
}

void LyricsWindow::Repositioned() {
    display_.Reset();
    UpdateNow();
}

// Saved lyrics show at once, at the place the song has reached.
void LyricsWindow::LyricsReloaded(bool hasLyrics) {
    hasLyrics_ = hasLyrics;
    FollowLyricsPresence();
    display_.Reset();
    UpdateNow();
}

void LyricsWindow::MainWindowMinimised() {
    const LyricsWindowSettings& s = Settings();
    if (s.show && !(s.exist && !hasLyrics_)) show();
}

void LyricsWindow::SettingsApplied() {
    ApplySettings();
    const LyricsWindowSettings& s = Settings();
    if (!s.show) {
        hide();
    } else if (!s.exist) {
        show();
    } else if (session_.EngineState() != kEngineStopped) {
        FollowLyricsPresence();
    }
    Redraw();
}

void LyricsWindow::FollowLyricsPresence() {
    const LyricsWindowSettings& s = Settings();
    if (!s.show || !s.exist) return;
    setVisible(hasLyrics_);
}

void LyricsWindow::ApplySettings() {
    const LyricsWindowSettings& s = Settings();
    titleFont_ = FontFromString(s.titleFont, kDefaultLyricsTitleFont);
    normalFont_ = FontFromString(s.normalFont, kDefaultLyricsNormalFont);
    const bool wasVisible = isVisible();
    const bool topMost = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (topMost != s.topMost) {
        setWindowFlag(Qt::WindowStaysOnTopHint, s.topMost);
        if (wasVisible) show();  // changing the flags hides the window
    }
    ApplyTranslucency();
}

void LyricsWindow::ApplyTranslucency() {
    const LyricsWindowSettings& s = Settings();
    const bool passThrough = s.trans && s.mouseTrans;
    if (windowFlags().testFlag(Qt::WindowTransparentForInput) != passThrough) {
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowTransparentForInput, passThrough);
        if (wasVisible) show();
    }
    setWindowOpacity(s.trans ? std::clamp(s.transValue, 0, 255) / 255.0 : 1.0);
    update();
}

// ---- Updating ---------------------------------------------------------------------------------

void LyricsWindow::UpdateNow() {
    PlayerEngine& engine = session_.Engine();
    const bool playing = engine.State(nullptr) == kEnginePlaying;
    const int step = playing ? KaraokeProgressStep(engine.PlaySpeed(), engine.Pitch()) : 0;
    LyricsViewText view;
    const bool found = engine.CurrentLyricsView(view);
    display_.Update(playing, step, found ? &view : nullptr);
    Redraw();
}

const QFont& LyricsWindow::ShownFont() const {
    return display_.TitleMode() && !display_.Title().empty() ? titleFont_ : normalFont_;
}

QRect LyricsWindow::WorkArea() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect();
}

void LyricsWindow::Redraw() {
    const LyricsWindowSettings& s = Settings();
    const QFontMetrics metrics(ShownFont());
    if (s.autoSize) {
        AutoSizeInput in;
        in.client = {width(), height()};
        in.lineHeight = metrics.boundingRect(QStringLiteral("A")).height();
        in.lineSetting = std::clamp(s.lines, 1, kLyricsSlots);
        in.titleMode = display_.TitleMode();
        if (in.titleMode) {
            in.titleWidth = metrics.horizontalAdvance(Text(display_.Title()));
            in.fitToTitle = display_.TakeFitToTitle();
        }
        const SlotRange range = ShownSlots(s.lines);
        for (int i = range.first; i <= range.last; ++i) {
            const std::string& slot = display_.Slots()[i];
            if (SlotIsDrawn(slot))
                in.widestSlotWidth =
                    std::max(in.widestSlotWidth, metrics.horizontalAdvance(Text(slot)));
        }
        const Extent size = AutoSizedClient(in);
        if (size.width != width() || size.height != height()) resize(size.width, size.height);
    }
    if (s.fit && isVisible()) {
        const QRect work = WorkArea();
        if (work.isValid()) move(ToQRect(KeptInside(ToRect(geometry()), ToRect(work))).topLeft());
    }
    update();
}

// ---- Drawing ----------------------------------------------------------------------------------

void LyricsWindow::paintEvent(QPaintEvent*) {
    const LyricsWindowSettings& s = Settings();
    QImage canvas(size(), QImage::Format_RGB32);
    QPainter p(&canvas);
    for (int row = 0; row < height(); ++row) {
        p.setPen(FromColorRef(GradientRowColour(s.backColor, s.backColor2, row)));
        p.drawLine(0, row, width() - 1, row);
    }
    const QFont& font = ShownFont();
    p.setFont(font);
    const QFontMetrics metrics(font);
    if (display_.TitleMode()) {
        p.setPen(FromColorRef(s.titleColor));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, Text(display_.Title()));
    } else {
        const int lineHeight = metrics.boundingRect(QStringLiteral("A")).height();
        const SlotRange range = ShownSlots(s.lines);
        const auto& lines = display_.Slots();
        int top = kTopGap;
        QRect currentRect;
        for (int i = range.first; i <= range.last; ++i, top += lineHeight) {
            if (!SlotIsDrawn(lines[i])) continue;
            const QRect line(0, top, width(), lineHeight);
            if (i == kCurrentSlot) currentRect = line;
            const bool current = i == kCurrentSlot && !s.karaoke;
            p.setPen(FromColorRef(current ? s.currentColor : s.normalColor));
            p.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, Text(lines[i]));
        }
        if (s.karaoke && !currentRect.isNull()) {
            // The sung part comes from a second drawing of the line in the current colour.
            const QString lineText = Text(lines[kCurrentSlot]);
            QImage sung(size(), QImage::Format_ARGB32_Premultiplied);
            sung.fill(Qt::transparent);
            QPainter q(&sung);
            q.setFont(font);
            q.setPen(FromColorRef(s.currentColor));
            q.drawText(currentRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, lineText);
            q.end();
            const int lineLeft = (width() - metrics.horizontalAdvance(lineText)) / 2;
            const int before = metrics.horizontalAdvance(Text(display_.SungBefore()));
            const int through = metrics.horizontalAdvance(Text(display_.SungThrough()));
            const int right = WipeRight(lineLeft, before, through - before, display_.Progress(),
                                        display_.SegmentDuration());
            const QRect wiped(lineLeft, currentRect.top(), std::max(right - lineLeft, 0),
                              currentRect.height());
            p.drawImage(wiped, sung, wiped);
        }
    }
    p.end();
    QPainter(this).drawImage(0, 0, canvas);
}

// ---- Window behaviour -------------------------------------------------------------------------

void LyricsWindow::RememberRect() {
    Settings().window = ToRect(geometry());
}

void LyricsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RememberRect();
}

void LyricsWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    RememberRect();
}

void LyricsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Settings().showFlag = 1;
}

void LyricsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Settings().showFlag = 0;
}

void LyricsWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (Settings().topMost) raise();
    const Qt::Edges edges = EdgesAt(event->position().toPoint(), size());
    if (edges && windowHandle() && windowHandle()->startSystemResize(edges)) return;
    dragging_ = true;
    dragOrigin_ = event->globalPosition().toPoint();
    grabMouse();
}

void LyricsWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint now = event->globalPosition().toPoint();
    const QPoint delta = now - dragOrigin_;
    dragOrigin_ = now;
    Rect moved = ToRect(geometry().translated(delta));
    const QRect work = WorkArea();
    if (Settings().fit && work.isValid())
        moved = Snapped(moved, ToRect(work), delta.x(), delta.y());
    move(moved.left, moved.top);
}

void LyricsWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    releaseMouse();
}

void LyricsWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* close = menu.addAction(QStringLiteral("閉じる(&C)"));
    close->setData(kCloseCommand);
    if (menu.exec(event->globalPos()) == close) hide();
}

}  // namespace velk::app
