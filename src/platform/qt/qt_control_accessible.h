// What a screen reader is told of the dialogs' edits, radio buttons and untitled frames, where
// the toolkit's own description reads them wrongly.
#pragma once

class QAccessibleInterface;
class QObject;

namespace zembro::platform {

// The description of `object` when it is one of those controls, else nothing.
QAccessibleInterface* DialogControlAccessible(QObject* object);

} // namespace zembro::platform
