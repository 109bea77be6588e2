// Dialog templates made into widgets.
#include "platform/qt/qt_dialog.h"

#include "platform/qt/qt_accessible.h"

#include "platform/resources.h"

#include <algorithm>

#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
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
    : QDialog(owner), handler_(handler) {
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

    QButtonGroup* group = nullptr;
    for (const ControlTemplate& c : dialog.controls) {
        const QRect rect(x(c.x), y(c.y), x(c.width), y(c.height));
        if (c.kind == ControlKind::RadioButton && (c.groupStart || group == nullptr)) {
            group = new QButtonGroup(this);
            group->setExclusive(true);
        }
        QWidget* widget = Build(c, rect);
        if (c.kind == ControlKind::RadioButton)
            group->addButton(static_cast<QRadioButton*>(widget));
        if (c.kind == ControlKind::GroupBox)
            widget->lower(); // a frame behind the controls it groups
        widget->setEnabled(!c.disabled);
        if (!c.name.empty())
            widget->setAccessibleName(QString::fromStdString(c.name));
        if (c.id >= 0)
            controls_[c.id] = widget;
    }
}

QWidget* QtDialog::Build(const ControlTemplate& c, QRect rect) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
        widget = BuildButton(c);
        break;
    case ControlKind::Edit:
        widget = BuildEdit(c);
        break;
    case ControlKind::UpDown: {
        // The value a step gave is said, since the arrows, not the edit, have the focus.
        const QString field = QString::fromStdString(c.name);
        widget = new UpDownArrows(this, field, [this, field, id = c.id](int delta) {
            std::map<QLineEdit*, QString> before;
            for (QLineEdit* edit : findChildren<QLineEdit*>())
                before[edit] = edit->text();
            handler_.OnUpDown(id, delta, *this);
            for (const auto& [edit, text] : before)
                if (edit->text() != text)
                    SayInDialog(this, field + QStringLiteral(": ") + edit->text().trimmed());
        });
        break;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(this);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        connect(list, &QListWidget::currentRowChanged,
                [this, id = c.id](int) { handler_.OnSelectionChange(id, *this); });
        list->installEventFilter(this);
        widget = list;
        break;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(QString::fromStdString(c.text), this);
        label->setAlignment(AlignmentOf(c));
        widget = label;
        break;
    }
    case ControlKind::GroupBox:
        widget = new QGroupBox(QString::fromStdString(c.text), this);
        break;
    case ControlKind::Picture:
        widget = BuildPicture(c);
        break;
    }
    widget->setGeometry(rect);
    if (c.kind == ControlKind::Static || c.kind == ControlKind::Edit) {
        fits_[widget] = {rect, c.align, c.centreVertically};
        FitText(widget);
    }
    return widget;
}

// Push buttons, radio buttons and check boxes: each click is the control's command.
QWidget* QtDialog::BuildButton(const ControlTemplate& c) {
    const QString text = QString::fromStdString(c.text);
    QAbstractButton* button = nullptr;
    if (c.kind == ControlKind::RadioButton) {
        button = new QRadioButton(text, this);
    } else if (c.kind == ControlKind::CheckBox) {
        button = new QCheckBox(text, this);
    } else {
        auto* push = new QPushButton(text, this);
        push->setDefault(c.kind == ControlKind::DefaultPushButton);
        push->setAutoDefault(false);
        button = push;
    }
    connect(button, &QAbstractButton::clicked,
            [this, id = c.id] { handler_.OnCommand(id, *this); });
    return button;
}

QWidget* QtDialog::BuildEdit(const ControlTemplate& c) {
    auto* edit = new QLineEdit(this);
    if (c.digitsOnly)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9 ]*"), edit));
    edit->setFrame(c.border);
    return edit;
}

QWidget* QtDialog::BuildPicture(const ControlTemplate& c) {
    auto* label = new QLabel(this);
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
        edit->setGeometry(rect);
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
            label->setGeometry(room.value_or(fit.rect));
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
        for (const QWidget* other : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == control || !free)
                continue;
            const QRect at = other->geometry();
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

Answer QtDialog::Run() {
    handler_.OnInitDialog(*this);
    // Typing goes straight into the first edit, so a name can be entered without a click.
    if (auto* edit = findChild<QLineEdit*>())
        edit->setFocus();
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

void QtDialog::reject() {
    handler_.OnCancel(*this);
}

} // namespace zembro::platform
