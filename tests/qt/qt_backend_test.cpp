// The Qt back end under the offscreen platform: picture buttons, dialogs built from templates,
// posted commands and the presenter.
#include "platform/qt/qt_button_column.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_frame_window.h"
#include "platform/qt/qt_framework.h"
#include "ui/dialog_templates.h"
#include "ui/new_record_dialog.h"
#include "ui/options_dialog.h"
#include "ui/ranking_dialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

using namespace zembro;
using namespace zembro::platform;

namespace {

// Records the window's messages, one line each: "down 10,20", "nc-down caption", ...
struct RecordingFrame : FrameHandler {
    std::vector<int> commands;
    std::vector<std::string> messages;
    FrameWindow* window = nullptr;
    int paints = 0;
    // A window point answered as the drag zone, like the game's grip.
    QRect caption{700, 20, 20, 40};
    static std::string At(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    void OnLButtonDown(Point p) override { messages.push_back("down " + At(p)); }
    void OnLButtonUp(Point p) override { messages.push_back("up " + At(p)); }
    void OnRButtonDown(Point p) override { messages.push_back("right " + At(p)); }
    void OnMouseMove(Point p) override { messages.push_back("move " + At(p)); }
    void OnMouseLeave() override { messages.push_back("leave"); }
    void OnKeyDown(Key key) override { messages.push_back("key " + std::to_string(int(key))); }
    void OnDestroy() override { messages.push_back("destroyed"); }
    HitCode OnNcHitTest(Point screen, HitCode standard) override {
        const Point client = window->ScreenToClient(screen);
        return standard == HitCode::Client && caption.contains(client.x, client.y)
                   ? HitCode::Caption
                   : standard;
    }
    void OnNcLButtonDown(HitCode code, Point) override {
        messages.push_back(code == HitCode::Caption ? "nc-down caption" : "nc-down border");
    }
    void OnNcLButtonUp(HitCode code, Point) override {
        messages.push_back(code == HitCode::Caption ? "nc-up caption" : "nc-up border");
    }
    void OnNcMouseMove(HitCode, Point) override {}
    void OnActivate(ActivateState, bool) override {}
    void OnPaint() override { ++paints; }
    ScreenReaderView Describe() const override { return {}; }
    void OnCommand(int id) override {
        commands.push_back(id);
        if (id == 1) // a handler that posts another command: it runs after this one returns
        {
            window->PostCommand(2);
            commands.push_back(-2);
        }
    }
};

struct RecordingClicks : ButtonClickHandler {
    std::vector<int> clicked;
    void OnButtonClicked(int id) override { clicked.push_back(id); }
};

struct RecordingDialog : DialogHandler {
    std::vector<std::pair<int, int>> steps;
    std::vector<int> commands;
    int selectionChanges = 0;
    void OnCommand(int id, DialogControls& controls) override {
        commands.push_back(id);
        DialogHandler::OnCommand(id, controls);
    }
    void OnUpDown(int id, int delta, DialogControls&) override { steps.emplace_back(id, delta); }
    void OnSelectionChange(int, DialogControls&) override { ++selectionChanges; }
};

DialogTemplate TestTemplate() {
    return {.id = 900,
            .title = "Prova",
            .width = 200,
            .height = 100,
            .controls = {
                DefaultButton(1, "OK", {140, 80, 50, 14}),
                StartsGroup(Radio(10, "A", {5, 5, 40, 10})),
                Radio(11, "B", {5, 18, 40, 10}),
                StartsGroup(Radio(12, "C", {60, 5, 40, 10})),
                Radio(13, "D", {60, 18, 40, 10}),
                Check(20, "E", {5, 32, 40, 10}),
                DigitsOnly(Edit(30, {5, 46, 30, 12})),
                Arrows(31, 36, 44),
                List(40, {100, 5, 90, 60}),
                Identified(50, Disabled(Label("testo", {5, 70, 60, 8}))),
            }};
}

} // namespace

class QtBackendTest : public QObject {
    Q_OBJECT
  private slots:
    void pictureButtonsReportTheirCommandAndShowThePressedPicture();
    void dialogsAreBuiltFromTemplates();
    void postedCommandsRunAfterTheCurrentHandler();
    void textsFitWhateverTheFont();
    void toolkitTextsAreItalian();
    void mouseMessagesFollowTheWindowsParts();
    void presentsOnlyWhatTheComposerMarked();
    void thePointerCountShowsTheArrowOrNothing();
    void theClockStandsStillWhileAModalLoopRuns();
    void everyDialogControlHasAnItalianName();
};

namespace {
QtFramework* framework = nullptr; // made by main, before any widget
}

void QtBackendTest::pictureButtonsReportTheirCommandAndShowThePressedPicture() {
    RecordingFrame frame;
    QtFrameWindow window("Zembro", ICON_GAME, {0, 0, 800, 600}, false, frame);
    RecordingClicks clicks;
    QtButtonColumn column(window, {650, 23, 771, 178}, {6, 5, 10, 8, 9}, 31, clicks);
    column.SetImages(0, 113, 114);
    column.SetImages(1, 9999, 0); // names no picture: the button stays without it
    column.SetVisible(true);
    window.Widget()->show();
    const auto buttons = window.Widget()->findChildren<PictureButton*>();
    QCOMPARE(buttons.size(), 5);
    QCOMPARE(buttons[0]->geometry(), QRect(0, 0, 121, 31));
    QCOMPARE(buttons[4]->geometry(), QRect(0, 124, 121, 31));
    QCOMPARE(buttons[0]->parentWidget()->geometry(), QRect(650, 23, 121, 155));

    const QImage normal = buttons[0]->grab().toImage();
    buttons[0]->setDown(true);
    const QImage pressed = buttons[0]->grab().toImage();
    buttons[0]->setDown(false);
    QVERIFY(normal != pressed);

    QTest::mouseClick(buttons[2], Qt::LeftButton);
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QCOMPARE(clicks.clicked, (std::vector<int>{10, 6}));
}

void QtBackendTest::dialogsAreBuiltFromTemplates() {
    RecordingDialog handler;
    QtDialog dialog(nullptr, TestTemplate(), handler);
    // Radio groups are exclusive within themselves only.
    dialog.SetChecked(10, true);
    dialog.SetChecked(12, true);
    dialog.SetChecked(11, true);
    QVERIFY(!dialog.IsChecked(10));
    QVERIFY(dialog.IsChecked(11));
    QVERIFY(dialog.IsChecked(12));
    dialog.SetChecked(11, false);
    QVERIFY(!dialog.IsChecked(11));

    dialog.SetText(30, " 20");
    QCOMPARE(dialog.Text(30), std::string(" 20"));
    QVERIFY(!dialog.IsEnabled(50));
    dialog.SetEnabled(50, true);
    QVERIFY(dialog.IsEnabled(50));

    dialog.AddListLine(40, "uno");
    dialog.AddListLine(40, "due");
    dialog.SelectListLine(40, 1);
    QCOMPARE(dialog.SelectedListLine(40), 1);
    QVERIFY(handler.selectionChanges >= 1);

    dialog.show();
    const auto arrows = dialog.findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    QTest::mouseClick(arrows[0], Qt::LeftButton);
    QTest::mouseClick(arrows[1], Qt::LeftButton);
    QCOMPARE(handler.steps, (std::vector<std::pair<int, int>>{{31, -1}, {31, 1}}));

    dialog.findChildren<QCheckBox*>().front()->click();
    QVERIFY(dialog.IsChecked(20));
    QTest::mouseClick(dialog.findChildren<QPushButton*>().front(), Qt::LeftButton);
    QCOMPARE(handler.commands, (std::vector<int>{20, 1}));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void QtBackendTest::postedCommandsRunAfterTheCurrentHandler() {
    RecordingFrame frame;
    QtFrameWindow window("Zembro", ICON_GAME, {0, 0, 800, 600}, false, frame);
    frame.window = &window;
    window.PostCommand(1);
    QVERIFY(frame.commands.empty());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(frame.commands, (std::vector<int>{1, -2, 2}));
}

// Every text shows whole, descenders included, in a box that overlaps no other control, with
// the widest values the dialogs are given.
void QtBackendTest::textsFitWhateverTheFont() {
    DialogHandler standard;
    const std::string widest = "2147483647 ";
    struct Case {
        const DialogTemplate& dialog;
        std::vector<std::pair<int, std::string>> texts;
    };
    const Case cases[] = {
        {AboutTemplate(), {}},
        {OptionsTemplate(), {{ID_FIXED_CELLS, "2147483647"}, {ID_KINDS, "254"}}},
        {RankingTemplate(),
         {{ID_RANKING_FIXED, widest},
          {ID_RANKING_PENALTY, widest + "Sec. "},
          {ID_RANKING_KINDS, "254 "},
          {ID_RANKING_DATE, "31/12/2155 "}}},
    };
    for (const Case& c : cases) {
        QtDialog dialog(nullptr, c.dialog, standard);
        for (const auto& [id, text] : c.texts)
            dialog.SetText(id, text);
        std::vector<const QWidget*> shown;
        for (const QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (qobject_cast<const QGroupBox*>(w) == nullptr)
                shown.push_back(w);
        for (const QWidget* w : shown) {
            const auto* label = qobject_cast<const QLabel*>(w);
            const auto* edit = qobject_cast<const QLineEdit*>(w);
            const QString text = label ? label->text() : edit ? edit->text() : QString();
            if (text.isEmpty())
                continue;
            const QFontMetrics metrics(w->font());
            const QRect needed = metrics.boundingRect(QRect(0, 0, 1000, 1000), 0, text);
            const QString what = QString::number(c.dialog.id) + ": " + text + " in " +
                                 QString::number(w->width()) + "x" + QString::number(w->height());
            QVERIFY2(w->width() >= needed.width() + (edit ? 8 : 0), qPrintable(what));
            QVERIFY2(w->height() >= needed.height(), qPrintable(what));
            QVERIFY2(w->font().pointSize() >= 6, qPrintable(what));
            QVERIFY2(dialog.rect().contains(w->geometry()), qPrintable(what));
            for (const QWidget* other : shown)
                QVERIFY2(other == w || !other->geometry().intersects(w->geometry()),
                         qPrintable(what));
        }
    }
}

// The toolkit's own texts follow the interface into Italian, whatever the locale.
void QtBackendTest::toolkitTextsAreItalian() {
    QTranslator translator;
    QVERIFY(LoadToolkitItalian(translator));
    QCoreApplication::installTranslator(&translator);
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Salva come"));
    QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));
    QCoreApplication::removeTranslator(&translator);
}

// Client points come as client coordinates; the frame and the drag zone as non-client ones; a
// double click is a second press; a release outside the window is not seen.
void QtBackendTest::mouseMessagesFollowTheWindowsParts() {
    RecordingFrame frame;
    QtFrameWindow window("Zembro", ICON_GAME, {100, 50, 906, 656}, true, frame);
    frame.window = &window;
    window.Show();
    QWidget* w = window.Widget();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(3 + 10, 3 + 20));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(3 + 10, 3 + 20));
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(3 + 11, 3 + 21));
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(3 + 12, 3 + 22));
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(1, 1));     // the frame
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(900, 1)); // outside: not seen
    // The double click itself is one more press.
    QCOMPARE(frame.messages, (std::vector<std::string>{"down 10,20", "up 10,20", "down 11,21",
                                                       "right 12,22", "nc-down border"}));

    frame.messages.clear();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(3 + 710, 3 + 30));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(3 + 710, 3 + 30));
    QCOMPARE(frame.messages, (std::vector<std::string>{"nc-down caption", "nc-up caption"}));
}

