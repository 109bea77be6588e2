// Dialog templates made into widgets.
#include "platform/qt/qt_dialog.h"

#include "platform/dialog_order.h"
#include "platform/qt/qt_accessible.h"
#include "platform/resources.h"

#include <algorithm>

#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>

namespace zembro::platform {
namespace {

// Up and down arrows that report the step they propose: -1 for up, +1 for down.
class UpDownArrows : public QWidget {
  public:
    UpDownArrows(QWidget* parent, const QString& field, std::function<void(int)> step)
        : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, -1}, {Qt::DownArrow, 1}}) {
            auto* button = new QToolButton(this);
            // The edit's own Up and Down keys step it: the arrows are for the pointer.
            button->setFocusPolicy(Qt::NoFocus);
            button->setArrowType(arrow);
            button->setAutoRepeat(true);
            button->setAccessibleName(
                (field.isEmpty() ? field : field + QStringLiteral(": ")) +
                (arrow == Qt::UpArrow ? QStringLiteral("su") : QStringLiteral("giù")));
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            QObject::connect(button, &QToolButton::clicked, [step, d = delta] { step(d); });
            layout->addWidget(button);
        }
    }
};

Qt::Alignment AlignmentOf(const ControlTemplate& c) {
    Qt::Alignment horizontal = c.align == TextAlign::Centre  ? Qt::AlignHCenter
                               : c.align == TextAlign::Right ? Qt::AlignRight
                                                             : Qt::AlignLeft;
    return horizontal | (c.centreVertically ? Qt::AlignVCenter : Qt::AlignTop);
}

} // namespace

QtDialog::QtDialog(QWidget* owner, const DialogTemplate& dialog, DialogHandler& handler)
    : QDialog(owner), handler_(handler), captioned_(dialog.caption) {
    setModal(true);
    if (dialog.caption) {
        setWindowTitle(QString::fromStdString(dialog.title));
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    } else {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        setStyleSheet(QStringLiteral("QtDialog, QDialog { border: 2px outset #a0a0a0; }"));
    }
    // The template's font, or the closest sans serif at its size where it is missing.
    QFont font(QString::fromStdString(dialog.fontName), dialog.fontPoints);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    // Dialog units: a quarter of the average character width, an eighth of the line height.
    const QFontMetrics metrics(font);
    const double baseX = metrics.horizontalAdvance(QStringLiteral(
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                         52.0;
    const double baseY = metrics.height();
    auto x = [&](int units) { return static_cast<int>(units * baseX / 4 + 0.5); };
    auto y = [&](int units) { return static_cast<int>(units * baseY / 8 + 0.5); };
    setFixedSize(x(dialog.width), y(dialog.height));

    // Built in reading order, each control inside the frame that holds it, so that the keys and
    // a screen reader meet them column by column and hear each radio button in its group.
    const std::vector<std::size_t> order = ReadingOrder(dialog);
    std::map<std::size_t, QWidget*> built;
    QButtonGroup* group = nullptr;
    std::vector<QWidget*> tabChain;
    for (const std::size_t i : order) {
        const ControlTemplate& c = dialog.controls[i];
        const std::optional<std::size_t> frame = FrameOf(dialog, i);
        QWidget* parent = frame ? built.at(*frame) : this;
        const QRect rect(x(c.x), y(c.y), x(c.width), y(c.height));
        if (c.kind == ControlKind::RadioButton && (c.groupStart || group == nullptr)) {
            group = new QButtonGroup(this);
            group->setExclusive(true);
        }
        QWidget* widget = Build(c, parent, rect);
        built[i] = widget;
        placed_.push_back(widget);
        if (c.kind == ControlKind::RadioButton)
            group->addButton(static_cast<QRadioButton*>(widget));
        widget->setEnabled(!c.disabled);
        if (!c.name.empty())
            widget->setAccessibleName(QString::fromStdString(c.name));
        if (c.id >= 0)
            controls_[c.id] = widget;
        if (widget->focusPolicy() & Qt::TabFocus)
            tabChain.push_back(widget);
    }
    // Texts are fitted once every control stands where it will.
    for (QWidget* widget : placed_)
        FitText(widget);
    for (std::size_t k = 1; k < tabChain.size(); ++k)
        setTabOrder(tabChain[k - 1], tabChain[k]);
    // A label names the edit or list it stands before; a screen reader reads it with that control.
    // Where the control has a name of its own, the label is read as that name.
    for (const std::size_t i : order)
        if (const std::optional<std::size_t> named = LabelTarget(dialog, order, i)) {
            auto* label = static_cast<QLabel*>(built.at(i));
            label->setBuddy(built.at(*named));
            if (const std::string& name = dialog.controls[*named].name; !name.empty())
                label->setAccessibleName(QString::fromStdString(name));
        }
    // The Up and Down keys of an edit step it as its arrows do.
    for (const ControlTemplate& c : dialog.controls)
        if (c.kind == ControlKind::UpDown && c.steps >= 0)
            if (auto* edit = qobject_cast<QLineEdit*>(Control(c.steps))) {
                steppedBy_[edit] = {c.id, QString::fromStdString(c.name)};
                edit->installEventFilter(this);
            }
}

QWidget* QtDialog::Build(const ControlTemplate& c, QWidget* parent, QRect rect) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
        widget = BuildButton(c, parent);
        break;
    case ControlKind::Edit:
        widget = BuildEdit(c, parent);
        break;
    case ControlKind::UpDown: {
        const int id = c.id;
        const QString field = QString::fromStdString(c.name);
        widget = new UpDownArrows(parent, field,
                                  [this, id, field](int delta) { Step(id, delta, field); });
        break;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        connect(list, &QListWidget::currentRowChanged,
                [this, id = c.id](int) { handler_.OnSelectionChange(id, *this); });
        list->installEventFilter(this);
        widget = list;
        break;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(QString::fromStdString(c.text), parent);
        label->setAlignment(AlignmentOf(c));
        widget = label;
        break;
    }
    case ControlKind::GroupBox: {
        auto* frame = new QGroupBox(QString::fromStdString(c.text), parent);
        // Read as its title says, without the colon that ends it.
        frame->setAccessibleName(QString::fromStdString(c.text).remove(QRegularExpression(" *:$")));
        widget = frame;
        break;
    }
    case ControlKind::Picture:
        widget = BuildPicture(c, parent);
        break;
    }
    PlaceInDialog(widget, rect);
    if (c.kind == ControlKind::Static || c.kind == ControlKind::Edit)
        fits_[widget] = {rect, c.align, c.centreVertically};
    return widget;
}

