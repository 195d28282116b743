// The small xBase expression language of index keys and FOR conditions: field references
// (with or without "ALIAS->"), literals, + - * /, comparisons (= == # <> != < <= > >= $),
// .not. .and. .or., parentheses and the functions dtos str month year day date upper lower
// trim rtrim ltrim alltrim substr left right val. Names are case-insensitive.
//
// An expression is compiled once against a table structure, which checks every name and type;
// a compiled expression always evaluates (no run-time errors). Texts inside expressions are the
// stored Windows-1252 bytes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "store/base/status.h"
#include "store/xbase/index_def.h"
#include "store/xbase/table_structure.h"
#include "store/xbase/value.h"

namespace zrv {

struct ExprProgram;

// What date() returns while expressions are evaluated, with its stored form made once: a pass
// over many records makes one and compares a date field with date() as bytes. A Date converts
// to it, for the evaluation of a single record.
class ExprToday {
 public:
  ExprToday(const Date& date);  // NOLINT: implicit on purpose
  const Date& date() const { return date_; }
  // "YYYYMMDD"; empty for the empty date (and a year beyond four digits).
  std::string_view dtos() const { return {dtos_, dtosSize_}; }

 private:
  Date date_;
  char dtos_[8] = {};
  std::size_t dtosSize_ = 0;
};

class Expression {
 public:
  // kBadExpression with a German message naming the problem (unknown name or function, wrong
  // argument types, syntax, memo fields, which expressions do not read). `alias` is the work
  // area name that "ALIAS->" may use (case-insensitive); `variables` are the other names known.
  static Result<Expression> compile(std::string_view text, const Structure& fields,
                                    std::string_view alias, const ExprVariables& variables = {});

  const std::string& text() const;
  ValueType type() const;

  // `record` holds a whole record as stored (deletion flag first) of the compiled structure.
  // `today` is what date() returns.
  Value evaluate(std::string_view record, const ExprToday& today) const;
  // For logical expressions.
  bool isTrue(std::string_view record, const ExprToday& today) const;
  // For character expressions: the text replaces `out` (no Value in between; used for keys).
  void evaluateText(std::string_view record, const ExprToday& today, std::string& out) const;
  // Width and decimals str() would give a numeric expression (field: its own; else 10).
  int numericWidth() const;
  int numericDecimals() const;

 private:
  explicit Expression(std::shared_ptr<const ExprProgram> p) : program_(std::move(p)) {}
  std::shared_ptr<const ExprProgram> program_;
};

}  // namespace zrv
