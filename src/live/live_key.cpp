#include "live/live_key.h"

bool LiveKey::RepeatsWhileHeld() const {
  switch (code) {
    case Code::Backspace:
    case Code::Delete:
    case Code::Left:
    case Code::Right:
    case Code::Home:
    case Code::End:
    case Code::Up:
    case Code::Down:
      return true;
    default:
      return false;
  }
}

bool LiveKey::TypesCharacter() const {
  return code == Code::Character || code == Code::Space || code == Code::Enter ||
         code == Code::Backspace;
}

char LiveKey::Character() const {
  if (code == Code::Space) return ' ';
  return text.size() == 1 ? text[0] : '\0';
}