void QtDialog::Step(int arrowsId, int delta, const QString& field) {
    // The value a step gave is said: the field and its value, once.
    std::map<QLineEdit*, QString> before;
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        before[edit] = edit->text();
    handler_.OnUpDown(arrowsId, delta, *this);
    for (const auto& [edit, text] : before)
        if (edit->text() != text)
            SayInDialog(this, field + QStringLiteral(": ") + edit->text().trimmed());
}

QRect QtDialog::InDialog(const QWidget* widget) const {
    return {widget->mapTo(this, QPoint(0, 0)), widget->size()};
}

void QtDialog::PlaceInDialog(QWidget* widget, QRect rect) {
    QWidget* parent = widget->parentWidget();
    widget->setGeometry(parent == this ? rect
                                       : rect.translated(-parent->mapTo(this, QPoint(0, 0))));
}

// Push buttons, radio buttons and check boxes: each click is the control's command.
QWidget* QtDialog::BuildButton(const ControlTemplate& c, QWidget* parent) {
    const QString text = QString::fromStdString(c.text);
    QAbstractButton* button = nullptr;
    if (c.kind == ControlKind::RadioButton) {
        button = new QRadioButton(text, parent);
    } else if (c.kind == ControlKind::CheckBox) {
        button = new QCheckBox(text, parent);
    } else {
        // Return presses the button that has the focus, else the default one, as on Windows.
        auto* push = new QPushButton(text, parent);
        push->setDefault(c.kind == ControlKind::DefaultPushButton);
        push->setAutoDefault(true);
        button = push;
    }
    connect(button, &QAbstractButton::clicked,
            [this, id = c.id] { handler_.OnCommand(id, *this); });
    return button;
}

