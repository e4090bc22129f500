// The books-file parser on arbitrary text: it keeps only whole, well-formed
// entries, and what it writes back parses to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/BooksFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TBookList list =
      TBookList::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (list.Books().size() > TBookList::kKept) std::abort();
  for (const TBookPlace& book : list.Books())
    if (book.Page < 1 || book.Path.empty() || book.Path.front() != '/' ||
        book.Path.find_first_of("\r\n") != std::string::npos)
      std::abort();
  if (TBookList::Parse(list.Text()).Text() != list.Text()) std::abort();
  return 0;
}
