// Result of an operation that can fail for expected reasons (missing file,
// damaged table, disk full). Errors carry a message for the operator.
#pragma once

#include <string>
#include <utility>

namespace kav {

class Status {
 public:
  enum class Code { kOk, kNotFound, kCorrupt, kInUse, kIoError, kInvalid };

  Status() = default;
  static Status Ok() { return Status(); }
  static Status NotFound(std::string msg) { return Status(Code::kNotFound, std::move(msg)); }
  static Status Corrupt(std::string msg) { return Status(Code::kCorrupt, std::move(msg)); }
  static Status InUse(std::string msg) { return Status(Code::kInUse, std::move(msg)); }
  static Status IoError(std::string msg) { return Status(Code::kIoError, std::move(msg)); }
  static Status Invalid(std::string msg) { return Status(Code::kInvalid, std::move(msg)); }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  bool is_not_found() const { return code_ == Code::kNotFound; }
  bool is_corrupt() const { return code_ == Code::kCorrupt; }
  bool is_in_use() const { return code_ == Code::kInUse; }
  const std::string& message() const { return msg_; }

 private:
  Status(Code c, std::string m) : code_(c), msg_(std::move(m)) {}
  Code code_ = Code::kOk;
  std::string msg_;
};

// Returns from the enclosing function when the expression is not ok.
#define KAV_RETURN_IF_ERROR(expr)        \
  do {                                   \
    ::kav::Status _st = (expr);          \
    if (!_st.ok()) return _st;           \
  } while (0)

}  // namespace kav