// The back buffer's rows are bottom-up; only the rows the composer marked are looked at, a change
// elsewhere waits for a full paint; any number of invalidations make one paint.
void QtBackendTest::presentsOnlyWhatTheComposerMarked() {
    RecordingFrame frame;
    QtFrameWindow window("Zembro", ICON_GAME, {0, 0, 806, 606}, true, frame);
    window.Show();
    QCOMPARE(frame.paints, 1);
    BackBuffer buffer;
    CreateBackBuffer(buffer, RowOrder::BottomUp);
    CreateSurface(buffer);
    window.Present(buffer); // everything, black
    buffer.damage.Clear();
    const auto red = [&](int x, int y) {
        buffer.pixels[static_cast<std::size_t>((599 - y) * 800 + x)] = 0x7C00;
    };
    red(10, 0);
    red(10, 300); // not marked
    buffer.damage.Mark(0, 0, 50, 10);
    window.Present(buffer);
    const auto shown = [&](int x, int y) { // the client area is 3 pixels in
        return QColor(window.Widget()->grab().toImage().pixel(3 + x, 3 + y)).red() > 200;
    };
    QVERIFY(shown(10, 0) && !shown(11, 0) && !shown(10, 300));
    buffer.damage.MarkAll();
    window.Present(buffer);
    QVERIFY(shown(10, 300));
    window.Invalidate();
    window.Invalidate();
    QCoreApplication::processEvents();
    QCOMPARE(frame.paints, 2);
}

