#include "db/embedded/syntax/SyntaxTree.h"

#include "db/Text.h"

namespace db::embedded::syntax {

std::string_view ObjectName::qualifier(size_t fromEnd) const {
  if (parts.size() <= fromEnd) return {};
  return parts[parts.size() - 1 - fromEnd].value;
}

bool TypeName::isMax() const { return arguments.size() == 1 && equalsAsciiNoCase(arguments[0], "max"); }

bool isComparison(BinaryOp op) { return op >= BinaryOp::Equal && op <= BinaryOp::NotGreater; }

std::string_view binaryOpText(BinaryOp op) {
  switch (op) {
    case BinaryOp::Multiply: return "*";
    case BinaryOp::Divide: return "/";
    case BinaryOp::Modulo: return "%";
    case BinaryOp::Add: return "+";
    case BinaryOp::Subtract: return "-";
    case BinaryOp::BitAnd: return "&";
    case BinaryOp::BitXor: return "^";
    case BinaryOp::BitOr: return "|";
    case BinaryOp::Equal: return "=";
    case BinaryOp::NotEqual: return "<>";
    case BinaryOp::Less: return "<";
    case BinaryOp::Greater: return ">";
    case BinaryOp::LessOrEqual: return "<=";
    case BinaryOp::GreaterOrEqual: return ">=";
    case BinaryOp::NotLess: return "!<";
    case BinaryOp::NotGreater: return "!>";
    case BinaryOp::And: return "AND";
    case BinaryOp::Or: return "OR";
  }
  return "?";
}

bool Expression::isCondition() const {
  switch (kind) {
    case ExpressionKind::Binary: {
      const BinaryOp op = as<Binary>().op;
      return isComparison(op) || op == BinaryOp::And || op == BinaryOp::Or;
    }
    case ExpressionKind::Unary: return as<Unary>().op == UnaryOp::Not;
    case ExpressionKind::IsNull:
    case ExpressionKind::Like:
    case ExpressionKind::Between:
    case ExpressionKind::InList:
    case ExpressionKind::InSubquery:
    case ExpressionKind::Exists:
    case ExpressionKind::Quantified: return true;
    default: return false;
  }
}

std::string_view objectKindKeyword(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Table: return "TABLE";
    case ObjectKind::View: return "VIEW";
    case ObjectKind::Procedure: return "PROCEDURE";
    case ObjectKind::Function: return "FUNCTION";
    case ObjectKind::Trigger: return "TRIGGER";
    case ObjectKind::Database: return "DATABASE";
  }
  return "?";
}

}  // namespace db::embedded::syntax
