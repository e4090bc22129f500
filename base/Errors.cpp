#include "base/Errors.h"

#include <filesystem>
#include <new>
#include <system_error>

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

std::string FailureText(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "メモリが足りないため、処理を中止しました";
  if (const auto* fs = dynamic_cast<const std::filesystem::filesystem_error*>(&e)) {
    std::string text = "ファイル";
    if (!fs->path1().empty()) text.append(" ").append(fs->path1().string());
    return text.append(" を扱えません\n").append(fs->code().message());
  }
  if (const auto* system = dynamic_cast<const std::system_error*>(&e))
    return "システムの処理が失敗しました\n" + system->code().message();
  if (dynamic_cast<const std::runtime_error*>(&e)) return e.what();
  return std::string("予期しない内部エラーのため、処理を中止しました\n(") + e.what() + ")";
}
