// Application-level services on Qt.
#include "platform/qt/qt_framework.h"

#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_button_column.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_frame_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace zembro::platform {
namespace {

QWidget* WidgetOf(const FrameWindow* owner) {
    const auto* window = dynamic_cast<const QtFrameWindow*>(owner);
    return window != nullptr ? window->Widget() : nullptr;
}

// Why no window system could be started, in the game's words.
std::string NoDisplayReason() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    if (chosen != nullptr && *chosen != '\0' && std::strcmp(chosen, "xcb") != 0)
        return std::string("cannot start the window system \"") + chosen + "\" (QT_QPA_PLATFORM)";
    if (display == nullptr || *display == '\0')
        return "no display to show the game on: DISPLAY is not set";
    return std::string("cannot open the display \"") + display + "\"";
}

// The toolkit's lines while it starts, held back: when it finds no display it ends the process
// (an abort), and then the game's one line stands in for them all.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage>& HeldMessages() {
    static std::vector<HeldMessage> held; // only while the application is being made
    return held;
}

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "zembro: %s\n", NoDisplayReason().c_str());
        std::_Exit(1);
    }
    HeldMessages().push_back({type, text});
}

// A window that closes while a modal one stays open under it (the file dialog's question
// whether to replace a file) leaves the keys to nobody where no window manager gives them
// back: the modal window takes them again itself.
class ModalFocusKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Hide && widget != nullptr && widget->isWindow())
            QTimer::singleShot(0, this, [] {
                QWidget* modal = QApplication::activeModalWidget();
                if (QApplication::activeWindow() == nullptr && modal != nullptr &&
                    modal->isVisible()) {
                    modal->raise();
                    modal->activateWindow();
                }
            });
        return false;
    }
};

std::unique_ptr<QApplication> StartToolkit(int& argc, char** argv) {
    // A screen's own fractional scale is rounded as the player's is (see WholeScaleFactors).
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : std::exchange(HeldMessages(), {}))
        if (previous != nullptr)
            previous(message.type, QMessageLogContext(), message.text);
    return app;
}

} // namespace

bool LoadToolkitItalian(QTranslator& translator) {
    return translator.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QtFramework::QtFramework(int& argc, char** argv)
    : app_(StartToolkit(argc, argv)), translator_(std::make_unique<QTranslator>()) {
    QApplication::setApplicationName(QStringLiteral("Zembro"));
    InstallGameAccessibility();
    // Kinds of file and other texts the toolkit takes from the locale are shown in Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // The whole interface is Italian, whatever the player's locale: so are the toolkit's own
    // texts (file dialogs, standard buttons, the overwrite question).
    if (LoadToolkitItalian(*translator_))
        QApplication::installTranslator(translator_.get());
    app_->installEventFilter(new ModalFocusKeeper(app_.get()));
}

QtFramework::ModalScope::~ModalScope() {
    --framework_.modalDepth_;
    QWidget* next = QApplication::activeModalWidget();
    if (next == nullptr)
        next = framework_.gameWindow_;
    if (next != nullptr && next->isVisible() && !next->isMinimized()) {
        next->raise();
        next->activateWindow();
    }
}

std::optional<std::string> QtFramework::DisplayProblem() const {
    // The toolkit paints only on visuals of at least 15 bits; below that every window would
    // stay black, message boxes included.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return "no screen to show the game on";
    if (screen->depth() < 15)
        return "the display shows " + std::to_string(screen->depth()) +
               " bits per pixel; the game needs at least 15 (65K colours): start the display "
               "with 16 or 24 bits";
    return std::nullopt;
}

QtFramework::~QtFramework() = default;

int QtFramework::ScreenBitsPerPixel() const {
    // The presenter converts the 16-bit scene for any screen: 65K colours or more is enough.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = screen != nullptr ? screen->depth() : 0;
    return depth >= 16 ? 16 : depth;
}

Size QtFramework::ScreenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    const QSize size = screen->size();
    return {size.width(), size.height()};
}

RowOrder QtFramework::RecommendedRowOrder() const {
    return RowOrder::BottomUp; // one block copy fills a bottom-up surface from the background
}

std::uint32_t QtFramework::TimeMs() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::tm QtFramework::LocalTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

