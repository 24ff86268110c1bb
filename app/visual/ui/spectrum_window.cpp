#include "visual/ui/spectrum_window.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "core/gradient.h"
#include "lyrics/core/lyrics_geometry.h"
#include "ui/control_ids.h"

namespace velk::app {

namespace {

// The surface is never smaller than the widest graph (256 columns).
constexpr int kSurfaceMinimum = 255;

QRgb ToRgb(uint32_t colorRef) {
    return qRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

struct MenuItem {
    int command;
    const char* text;
    int kind;  // 0: not a kind
};

constexpr MenuItem kMenuItems[] = {
    {spec_ids::kClose, "閉じる(&C)", 0},
    {spec_ids::kOscilloscope, "ｵｼﾛｽｺｰﾌﾟ(&1)", kOscilloscope},
    {spec_ids::kFineArea, "細かい面ｸﾞﾗﾌ(&2)", kFineArea},
    {spec_ids::kCoarseArea, "荒い面ｸﾞﾗﾌ(&3)", kCoarseArea},
    {spec_ids::kFineBars, "細かい縦棒ｸﾞﾗﾌ(&4)", kFineBars},
    {spec_ids::kCoarseBars, "荒い縦棒ｸﾞﾗﾌ(&5)", kCoarseBars},
    {spec_ids::kPeaks, "頂点(&6)", kPeaks},
    {spec_ids::kTopDelay, "頂点を遅延させる(&T)", 0},
};

}  // namespace

SpectrumWindow::SpectrumWindow(PlayerSession& session) : session_(session) {
    setObjectName(QStringLiteral("SpectrumWindow"));
    setWindowTitle(QStringLiteral("Spectrum"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The player ends with its main window, whatever this one shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    setMinimumSize(spec_ids::kMinimumWidth, spec_ids::kMinimumHeight);
    SpectrumWindowSettings& s = Spec();
    s.kind = s.saveStatus ? ValidSpectrumKind(s.kind) : kOscilloscope;
    const Rect& r = s.saveStatus ? s.window : kDefaultSpectrumRect;
    setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    ApplyWindowStyle();
    timer_.setInterval(spec_ids::kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &SpectrumWindow::Tick);
    session_.Subscribe(*this);
    SettingsApplied();
}

SpectrumWindow::~SpectrumWindow() {
    session_.Unsubscribe(*this);
}

void SpectrumWindow::SetKind(int kind) {
    Spec().kind = ValidSpectrumKind(kind);
    Redraw();
}

// ---- What the session says ----------------------------------------------------------------

void SpectrumWindow::SongStarted(const PlaylistEntry&) {
    if (Spec().show && Spec().playing) SetShown(true);
    timer_.start();
}

void SpectrumWindow::Stopped() {
    if (Spec().show && Spec().playing) SetShown(false);
    timer_.stop();
    Redraw();
}

// After a seek while paused the old picture no longer belongs to the position.
void SpectrumWindow::Repositioned() {
    if (session_.Engine().State(nullptr) != kEnginePaused) return;
    clearOnce_ = true;
    Redraw();
}

void SpectrumWindow::SettingsApplied() {
    const SpectrumWindowSettings& s = Spec();
    ApplyWindowStyle();
    const int state = session_.Engine().State(nullptr);
    SetShown(s.show && (!s.playing || state == kEnginePlaying || state == kEnginePaused));
    Redraw();
}

// ---- Drawing ------------------------------------------------------------------------------

void SpectrumWindow::Tick() {
    if (isVisible() && session_.Engine().State(nullptr) == kEnginePlaying) Redraw();
}

void SpectrumWindow::DrawNow() {
    clearOnce_ = false;
    const int state = session_.Engine().State(nullptr);
    PaintBackground();
    if (state != kEngineStopped) {
        if (Kind() == kOscilloscope) {
            DrawOscilloscope();
        } else {
            DrawGraph(state == kEnginePlaying);
        }
    }
    update();
}

void SpectrumWindow::Redraw() {
    PaintBackground();
    const int state = session_.Engine().State(nullptr);
    if (clearOnce_) {
        if (state == kEnginePaused) {
            levels_.Clear();
            update();
            return;
        }
        clearOnce_ = false;
    }
    if (state == kEngineStopped) {
        levels_.Clear();
    } else if (Kind() == kOscilloscope) {
        DrawOscilloscope();
    } else {
        DrawGraph(state == kEnginePlaying);
    }
    update();
}

void SpectrumWindow::PaintBackground() {
    const QSize size(std::max(width(), kSurfaceMinimum), std::max(height(), kSurfaceMinimum));
    if (surface_.size() != size) surface_ = QImage(size, QImage::Format_RGB32);
    for (int y = 0; y < surface_.height(); ++y) {
        const QRgb colour = ToRgb(GradientRowColour(Spec().backColor, Spec().backColor2, y));
        auto* row = reinterpret_cast<QRgb*>(surface_.scanLine(y));
        std::fill(row, row + surface_.width(), colour);
    }
    stretchedColumns_ = 0;
}

void SpectrumWindow::DrawOscilloscope() {
    VisualChannel left{}, right{};
    session_.Engine().WaveData(left, right);
    QPolygon trace;
    for (int i = 1; i <= 127; ++i) {
        const ScopePoint p = OscilloscopePoint(i, left[2 * i], right[2 * i], width(), height());
        trace << QPoint(p.x, p.y);
    }
    QPainter painter(&surface_);
    painter.setPen(QPen(QColor(ToRgb(Spec().waveColor)), 1));
    painter.drawPolyline(trace);
}

void SpectrumWindow::DrawGraph(bool playing) {
    VisualChannel left{}, right{};
    session_.Engine().SpectrumData(left, right);
    const int kind = Kind();
    const GraphColumns columns = ColumnsOfKind(kind);
    const bool wide = IsWideKind(kind);
    const int h = height();
    const QRgb top = ToRgb(Spec().topColor);
    for (int x = 0; x <= columns.last; x += columns.step) {
        const int bin = BinOfColumn(x, columns.step);
        const int level = SpectrumLevel(std::max(left[bin], right[bin]), h);
        int& bar = levels_.bars[bin];
        int& peak = levels_.peaks[bin];
        bar = NextBarValue(bar, level);
        peak = NextPeakValue(peak, level, playing);
        const int barTop = h - bar;
        const int mark = Spec().topDelay ? h - peak : barTop;
        if (kind != kPeaks) PaintBar(x, barTop, wide);
        PaintPixel(x, mark, top);
        if (wide) PaintPixel(x + 1, mark, top);
    }
    stretchedColumns_ = ShownColumns(columns.last);
}

void SpectrumWindow::PaintBar(int x, int barTop, bool wide) {
    const int bottom = height();
    const int lowest = std::min(bottom, surface_.height() - 1);
    for (int y = lowest; y >= std::max(barTop, 0); --y) {
        const uint32_t colour = BarPixelColour(Spec().foreColor2, Spec().foreColor, bottom - y);
        PaintPixel(x, y, ToRgb(colour));
        if (wide) PaintPixel(x + 1, y, ToRgb(colour));
    }
}

void SpectrumWindow::PaintPixel(int x, int y, QRgb colour) {
    if (x < 0 || y < 0 || x >= surface_.width() || y >= surface_.height()) return;
    reinterpret_cast<QRgb*>(surface_.scanLine(y))[x] = colour;
}

void SpectrumWindow::paintEvent(QPaintEvent*) {
    if (surface_.isNull()) PaintBackground();
    QPainter painter(this);
    if (stretchedColumns_ > 0) {
        painter.drawImage(rect(), surface_, QRect(0, 0, stretchedColumns_, height()));
    } else {
        painter.drawImage(QPoint(0, 0), surface_, rect());
    }
}

// ---- Window behaviour -------------------------------------------------------------------

void SpectrumWindow::SetShown(bool shown) {
    Spec().showFlag = shown ? kShowNormal : 0;
    setVisible(shown);
}

void SpectrumWindow::ApplyWindowStyle() {
    const SpectrumWindowSettings& s = Spec();
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (s.topMost) flags |= Qt::WindowStaysOnTopHint;
    if (s.trans && s.mouseTrans) flags |= Qt::WindowTransparentForInput;
    if (windowFlags() != flags) {
        const bool visible = isVisible();
        setWindowFlags(flags);
        if (visible) show();
    }
    setWindowOpacity(s.trans ? std::clamp(s.transValue, 0, 255) / 255.0 : 1.0);
}

void SpectrumWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (Spec().topMost) raise();
    Redraw();
}

void SpectrumWindow::RememberRect() {
    Spec().window = {x(), y(), x() + width(), y() + height()};
}

void SpectrumWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RememberRect();
    Redraw();
}

void SpectrumWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    RememberRect();
}

void SpectrumWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (Spec().topMost) raise();
    lastMouse_ = event->globalPosition().toPoint();
    dragging_ = true;
}

void SpectrumWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

// The work area is the screen less the task bar (or any panel) on its edges.
void SpectrumWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const QPoint mouse = event->globalPosition().toPoint();
    const QPoint delta = mouse - lastMouse_;
    lastMouse_ = mouse;
    const QRect to = geometry().translated(delta);
    Rect moved{to.left(), to.top(), to.left() + to.width(), to.top() + to.height()};
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    if (Spec().fit && work.isValid()) {
        const Rect area{work.left(), work.top(), work.left() + work.width(),
                        work.top() + work.height()};
        moved = Snapped(moved, area, delta.x(), delta.y());
    }
    move(moved.left, moved.top);
}

void SpectrumWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SetKind(NextSpectrumKind(Kind()));
}

std::unique_ptr<QMenu> SpectrumWindow::MakeMenu() {
    auto menu = std::make_unique<QMenu>();
    for (const MenuItem& item : kMenuItems) {
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setObjectName(ids::ControlObjectName(item.command));
        action->setData(item.command);
        const bool checked = item.kind ? item.kind == Kind()
                                       : item.command == spec_ids::kTopDelay && Spec().topDelay;
        action->setCheckable(item.command != spec_ids::kClose);
        action->setChecked(checked);
    }
    connect(menu.get(), &QMenu::triggered, this,
            [this](QAction* action) { RunCommand(action->data().toInt()); });
    return menu;
}

void SpectrumWindow::contextMenuEvent(QContextMenuEvent* event) {
    MakeMenu()->exec(event->globalPos());
}

void SpectrumWindow::RunCommand(int command) {
    if (command == spec_ids::kClose) {
        SetShown(false);
        return;
    }
    if (command == spec_ids::kTopDelay) {
        Spec().topDelay = !Spec().topDelay;
        Redraw();
        return;
    }
    for (const MenuItem& item : kMenuItems) {
        if (item.command == command && item.kind) SetKind(item.kind);
    }
}

}  // namespace velk::app
