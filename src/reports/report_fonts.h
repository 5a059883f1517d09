#pragma once
// The font objects shared by all reports of one closing sequence.

#include "reports/pdf_types.h"

struct ReportFonts {
  TPDFFont body{kHelvetica, 10};
  TPDFFont bodyBold{kHelveticaBold, 10};
  TPDFFont title{kHelveticaBold, 14};
  TPDFFont listHeader{kHelvetica, 12};
  TPDFFont mono{kLucidaConsole, 10};
  TPDFFont monoLarge{kLucidaConsole, 12};
  TPDFFont monoBold{kLucidaConsoleBold, 12};
};
