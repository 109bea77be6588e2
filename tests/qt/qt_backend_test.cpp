// What only the Qt back end does, under the offscreen platform: picture buttons, the dialogs'
// texts and names, posted commands, the pointer count, the modal loops, the Italian texts, and
// the platform and scale it asks Qt for.
#include "platform/qt/platform_choice.h"
#include "platform/qt/qt_button_column.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_frame_window.h"
#include "platform/qt/qt_framework.h"
#include "ui/dialog_templates.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace zembro;
using namespace zembro::platform;

namespace {

// Records the buttons clicked and the commands run ("button 10", "command 1", ...) and the
// activations reported.
struct RecordingFrame : FrameHandler, ButtonClickHandler {
    std::vector<std::string> seen;
    std::vector<bool> activations; // as reported, in order
    FrameWindow* window = nullptr;
    void OnLButtonDown(Point) override {}
    void OnLButtonUp(Point) override {}
    void OnRButtonDown(Point) override {}
    void OnMouseMove(Point) override {}
    void OnMouseLeave() override {}
    void OnKeyDown(Key) override {}
    void OnDestroy() override {}
    bool IsDragZone(Point) override { return false; }
    void OnDragStart() override {}
    void OnDragEnd() override {}
    void OnFrameMove(Point, bool) override {}
    void OnActivate(bool active) override { activations.push_back(active); }
    void OnPaint() override {}
    ScreenReaderView Describe() const override { return {}; }
    void OnCommand(int id) override { // command 1 posts 2: it runs after this handler returns
        seen.push_back("command " + std::to_string(id));
        if (id == 1)
            window->PostCommand(2), seen.push_back("posted");
    }
    void OnButtonClicked(int id) override { seen.push_back("button " + std::to_string(id)); }
};

QtFramework* framework = nullptr; // made by main, before any widget

} // namespace

class QtBackendTest : public QObject {
    Q_OBJECT
  private slots:
    void pictureButtonsAndPostedCommands();
    void textsFitAndEveryControlHasAnItalianName();
    void theKeysWorkEachKindOfControlAsOnWindows();
    void thePointerCountShowsTheArrowOrNothing();
    void theClockStandsStillWhileAModalLoopRuns();
    void theToolkitIsItalianAndAskedForXAtWholeScales();
};

void QtBackendTest::pictureButtonsAndPostedCommands() {
    RecordingFrame frame;
    QtFrameWindow window("Zembro", ICON_GAME, {0, 0, 800, 600}, false, frame);
    frame.window = &window;
    QtButtonColumn column(window, {650, 23, 771, 178}, {6, 5, 10, 8, 9}, 31, frame);
    column.SetImages(0, 113, 114);
    column.SetVisible(true);
    window.Widget()->show();
    const auto buttons = window.Widget()->findChildren<PictureButton*>();
    QCOMPARE(buttons.size(), 5);
    QCOMPARE(buttons[4]->geometry(), QRect(0, 124, 121, 31));
    QCOMPARE(buttons[0]->parentWidget()->geometry(), QRect(650, 23, 121, 155));
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    window.PostCommand(1);
    QCOMPARE(frame.seen, (std::vector<std::string>{"button 10"}));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(frame.seen,
             (std::vector<std::string>{"button 10", "command 1", "posted", "command 2"}));
    // Active while in front, and inactive behind another window though not minimised.
    window.Widget()->activateWindow();
    QTRY_VERIFY(!frame.activations.empty() && frame.activations.back());
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(!frame.activations.back());
}

