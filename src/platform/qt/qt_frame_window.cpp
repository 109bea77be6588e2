// The game window: events to messages, the paint cycle and the presenter.
#include "platform/qt/qt_frame_window.h"

#include "platform/key_names.h"
#include "platform/qt/qt_accessible.h"
#include "platform/resources.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QTimer>
#include <QWindow>
#include <cstring>
#include <xcb/xproto.h>

namespace zembro::platform {

QtFrameWindow::QtFrameWindow(const std::string& title, int iconId, Rect rect, bool dialogFrame,
                             FrameHandler& handler)
    : handler_(handler), widget_(new FrameWidget(handler, dialogFrame)),
      destroyWatch_(handler, *widget_) {
    widget_->setWindowTitle(QString::fromStdString(title));
    QIcon icon;
    for (const ProgramIconImage& image : ProgramIcon(iconId)) {
        QPixmap pixmap;
        if (pixmap.loadFromData(image.png.data(), static_cast<uint>(image.png.size()), "PNG"))
            icon.addPixmap(pixmap);
    }
    widget_->setWindowIcon(icon);
    widget_->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
}

QtFrameWindow::~QtFrameWindow() {
    delete widget_;
}

QWidget* QtFrameWindow::Widget() const {
    return widget_;
}

QPoint QtFrameWindow::ClientOrigin() const {
    return {widget_->Border(), widget_->Border()};
}

void QtFrameWindow::Show() {
    widget_->show();
    widget_->WatchExposure();
    widget_->raise();
    widget_->activateWindow();
    RunPaint(); // the first frame is painted at once
    // Hand the window and its first frame to the window system now, before whatever start-up
    // does next (the about dialog's fonts take a while to set up).
    widget_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtFrameWindow::Invalidate() {
    if (paintPending_)
        return;
    paintPending_ = true;
    QMetaObject::invokeMethod(
        widget_, [this] { RunPaint(); }, Qt::QueuedConnection);
}

void QtFrameWindow::RunPaint() {
    paintPending_ = false;
    handler_.OnPaint();
}

void QtFrameWindow::Present(const BackBuffer& buffer) {
    widget_->Present(buffer);
}

void QtFrameWindow::Minimize() {
    widget_->RequestMinimize();
}

void QtFrameWindow::Destroy() {
    widget_->close();
    destroyed_ = true;
}

bool QtFrameWindow::Exists() const {
    return !destroyed_;
}

std::optional<Point> QtFrameWindow::PointerInClient() const {
    const QPoint local = widget_->mapFromGlobal(QCursor::pos()) - ClientOrigin();
    if (!QRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT).contains(local))
        return std::nullopt;
    return Point{local.x(), local.y()};
}

void QtFrameWindow::ScreenReaderUpdate(bool announced) {
    AnnounceToScreenReader(widget_, announced);
}

void QtFrameWindow::PostCommand(int id) {
    QMetaObject::invokeMethod(
        widget_, [this, id] { handler_.OnCommand(id); }, Qt::QueuedConnection);
}

DestroyWatch::DestroyWatch(FrameHandler& handler, const QWidget& widget)
    : handler_(handler), widget_(widget) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DestroyWatch::~DestroyWatch() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool DestroyWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !widget_.testAttribute(Qt::WA_WState_Created))
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
        return false;
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (destroyed->window == widget_.winId())
        handler_.OnDestroy();
    return false;
}

// --- The widget ---

FrameWidget::FrameWidget(FrameHandler& handler, bool dialogFrame)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), handler_(handler),
      border_(dialogFrame ? FRAME_BORDER : 0),
      image_(reinterpret_cast<const uchar*>(shown_.Pixels().data()), SCREEN_WIDTH, SCREEN_HEIGHT,
             SCREEN_WIDTH * static_cast<int>(sizeof(Pixel)), QImage::Format_RGB555) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // the keys play too
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(SCREEN_WIDTH + 2 * border_, SCREEN_HEIGHT + 2 * border_);
}

void FrameWidget::Present(const BackBuffer& buffer) {
    QRegion changed;
    for (const auto& r : shown_.Take(buffer))
        changed += QRect(r.left + border_, r.top + border_, r.right - r.left, r.bottom - r.top);
    if (!changed.isEmpty())
        update(changed);
}

void FrameWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // On a scaled screen each scene pixel becomes a block of whole device pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (border_ > 0) {
        // A raised dialog frame around the client area.
        const QRect outer = rect();
        painter.fillRect(outer, QColor(192, 192, 192));
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(outer.topLeft(), outer.topRight());
        painter.drawLine(outer.topLeft(), outer.bottomLeft());
        painter.setPen(QColor(64, 64, 64));
        painter.drawLine(outer.bottomLeft(), outer.bottomRight());
        painter.drawLine(outer.topRight(), outer.bottomRight());
    }
    for (const QRect& r : event->region()) {
        const QRect client = r.translated(-border_, -border_).intersected(image_.rect());
        if (!client.isEmpty())
            painter.drawImage(client.topLeft() + QPoint(border_, border_), image_, client);
    }
}

Point FrameWidget::ClientPoint(const QMouseEvent* event) const {
    const QPoint local = event->position().toPoint();
    return {local.x() - border_, local.y() - border_};
}

