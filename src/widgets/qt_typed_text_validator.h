#pragma once
// A validator that puts a field's typing rule (widgets/typed_text_filter.h) on every way text
// enters a QLineEdit: keys, Ctrl+V, Shift+Insert, middle click, drag and drop. It never refuses an
// edit; it repairs it. Characters without a Windows-1252 byte are removed like any other foreign
// character.

#include <QValidator>

#include "widgets/typed_text_filter.h"

class TypedTextValidator : public QValidator {
  Q_OBJECT

 public:
  TypedTextValidator(const TypedTextRule& rule, QObject* parent);

  void SetRule(const TypedTextRule& rule) { rule_ = rule; }
  const TypedTextRule& Rule() const { return rule_; }

  State validate(QString& input, int& pos) const override;

 private:
  TypedTextRule rule_;
};
