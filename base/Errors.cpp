#include "base/Errors.h"

namespace {
std::string WithReason(std::string text, const std::string& reason) {
  if (!reason.empty()) text += "\n" + reason;
  return text;
}
}  // namespace

EFileError EFileError::CannotOpen(const std::string& path, const std::string& reason) {
  return EFileError(WithReason("ファイル " + path + " は開けません", reason));
}

EFileError EFileError::CannotCreate(const std::string& path, const std::string& reason) {
  return EFileError(WithReason("ファイル " + path + " を作成できません", reason));
}
