#include "reports/pdf_reports.h"
#include "reports/print_pdf.h"
#include "reports/report_fonts.h"

struct ReportPrinter::Impl {
  explicit Impl(const Clock& clock) : pdf(clock) {}
  TPrintPDF pdf;
  ReportFonts fonts;
};

ReportPrinter::ReportPrinter(const Clock& clock) : impl_(std::make_unique<Impl>(clock)) {
  impl_->pdf.Author = "VORLAX - Quennel";
  impl_->pdf.Creator = "";
}

ReportPrinter::~ReportPrinter() = default;

TPrintPDF& ReportPrinter::Pdf() {
  return impl_->pdf;
}

const ReportFonts& ReportPrinter::Fonts() const {
  return impl_->fonts;
}