QWidget* QtDialog::BuildEdit(const ControlTemplate& c, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    if (c.digitsOnly)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9 ]*"), edit));
    edit->setFrame(c.border);
    return edit;
}

QWidget* QtDialog::BuildPicture(const ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(parent);
    QPixmap picture;
    const std::span<const std::uint8_t> bytes = ProgramBitmap(c.bitmapId);
    if (!bytes.empty())
        picture.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "BMP");
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// This toolkit's fonts may be larger than the template's. A text that would not fit grows its
// box: away from the side it is aligned to, else the other way, else both ways, never over
// another control nor out of the frame that groups it; where no way is free, the text takes a
// smaller font and tries again. An edit grows to the left, away from the arrows on its right.
void QtDialog::FitText(QWidget* widget) {
    const auto found = fits_.find(widget);
    if (found == fits_.end())
        return;
    const Fit& fit = found->second;
    constexpr int SMALLEST_POINTS = 6;
    QFont font = this->font();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        constexpr int MARGINS = 10; // the frame and the edit's own margins around the text
        QRect rect = fit.rect;
        auto width = [&] { return QFontMetrics(font).horizontalAdvance(edit->text()) + MARGINS; };
        while (width() > rect.width() && font.pointSize() > SMALLEST_POINTS)
            font.setPointSize(font.pointSize() - 1);
        if (width() > rect.width())
            rect.setLeft(std::max(0, rect.right() + 1 - width()));
        edit->setFont(font);
        PlaceInDialog(edit, rect);
        return;
    }
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr)
        return;
    for (;;) {
        const QSize needed =
            QFontMetrics(font)
                .boundingRect(QRect(0, 0, width(), height()), Qt::TextExpandTabs, label->text())
                .size() +
            QSize(2, 1);
        const std::optional<QRect> room = RoomFor(label, needed);
        if (room || font.pointSize() <= SMALLEST_POINTS) {
            label->setFont(font);
            PlaceInDialog(label, room.value_or(fit.rect));
            return;
        }
        font.setPointSize(font.pointSize() - 1);
    }
}

std::optional<QRect> QtDialog::RoomFor(const QWidget* control, QSize needed) const {
    const Fit& fit = fits_.at(control);
    const QRect origin = fit.rect;
    const int wider = std::max(0, needed.width() - origin.width());
    const int taller = std::max(0, needed.height() - origin.height());
    const int up = fit.centreVertically ? taller / 2 : 0;
    const QRect growLeft = origin.adjusted(-wider, -up, 0, taller - up);
    const QRect growRight = origin.adjusted(0, -up, wider, taller - up);
    const QRect growBoth = origin.adjusted(-wider / 2, -up, wider - wider / 2, taller - up);
    std::vector<QRect> candidates;
    if (fit.align == TextAlign::Right)
        candidates = {growLeft, growRight, growBoth};
    else if (fit.align == TextAlign::Centre)
        candidates = {growBoth, growLeft, growRight};
    else
        candidates = {growRight, growLeft, growBoth};
    for (const QRect& candidate : candidates) {
        bool free = rect().contains(candidate);
        for (const QWidget* other : placed_) {
            if (other == control || !free)
                continue;
            const QRect at = InDialog(other);
            // A frame that holds the text must hold it still; other controls stay clear.
            if (qobject_cast<const QGroupBox*>(other) != nullptr)
                free = !at.contains(origin) || at.adjusted(2, 2, -2, -2).contains(candidate);
            else
                free = !at.intersects(candidate);
        }
        if (free)
            return candidate;
    }
    return std::nullopt;
}

void QtDialog::Start() {
    handler_.OnInitDialog(*this);
    // The keys start on the first control of the reading order that takes them: typing goes
    // straight into the record's name, and Opzioni starts at its first group's choice.
    for (QWidget* w = nextInFocusChain(); w != nullptr && w != this; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this)) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
}

Answer QtDialog::Run() {
    Start();
    return exec() == QDialog::Accepted ? Answer::Ok : Answer::Cancel;
}

QWidget* QtDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second : nullptr;
}

void QtDialog::SetText(int id, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (auto* label = qobject_cast<QLabel*>(Control(id))) {
        label->setText(value);
        FitText(label);
    } else if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) {
        edit->setText(value);
        FitText(edit);
    } else if (auto* button = qobject_cast<QAbstractButton*>(Control(id)))
        button->setText(value);
}

