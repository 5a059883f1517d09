#include "live/qt_live_key.h"

#include <QKeyEvent>

#include "common/qt_cp1252.h"

LiveKey LiveKeyOf(const QKeyEvent* event) {
  LiveKey key;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  key.ctrl = modifiers.testFlag(Qt::ControlModifier);
  key.shift = modifiers.testFlag(Qt::ShiftModifier);
  key.alt = modifiers.testFlag(Qt::AltModifier);
  key.autoRepeat = event->isAutoRepeat();
  const int code = event->key();
  if (code >= Qt::Key_A && code <= Qt::Key_Z)
    key.letter = static_cast<char>('A' + code - Qt::Key_A);
  switch (code) {
    case Qt::Key_Space:
      key.code = LiveKey::Code::Space;
      return key;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key.code = LiveKey::Code::Enter;
      return key;
    case Qt::Key_Escape:
      key.code = LiveKey::Code::Escape;
      return key;
    case Qt::Key_Tab:
      key.code = LiveKey::Code::Tab;
      return key;
    case Qt::Key_Backtab:
      key.code = LiveKey::Code::Backtab;
      return key;
    case Qt::Key_Backspace:
      key.code = LiveKey::Code::Backspace;
      return key;
    case Qt::Key_Delete:
      key.code = LiveKey::Code::Delete;
      return key;
    case Qt::Key_Up:
      key.code = LiveKey::Code::Up;
      return key;
    case Qt::Key_Down:
      key.code = LiveKey::Code::Down;
      return key;
    case Qt::Key_Left:
      key.code = LiveKey::Code::Left;
      return key;
    case Qt::Key_Right:
      key.code = LiveKey::Code::Right;
      return key;
    case Qt::Key_Home:
      key.code = LiveKey::Code::Home;
      return key;
    case Qt::Key_End:
      key.code = LiveKey::Code::End;
      return key;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
      key.code = LiveKey::Code::Modifier;
      return key;
    default:
      break;
  }
  if (code >= Qt::Key_F1 && code <= Qt::Key_F12) {
    key.code = LiveKey::Code::Function;
    key.function = code - Qt::Key_F1 + 1;
    return key;
  }
  // A printable character that Windows-1252 can hold; Ctrl combinations (Ctrl+C, Ctrl+V ...) are
  // editing commands of the field, not characters.
  const QString text = event->text();
  if (!key.ctrl && text.size() == 1 && text[0].isPrint()) {
    const std::string cp1252 = Cp1252FromQString(text);
    if (QStringFromCp1252(cp1252) == text) {
      key.code = LiveKey::Code::Character;
      key.text = cp1252;
      return key;
    }
  }
  key.code = LiveKey::Code::Other;
  return key;
}
