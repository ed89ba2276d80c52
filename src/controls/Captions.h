#pragma once

class QLabel;
class QWidget;

namespace controls {

// Captions of edits: the text's "&" marks the key that moves the focus to the buddy.
QLabel *caption(const char *utf8Text, QWidget *buddy, QWidget *parent);
// Two captions side by side ("&Plz/" "&Ort:") for two edits side by side.
QWidget *captionPair(const char *first, QWidget *firstBuddy, const char *second, QWidget *secondBuddy, QWidget *parent);

} // namespace controls