std::string QtDialog::Text(int id) const {
    if (auto* edit = qobject_cast<QLineEdit*>(Control(id)))
        return edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(Control(id)))
        return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id)))
        return button->text().toStdString();
    return {};
}

void QtDialog::SetChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) {
        // An exclusive group refuses to uncheck its checked button; lift that for a moment.
        QButtonGroup* group = button->group();
        const bool exclusive = group != nullptr && group->exclusive();
        if (exclusive && !checked)
            group->setExclusive(false);
        button->setChecked(checked);
        if (exclusive && !checked)
            group->setExclusive(true);
        // Tab enters a group at its checked button, wherever the check was put.
        if (group != nullptr)
            for (QAbstractButton* member : group->buttons())
                member->setFocusPolicy(member->isChecked() || group->checkedButton() == nullptr
                                           ? Qt::StrongFocus
                                           : Qt::ClickFocus);
    }
}

bool QtDialog::IsChecked(int id) const {
    const auto* button = qobject_cast<QAbstractButton*>(Control(id));
    return button != nullptr && button->isChecked();
}

void QtDialog::SetEnabled(int id, bool enabled) {
    if (QWidget* widget = Control(id))
        widget->setEnabled(enabled);
}

bool QtDialog::IsEnabled(int id) const {
    const QWidget* widget = Control(id);
    return widget != nullptr && widget->isEnabled();
}

void QtDialog::ClearList(int id) {
    if (auto* list = qobject_cast<QListWidget*>(Control(id)))
        list->clear();
}

void QtDialog::AddListLine(int id, const std::string& line) {
    if (auto* list = qobject_cast<QListWidget*>(Control(id)))
        list->addItem(QString::fromStdString(line));
}

void QtDialog::SpeakListLine(int id, int index, const std::string& spoken) {
    if (auto* list = qobject_cast<QListWidget*>(Control(id)); list && list->item(index))
        list->item(index)->setData(Qt::AccessibleTextRole, QString::fromStdString(spoken));
}

void QtDialog::SelectListLine(int id, int index) {
    if (auto* list = qobject_cast<QListWidget*>(Control(id)))
        list->setCurrentRow(index);
}

int QtDialog::SelectedListLine(int id) const {
    const auto* list = qobject_cast<QListWidget*>(Control(id));
    return list != nullptr ? list->currentRow() : -1;
}

void QtDialog::End(Answer answer) {
    done(answer == Answer::Ok ? QDialog::Accepted : QDialog::Rejected);
}

bool QtDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto stepped = steppedBy_.find(qobject_cast<QLineEdit*>(watched));
        if (stepped != steppedBy_.end() && key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            // The up arrow proposes a negative step, as the arrows' own up button does.
            Step(stepped->second.arrowsId, key->key() == Qt::Key_Up ? -1 : 1,
                 stepped->second.field);
            return true;
        }
    }
    auto* list = qobject_cast<QListWidget*>(watched);
    if (event->type() == QEvent::FocusIn && list != nullptr && QAccessible::isActive()) {
        // After the list's own focus event, which a screen reader reads first.
        QTimer::singleShot(0, list, [list] {
            if (list->hasFocus() && list->currentRow() >= 0) {
                QAccessibleEvent focused(list, QAccessible::Focus);
                focused.setChild(list->currentRow());
                QAccessible::updateAccessibility(&focused);
            }
        });
    }
    return QDialog::eventFilter(watched, event);
}

bool QtDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && QAccessible::isActive())
        // A screen reader that comes to the dialog's activation after the focus's own event
        // says the dialog alone: the control with the keys is told again once the dialog is
        // active (said once: the reader passes over a focus it is already on).
        QTimer::singleShot(0, this, [this] {
            if (QWidget* focused = focusWidget(); focused != nullptr && isActiveWindow()) {
                QAccessibleEvent told(focused, QAccessible::Focus);
                QAccessible::updateAccessibility(&told);
            }
        });
    return QDialog::event(event);
}

void QtDialog::reject() {
    handler_.OnCancel(*this);
}

} // namespace zembro::platform
