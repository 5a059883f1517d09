#pragma once
// src/widgets: the Qt widget kit the windows share — colours, fonts, captions, hints and framed
// labels, the text-length counter, the typing filters of entry fields and the list-file lifecycle
// of the preparation windows. Qt-free halves (typed_text_filter) sit beside their widgets.
//
// This file: small pieces the windows build their widgets and read their keys with.

#include <QRect>
#include <QString>
#include <Qt>
#include <string>

#include "widgets/qt_colours.h"

// Typed or pasted characters that Windows-1252 cannot hold become this byte (Cp1252FromQString's
// replacement), which no text rule lets pass; a '?' would pass for a real question mark.
inline constexpr char kUnrepresentableInput = '\x7F';

// Sizes are logical pixels at 96 dpi; Qt scales them (and the fonts) to the screen's dpi.
inline constexpr int kFieldHeight = 24;   // a one-line entry field
inline constexpr int kButtonHeight = 28;  // a push button

class QDialog;
class QFocusEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// A push button that never becomes a dialog's default: Enter has its own meaning in these windows.
QPushButton* AddPlainButton(QWidget* parent, const char* name, const QString& caption, QRect place);
// A hint line, in the preparation windows' blue unless another colour is given.
QLabel* AddHint(QWidget* parent, const char* name, const QString& text, QRect place,
                const QColor& colour = kHintBlue);
// A plain caption; `name` may be nullptr for one nothing refers to.
QLabel* AddCaption(QWidget* parent, const char* name, const QString& text, QRect place);
// A count label, centred in a one-pixel frame, on white.
QLabel* AddCountLabel(QWidget* parent, const char* name, QRect place);
// The frame of a status label: a one-pixel rectangle one pixel outside `labelPlace` on every side.
// Made before its label, so that it lies beneath it.
QFrame* AddLabelFrame(QWidget* parent, const char* name, QRect labelPlace);
// A status label in its frame: centred text on its own filled background.
QLabel* AddFramedLabel(QWidget* parent, const char* name, const char* frameName,
                       const QString& text, QRect place);
// The hint `LabelImportHinweis` that says when an import took nothing (ImportHint); hidden until
// then.
QLabel* AddImportHint(QWidget* parent, QRect place);
// Shows the hint, or hides the label when the hint is empty.
void ShowImportHint(QLabel* label, const std::string& cp1252Hint);

// A single border with only the close icon; the size is fixed by KeepOnScreen.
void MakeFixedDialog(QDialog* dialog);

// Shows `cp1252` in the field unless it shows it already (a new text would move the caret).
void SetTextIfChanged(QLineEdit* field, const std::string& cp1252);

// Puts the caret at the end of the field once the focus has settled (a click would otherwise
// place it where the mouse was).
void CaretToEndSoon(QLineEdit* field);

// The focus moved because another window (a dialog, a message box) came or went, not because the
// operator left or entered the field: such moves do not count as leaving or entering.
bool IsWindowSwitch(const QFocusEvent* event);

// Shift, Ctrl, Alt and Meta of a key event, without the keypad flag.
Qt::KeyboardModifiers RelevantModifiers(const QKeyEvent* event);
// Return or the keypad's Enter.
bool IsEnterKey(int key);
// Shift+Insert or the platform's paste key (Ctrl+V).
bool IsPasteKey(const QKeyEvent* event);
// Printable text of a key press (no control characters, no Ctrl shortcut).
bool IsTypedText(const QKeyEvent* event);
// Notches of a wheel turn: positive forward; at least one for any turn.
int WheelNotches(int angleDelta);