// Every text shows whole, descenders included, in a box that overlaps no other control, with
// the widest values the dialogs are given; every control the keys reach has a name.
void QtBackendTest::textsFitAndEveryControlHasAnItalianName() {
    DialogHandler standard;
    const std::string widest = "2147483647 ";
    const std::pair<const DialogTemplate*, std::vector<std::pair<int, std::string>>> cases[] = {
        {&AboutTemplate(), {}},
        {&NewRecordTemplate(), {}},
        {&OptionsTemplate(), {{ID_FIXED_CELLS, "2147483647"}, {ID_KINDS, "254"}}},
        {&RankingTemplate(),
         {{ID_RANKING_FIXED, widest},
          {ID_RANKING_PENALTY, widest + "Sec. "},
          {ID_RANKING_KINDS, "254 "},
          {ID_RANKING_DATE, "31/12/2155 "}}},
    };
    for (const auto& [dialogTemplate, texts] : cases) {
        QtDialog dialog(nullptr, *dialogTemplate, standard);
        for (const auto& [id, text] : texts)
            dialog.SetText(id, text);
        // The controls, in the dialog or in its frames, where they stand in the dialog.
        std::vector<const QWidget*> shown;
        for (const QWidget* w : dialog.findChildren<QWidget*>())
            if (qobject_cast<const QGroupBox*>(w) == nullptr &&
                (w->parentWidget() == &dialog ||
                 qobject_cast<const QGroupBox*>(w->parentWidget()) != nullptr))
                shown.push_back(w);
        const auto at = [&](const QWidget* w) {
            return QRect(w->mapTo(&dialog, QPoint()), w->size());
        };
        for (const QWidget* w : shown) {
            const auto* label = qobject_cast<const QLabel*>(w);
            const auto* edit = qobject_cast<const QLineEdit*>(w);
            const QString text = label ? label->text() : edit ? edit->text() : QString();
            const QString what = QString::number(dialogTemplate->id) + ": " + text;
            if (text.isEmpty())
                continue;
            const QRect needed =
                QFontMetrics(w->font()).boundingRect(QRect(0, 0, 999, 999), 0, text);
            QVERIFY2(w->width() >= needed.width() + (edit ? 8 : 0), qPrintable(what));
            QVERIFY2(w->height() >= needed.height() && w->font().pointSize() >= 6,
                     qPrintable(what));
            QVERIFY2(dialog.rect().contains(at(w)), qPrintable(what));
            for (const QWidget* other : shown)
                QVERIFY2(other == w || !at(other).intersects(at(w)), qPrintable(what));
        }
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a != nullptr && !a->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(QString::number(dialogTemplate->id) + ": " +
                                w->metaObject()->className()));
        }
    }
}