// The display count of the system pointer: the arrow while it is not negative, else nothing.
void QtBackendTest::thePointerCountShowsTheArrowOrNothing() {
    RecordingFrame frame;
    const std::unique_ptr<FrameWindow> window =
        framework->CreateFrame("Zembro", ICON_GAME, {0, 0, 800, 600}, false, frame);
    QWidget* w = dynamic_cast<QtFrameWindow&>(*window).Widget();
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(framework->ShowCursor(false), -1);
    QCOMPARE(w->cursor().shape(), Qt::BlankCursor);
    QCOMPARE(framework->ShowCursor(false), -2);
    QCOMPARE(framework->ShowCursor(true), -1);
    QCOMPARE(w->cursor().shape(), Qt::BlankCursor);
    QCOMPARE(framework->ShowCursor(true), 0);
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
}

// The idle processing, which runs the clock, stops while a message box is up and goes on after.
void QtBackendTest::theClockStandsStillWhileAModalLoopRuns() {
    struct Counting : IdleHandler {
        int ticks = 0;
        void OnIdle() override { ++ticks; }
    } idle;
    // The game's window keeps the application going; here nothing else is shown.
    QGuiApplication::setQuitOnLastWindowClosed(false);
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

// Every control a player can reach with the keys is read out by a name, the dialog's own words.
void QtBackendTest::everyDialogControlHasAnItalianName() {
    DialogHandler standard;
    for (const DialogTemplate* t :
         {&AboutTemplate(), &OptionsTemplate(), &RankingTemplate(), &NewRecordTemplate()}) {
        QtDialog dialog(nullptr, *t, standard);
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a != nullptr && !a->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(QString::fromStdString(t->title) + ": " +
                                w->metaObject()->className() + " " + w->objectName()));
        }
    }
}

// The framework makes the application, as the game's main does, before the tests run.
int main(int argc, char** argv) {
    QtFramework made(argc, argv);
    framework = &made;
    QtBackendTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "qt_backend_test.moc"
