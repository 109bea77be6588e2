// Edits read once with their whole value, radio buttons named by their frame once, untitled
// frames left out of what is read.
#include "platform/qt/qt_control_accessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVariant>
#include <algorithm>

namespace zembro::platform {
namespace {

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// The toolkit names a control inside a frame by the frame too: a screen reader then says the
// frame's name twice, as the control's context and as its label. The context stays.
Relations WithoutFrames(Relations relations) {
    relations.removeIf([](const auto& relation) {
        return qobject_cast<QGroupBox*>(relation.first->object()) != nullptr;
    });
    return relations;
}

// A one-line edit. The toolkit's own tells its text in runs of no length, which a screen reader
// reads one character short ("2" for "20"); and it tells of the whole text selected as the keys
// arrive, before it tells of the focus, so that the value is read twice. Here the text is one run
// and the selection is not told: typing replaces the value, as it shows.
class EditAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
  public:
    explicit EditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? Edit()->text() : QAccessibleWidget::text(type);
    }
    void setText(QAccessible::Text type, const QString& text) override {
        if (type == QAccessible::Value)
            Edit()->setText(text);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = s.selectableText = true;
        return s;
    }
    Relations relations(QAccessible::Relation match) const override {
        return WithoutFrames(QAccessibleWidget::relations(match));
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { Edit()->deselect(); }
    void setSelection(int, int start, int end) override {
        Edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        const QString all = Edit()->text();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = std::clamp(end < 0 ? static_cast<int>(all.size()) : end, start,
                         static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Edit()->text().size()); }
    QRect characterRect(int offset) const override {
        const QLineEdit* edit = Edit();
        const QFontMetrics metrics(edit->font());
        const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.left() + metrics.horizontalAdvance(edit->text().left(offset)) -
                      metrics.horizontalAdvance(edit->text().left(edit->cursorPosition()));
        const QString character = edit->text().mid(offset, 1);
        return {edit->mapToGlobal(QPoint(x, caret.top())),
                QSize(metrics.horizontalAdvance(character), caret.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        QString all = Edit()->text();
        all.replace(start, end - start, text);
        Edit()->setText(all);
    }

  private:
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }
};

// A radio button: its own text, checked or not, named by its frame once, as context.
class RadioAccessible : public QAccessibleWidget {
  public:
    explicit RadioAccessible(QRadioButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name && Button()->accessibleName().isEmpty())
            return Button()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(type);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Button()->isChecked();
        return s;
    }
    Relations relations(QAccessible::Relation match) const override {
        return WithoutFrames(QAccessibleWidget::relations(match));
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction() << toggleAction();
    }
    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction())
            Button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QRadioButton* Button() const { return static_cast<QRadioButton*>(widget()); }
};

} // namespace

QAccessibleInterface* DialogControlAccessible(QObject* object) {
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return new EditAccessible(edit);
    if (auto* radio = qobject_cast<QRadioButton*>(object))
        return new RadioAccessible(radio);
    // A frame without a title only draws: it is no group to name.
    if (auto* frame = qobject_cast<QGroupBox*>(object); frame && frame->title().isEmpty())
        return new QAccessibleWidget(frame, QAccessible::Whitespace); // a filler
    return nullptr;
}

} // namespace zembro::platform