// Return presses the focused button, else the default one; Escape cancels; Up and Down in a
// number field step it as its arrows do; Tab goes column by column, entering each radio group
// at its checked button and skipping what is disabled.
void QtBackendTest::theKeysWorkEachKindOfControlAsOnWindows() {
    struct Recording : DialogHandler {
        std::vector<std::string> seen;
        void OnInitDialog(DialogControls& c) override {
            for (const int id : {ID_NOT_PERSISTENT, ID_CLICK_AND_CLICK, ID_RANDOM_EMPTY,
                                 ID_CONTROLLED, ID_PATH_TWO_COLOURS})
                c.SetChecked(id, true);
            c.SetEnabled(ID_PENALTY_FULL, false);
        }
        void OnCommand(int id, DialogControls& c) override {
            seen.push_back("command " + std::to_string(id));
            DialogHandler::OnCommand(id, c);
        }
        void OnOk(DialogControls& c) override {
            seen.emplace_back("ok");
            DialogHandler::OnOk(c);
        }
        void OnCancel(DialogControls& c) override {
            seen.emplace_back("cancel");
            DialogHandler::OnCancel(c);
        }
        void OnUpDown(int id, int delta, DialogControls&) override {
            seen.push_back("step " + std::to_string(id) + " " + std::to_string(delta));
        }
    };
    const auto focusedName = [] {
        QAccessibleInterface* a =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        return a != nullptr ? a->text(QAccessible::Name).toStdString() : std::string("none");
    };
    const auto start = [](QtDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.Start();
    };
    {
        Recording handler;
        QtDialog dialog(nullptr, OptionsTemplate(), handler);
        start(dialog);
        std::vector<std::string> order;
        for (int i = 0; i < 15; ++i) {
            order.push_back(focusedName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (std::vector<std::string>{"Non Persistente", "Premi - Premi", "Random",
                                                  "Controllato", "Completo / Parziale", "Abilita /",
                                                  "Secondi di penalità", "Numero pedine",
                                                  "Pedine fisse", "Carica", "Salva", "OK", "Cancel",
                                                  "Non Persistente", "Premi - Premi"}));
    }
    // The control given the keys, the key, what the dialog's handler is told.
    const std::tuple<const char*, Qt::Key, std::vector<std::string>> cases[] = {
        {"Cancel", Qt::Key_Return, {"command 2", "cancel"}},
        {"Carica", Qt::Key_Return, {"command 3"}},
        {"Salva", Qt::Key_Enter, {"command 4"}},
        {"OK", Qt::Key_Return, {"command 1", "ok"}},
        {"Pedine fisse", Qt::Key_Return, {"command 1", "ok"}},
        {"Pedine fisse", Qt::Key_Up, {"step 1015 -1"}},
        {"Numero pedine", Qt::Key_Down, {"step 1018 1"}},
        {"Abilita /", Qt::Key_Return, {"command 1", "ok"}},
        {"Controllato", Qt::Key_Return, {"command 1", "ok"}},
        {"Numero pedine", Qt::Key_Escape, {"cancel"}},
    };
    for (const auto& [name, key, told] : cases) {
        Recording handler;
        QtDialog dialog(nullptr, OptionsTemplate(), handler);
        start(dialog);
        for (int i = 0; i < 20 && focusedName() != name; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusedName(), std::string(name));
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(handler.seen, told);
    }
}

// The display count of the system pointer: the arrow while it is not negative, else nothing.
void QtBackendTest::thePointerCountShowsTheArrowOrNothing() {
    RecordingFrame frame;
    const std::unique_ptr<FrameWindow> window =
        framework->CreateFrame("Zembro", ICON_GAME, {0, 0, 800, 600}, false, frame);
    QWidget* w = dynamic_cast<QtFrameWindow&>(*window).Widget();
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    const std::pair<bool, Qt::CursorShape> steps[] = {{false, Qt::BlankCursor},
                                                      {false, Qt::BlankCursor},
                                                      {true, Qt::BlankCursor},
                                                      {true, Qt::ArrowCursor}};
    int count = 0;
    for (const auto& [show, shape] : steps) {
        count += show ? 1 : -1;
        QCOMPARE(framework->ShowCursor(show), count);
        QCOMPARE(w->cursor().shape(), shape);
    }
}

// The idle processing, which runs the clock, stops while a message box is up and goes on after.
void QtBackendTest::theClockStandsStillWhileAModalLoopRuns() {
    struct Counting : IdleHandler {
        int ticks = 0;
        void OnIdle() override { ++ticks; }
    } idle;
    QGuiApplication::setQuitOnLastWindowClosed(false); // no game window keeps it going here
    int before = 0, during = 0;
    QTimer::singleShot(200, [&] {
        before = idle.ticks;
        QTimer::singleShot(300, [&] {
            during = idle.ticks - before;
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        framework->MessageBox(nullptr, "prova", "Prova", MessageIcon::Information,
                              MessageButtons::Ok);
        QTimer::singleShot(200, [] { framework->Quit(0); });
    });
    framework->Run(idle);
    QVERIFY(before > 3);
    QCOMPARE(during, 0);
    QVERIFY(idle.ticks > before + 3);
}

// The toolkit's own texts follow the interface into Italian, whatever the locale; the game asks
// for X wherever an X display is at hand (it places its own window), at a whole scale.
void QtBackendTest::theToolkitIsItalianAndAskedForXAtWholeScales() {
    QTranslator translator;
    QVERIFY(LoadToolkitItalian(translator));
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Salva come"));
    QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));
    QCoreApplication::removeTranslator(&translator);

    const std::tuple<const char*, const char*, bool> platforms[] = {
        {nullptr, ":0", true},      {"", ":1", true},          {"wayland", ":0", false},
        {"offscreen", ":0", false}, {nullptr, nullptr, false}, {nullptr, "", false}};
    for (const auto& [chosen, display, x] : platforms)
        QCOMPARE(PlatformToAskFor(chosen, display).value_or("none"),
                 std::string(x ? "xcb" : "none"));
    const std::pair<const char*, const char*> scales[] = {
        {"1.5", "1"},       {"1.74", "1"},  {"1.75", "2"},
        {"0.5", "1"},       {"3.2", "3"},   {"", ""},
        {"1.5x", "1.5x"},   {"inf", "inf"}, {"HDMI-1=1.5;DP-1=2.8", "HDMI-1=1;DP-1=3"},
        {"1.25;2.5", "1;2"}};
    for (const auto& [given, whole] : scales)
        QCOMPARE(WholeScaleFactors(given), std::string(whole));
}

// The framework makes the application, as the game's main does, before the tests run.
int main(int argc, char** argv) {
    QtFramework made(argc, argv);
    framework = &made;
    QtBackendTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "qt_backend_test.moc"