bool FrameWidget::InClient(Point client) {
    return client.x >= 0 && client.y >= 0 && client.x < SCREEN_WIDTH && client.y < SCREEN_HEIGHT;
}

void FrameWidget::mousePressEvent(QMouseEvent* event) {
    const Point client = ClientPoint(event);
    if (!InClient(client))
        return; // the frame takes no press
    const bool left = event->button() == Qt::LeftButton;
    if (handler_.IsDragZone(client)) {
        if (!left)
            return; // only the left button drags
        handler_.OnDragStart();
        if (windowHandle() == nullptr || !windowHandle()->startSystemMove()) {
            // No window manager to move us: follow the pointer while the button is held.
            draggingByHand_ = true;
            dragOffset_ = event->globalPosition().toPoint() - pos();
        }
    } else if (left) {
        handler_.OnLButtonDown(client);
    } else if (event->button() == Qt::RightButton) {
        handler_.OnRButtonDown(client);
    }
}

// The window asks for no double clicks: a quick second press is a press.
void FrameWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void FrameWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (draggingByHand_ && event->button() == Qt::LeftButton) {
        draggingByHand_ = false;
        handler_.OnDragEnd();
        return;
    }
    // The pointer is not captured: a release outside the window is not seen.
    const Point client = ClientPoint(event);
    if (!rect().contains(event->position().toPoint()) || event->button() != Qt::LeftButton ||
        !InClient(client))
        return;
    if (handler_.IsDragZone(client))
        handler_.OnDragEnd();
    else
        handler_.OnLButtonUp(client);
}

void FrameWidget::mouseMoveEvent(QMouseEvent* event) {
    if (draggingByHand_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    if (!rect().contains(event->position().toPoint()))
        return;
    const Point client = ClientPoint(event);
    const bool dragZone = InClient(client) && handler_.IsDragZone(client);
    if (InClient(client) && !dragZone)
        handler_.OnMouseMove(client);
    else
        handler_.OnFrameMove(client, dragZone);
}

void FrameWidget::leaveEvent(QEvent* event) {
    if (!draggingByHand_)
        handler_.OnMouseLeave();
    QWidget::leaveEvent(event);
}

namespace {

// The key table's name of a key of the toolkit's; empty for the keys it has no name for.
std::string_view KeyName(int key) {
    static constexpr std::string_view LETTERS = "abcdefghijklmnopqrstuvwxyz";
    static constexpr std::string_view FUNCTION_KEYS[] = {"f1", "f2", "f3", "f4",  "f5",  "f6",
                                                         "f7", "f8", "f9", "f10", "f11", "f12"};
    static constexpr std::pair<int, std::string_view> NAMED[] = {
        {Qt::Key_Up, "up"},        {Qt::Key_Down, "down"},     {Qt::Key_Left, "left"},
        {Qt::Key_Right, "right"},  {Qt::Key_Space, "space"},   {Qt::Key_Return, "return"},
        {Qt::Key_Enter, "return"}, {Qt::Key_Escape, "escape"}, {Qt::Key_Backspace, "backspace"},
    };
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return LETTERS.substr(static_cast<std::size_t>(key - Qt::Key_A), 1);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return FUNCTION_KEYS[key - Qt::Key_F1];
    for (const auto& [qtKey, name] : NAMED)
        if (key == qtKey)
            return name;
    return {};
}

} // namespace

void FrameWidget::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    const std::optional<Key> key =
        GameKey({.name = KeyName(event->key()),
                 .shift = held.testFlag(Qt::ShiftModifier),
                 .control = held.testFlag(Qt::ControlModifier),
                 .alt = held.testFlag(Qt::AltModifier) || held.testFlag(Qt::MetaModifier)});
    if (!key) // a shortcut of the desktop's, or no key of the game's
        return QWidget::keyPressEvent(event);
    handler_.OnKeyDown(*key);
}

void FrameWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // After the toolkit has told a screen reader that the window has the focus, which it does
    // once this returns.
    QTimer::singleShot(0, this, [this] { RetellFocus(this); });
}

void FrameWidget::ReportActivation() {
    handler_.OnActivate(isActiveWindow() && !ShownMinimized());
}

bool FrameWidget::ShownMinimized() const {
    return isMinimized() && (windowHandle() == nullptr || !windowHandle()->isExposed());
}

void FrameWidget::RequestMinimize() {
    showMinimized();
    // A window manager answers within a few milliseconds; none at all never does.
    constexpr int ANSWER_WAIT_MS = 400;
    QTimer::singleShot(ANSWER_WAIT_MS, this, [this] {
        if (isMinimized() && !ShownMinimized()) {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            ReportActivation();
        }
    });
}

// The window's exposure is what says it left the screen or came back: each change is
// reported with the activation.
void FrameWidget::WatchExposure() {
    if (windowHandle() != nullptr)
        windowHandle()->installEventFilter(this);
}

bool FrameWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose)
        ReportActivation();
    return QWidget::eventFilter(watched, event);
}

void FrameWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::ActivationChange)
        ReportActivation();
    QWidget::changeEvent(event);
}

bool FrameWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        ReportActivation();
    return QWidget::event(event);
}

} // namespace zembro::platform
