#pragma once

class QBoxLayout;
class QGridLayout;
class QLabel;
class QWidget;

namespace controls {

// Captions of edits: the text's "&" marks the key that moves the focus to the buddy.
QLabel *caption(const char *utf8Text, QWidget *buddy, QWidget *parent);
// Two captions side by side ("&Plz/" "&Ort:") for two edits side by side.
QWidget *captionPair(const char *first, QWidget *firstBuddy, const char *second, QWidget *secondBuddy, QWidget *parent);

// A titled group of fields, added below the others in `column`; its fields go into the grid
// returned.
QGridLayout *fieldGroup(const char *utf8Title, QBoxLayout *column, QWidget *window);
// A row of a form's grid: the caption in column 0, the edit from column 1 over `columns` columns.
void addField(QGridLayout *grid, int row, const char *text, QWidget *edit, int columns = 1);
// A row of two edits side by side (columns 1 and 2) under two captions.
void addFieldPair(QGridLayout *grid, int row, const char *first, QWidget *firstEdit, const char *second, QWidget *secondEdit);

} // namespace controls