namespace {

// The player's choices, in $XDG_CONFIG_HOME/zembro/zembro.ini.
class PlayerSettings : public QSettings {
  public:
    PlayerSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zembro"),
                    QStringLiteral("zembro")) {}
};

} // namespace

bool QtFramework::Preference(const std::string& name) const {
    const PlayerSettings settings;
    return settings.value(QString::fromStdString(name), false).toBool();
}

void QtFramework::SetPreference(const std::string& name, bool value) {
    PlayerSettings settings;
    settings.setValue(QString::fromStdString(name), value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        std::fprintf(stderr, "zembro: the choice could not be kept in %s\n",
                     qPrintable(settings.fileName()));
}

std::string QtFramework::CurrentDirectory() const {
    // Files are opened relative to the working directory: its own path may be longer than any
    // path the system takes, or hold bytes that are no text in any encoding.
    return ".";
}

int QtFramework::ShowCursor(bool show) {
    cursorCount_ += show ? 1 : -1;
    ApplyCursor();
    return cursorCount_;
}

void QtFramework::ApplyCursor() {
    if (gameWindow_)
        gameWindow_->setCursor(cursorCount_ >= 0 ? Qt::ArrowCursor : Qt::BlankCursor);
}

Answer QtFramework::MessageBox(const FrameWindow* owner, const std::string& text,
                               const std::string& caption, MessageIcon icon,
                               MessageButtons buttons) {
    QMessageBox box(WidgetOf(owner));
    box.setWindowTitle(QString::fromStdString(caption));
    // Each line stays one line, as written, however narrow the screen: the toolkit breaks
    // lines only at breaking spaces.
    box.setText(QString::fromStdString(text).replace(QLatin1Char(' '), QChar(0x00A0)));
    box.setIcon(icon == MessageIcon::Error         ? QMessageBox::Critical
                : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                   : QMessageBox::Information);
    box.setStandardButtons(buttons == MessageButtons::Ok ? QMessageBox::Ok
                                                         : QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(buttons == MessageButtons::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    const ModalScope modal(*this);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

Answer QtFramework::RunDialog(const FrameWindow* owner, const DialogTemplate& dialog,
                              DialogHandler& handler) {
    QtDialog built(WidgetOf(owner), dialog, handler);
    const ModalScope modal(*this);
    return built.Run();
}

std::string QtFramework::FileDialog(const FrameWindow* owner, const FileDialogRequest& request) {
    const ModalScope modal(*this);
    return RunFileDialog(WidgetOf(owner), request);
}

std::unique_ptr<FrameWindow> QtFramework::CreateFrame(const std::string& title, int iconId,
                                                      Rect rect, bool dialogFrame,
                                                      FrameHandler& handler) {
    auto window = std::make_unique<QtFrameWindow>(title, iconId, rect, dialogFrame, handler);
    gameWindow_ = window->Widget();
    ApplyCursor();
    return window;
}

std::unique_ptr<ButtonColumn> QtFramework::CreateButtonColumn(FrameWindow& parent, Rect rect,
                                                              const std::vector<int>& ids,
                                                              int buttonHeight,
                                                              ButtonClickHandler& handler) {
    auto* frame = dynamic_cast<QtFrameWindow*>(&parent);
    if (frame == nullptr)
        return nullptr;
    return std::make_unique<QtButtonColumn>(*frame, rect, ids, buttonHeight, handler);
}

int QtFramework::Run(IdleHandler& idle) {
    if (quitCode_)
        return *quitCode_;
    // The idle processing runs once per display refresh, never inside a modal loop: the game
    // runs at the display's frame rate and leaves the processor free in between.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double rate =
        screen != nullptr && screen->refreshRate() >= 20 ? screen->refreshRate() : 60;
    QTimer pacer;
    pacer.setTimerType(Qt::PreciseTimer);
    pacer.setInterval(std::max(1, static_cast<int>(std::lround(1000.0 / rate))));
    QObject::connect(&pacer, &QTimer::timeout, [&] {
        if (modalDepth_ == 0)
            idle.OnIdle();
    });
    pacer.start();
    return QApplication::exec();
}

void QtFramework::Quit(int exitCode) {
    // Asked for before the loop runs (the window closed under the about box at start-up), the
    // loop is never entered.
    quitCode_ = exitCode;
    QApplication::exit(exitCode);
}

} // namespace zembro::platform
