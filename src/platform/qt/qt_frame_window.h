// The game window on Qt: one widget that forwards its events as the window's messages, paints
// its frame, and shows the presented back buffer.
#pragma once

#include "platform/framework.h"
#include "render/screen_copy.h"

#include <QAbstractNativeEventFilter>
#include <QImage>
#include <QWidget>
#include <vector>

namespace zembro::platform {

class FrameWidget;

// Tells the handler when another program destroys the window: the toolkit itself would go on
// with a window that is no longer there.
class DestroyWatch : public QAbstractNativeEventFilter {
  public:
    DestroyWatch(FrameHandler& handler, const QWidget& widget);
    ~DestroyWatch() override;
    DestroyWatch(const DestroyWatch&) = delete;
    DestroyWatch& operator=(const DestroyWatch&) = delete;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    FrameHandler& handler_;
    const QWidget& widget_;
};

class QtFrameWindow : public FrameWindow {
  public:
    QtFrameWindow(const std::string& title, int iconId, Rect rect, bool dialogFrame,
                  FrameHandler& handler);
    ~QtFrameWindow() override;

    void Show() override;
    void Invalidate() override;
    void Present(const BackBuffer& buffer) override;
    void Minimize() override;
    void Destroy() override;
    bool Exists() const override;
    std::optional<Point> PointerInClient() const override;
    void PostCommand(int id) override;
    void ScreenReaderUpdate(bool announced) override;

    QWidget* Widget() const;
    // Where the client area starts inside the widget: after the frame, if any.
    QPoint ClientOrigin() const;

  private:
    void RunPaint();

    FrameHandler& handler_;
    FrameWidget* widget_; // owned by Qt once created; deleted with this window
    DestroyWatch destroyWatch_;
    bool paintPending_ = false;
    bool destroyed_ = false;
};

// The widget itself. It keeps the last presented picture and hands the window system only the
// parts that changed.
class FrameWidget : public QWidget {
  public:
    FrameWidget(FrameHandler& handler, bool dialogFrame);

    int Border() const { return border_; }
    const FrameHandler& Handler() const { return handler_; }
    // Takes a new back buffer: copies the changed rows and asks to repaint only them.
    void Present(const BackBuffer& buffer);
    // Asks the window system to minimise the window. A window system with no window manager,
    // or one that ignores the request, leaves the window where it is: the request is then
    // withdrawn, so the window never counts as minimised while it is still shown.
    void RequestMinimize();
    // Minimised as the window system shows it: asked for, and no longer on the screen.
    bool ShownMinimized() const;
    // From now on each change of the window's exposure is reported with the activation.
    void WatchExposure();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Point ClientPoint(const QMouseEvent* event) const;
    static bool InClient(Point client);
    void ReportActivation();

    FrameHandler& handler_;
    int border_;
    ScreenCopy shown_; // the client area as last presented
    QImage image_;     // a view of it
    bool draggingByHand_ = false;
    QPoint dragOffset_;
};

} // namespace zembro::platform
