// The compiled form of an expression, shared by the parser and the evaluator: a tree of typed
// nodes in one vector. Internal to the storage engine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/base/date.h"
#include "store/xbase/value.h"

namespace zrv {

enum class ExprOp : std::uint8_t {
  kConst,
  kField,
  kToday,  // date()
  kDtos,   // dtos(d)
  kStr,    // str(n [, width [, decimals]]): width/decimals in the node
  kMonth,
  kYear,
  kDay,
  kUpper,
  kLower,
  kRtrim,
  kLtrim,
  kAlltrim,
  kSubstr,  // substr(s, start [, count])
  kLeft,
  kRight,
  kVal,
  kConcat,      // C + C
  kConcatTrim,  // C - C: the left side's trailing blanks move to the end
  kAddNum,
  kAddDays,  // D + N (either order: a is the date)
  kSubNum,
  kSubDays,   // D - N
  kDiffDays,  // D - D
  kMul,
  kDiv,
  kMod,
  kNeg,
  kCompare,
  kNot,
  kAnd,
  kOr,
  kContains,  // a $ b
};

enum class CmpOp : std::uint8_t { kEq, kExactEq, kNe, kLt, kLe, kGt, kGe };

struct ExprNode {
  ExprOp op = ExprOp::kConst;
  ValueType type = ValueType::kChar;  // result type
  int a = -1, b = -1, c = -1;         // operand nodes
  // kField: place in the record (flag at 0), width, stored type, decimals
  std::uint32_t offset = 0;
  std::uint32_t width = 0;
  char fieldType = 'C';
  // numeric format str() uses for this node's value; for kStr the requested one
  int numWidth = 10;
  int numDecimals = 0;
  CmpOp cmp = CmpOp::kEq;
  ValueType operandType = ValueType::kChar;  // kCompare
  Value constant;                            // kConst (texts in Windows-1252)
};

// One test of a logical expression read as a chain of .and.: a record meets the expression
// when it passes every test in turn. The common tests of index conditions are read from the
// field's bytes directly; any other part is evaluated as a whole (kNode).
struct ExprTerm {
  enum class Kind : std::uint8_t {
    kLogicalField,  // a logical field, or .not. one (`negated`)
    kDateToday,     // a date field compared with date()
    kNumberConst,   // a number field compared with a number
    kNode,
  };
  Kind kind = Kind::kNode;
  int node = -1;         // the test as a node of the tree (always set)
  bool negated = false;  // kLogicalField
  bool swapped = false;  // the comparison has the field on its right
  CmpOp cmp = CmpOp::kEq;
  std::uint32_t offset = 0;  // the field: place in the record and width
  std::uint32_t width = 0;
  double number = 0;  // kNumberConst
};

struct ExprProgram {
  std::string text;
  std::vector<ExprNode> nodes;
  int root = -1;
  std::vector<ExprTerm> terms;  // a logical expression as its chain of .and.
};

// Fills `terms` of a compiled logical expression.
void planTerms(ExprProgram& p);

}  // namespace zrv
