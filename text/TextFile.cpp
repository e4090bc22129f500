#include "text/TextFile.h"

#include "base/Errors.h"
#include "base/Files.h"
#include "text/BinaryCheck.h"
#include "text/FileNames.h"
#include "text/ZipArchive.h"

std::string ReadTextFile(const std::string& path) {
  return ReadInputFile(path, TInputKind::Text);
}

TTextSource ReadTextSource(const std::string& path) {
  if (!HasZipExtension(path)) return {ReadTextFile(path), HasHtmlExtension(path)};
  const TZipArchive archive(path);
  const TZipArchive::TEntry* text = archive.TextEntry();
  if (!text)
    throw EFileError::CannotOpen(path, "ZIP の中にテキスト (.txt, .htm, .html) がありません");
  return {archive.Read(*text, kMaxTextFileBytes), HasHtmlExtension(text->Name)};
}

TDecodedText LoadTextFile(const std::string& path, TTextEncoding encoding) {
  TTextSource source = ReadTextSource(path);
  TDecodedText decoded = DecodeText(std::move(source.Bytes), source.Html, encoding);
  if (auto refusal = BinaryRefusal(decoded.Bytes)) throw EFileError::CannotOpen(path, *refusal);
  decoded.Report.Html = source.Html;
  return decoded;
}
