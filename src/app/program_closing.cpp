#include "app/program_closing.h"

#include "app/app_context.h"

void CloseProgram(AppContext& /*ctx*/) {
  // The closing sequence (final lists, score sheet, ADIF files, log export) is called from here.
}
