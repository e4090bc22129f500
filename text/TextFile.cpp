#include "text/TextFile.h"

#include "base/Files.h"

std::string ReadTextFile(const std::string& path) {
  return ReadInputFile(path, TInputKind::Text);
}
