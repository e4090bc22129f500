// The books read lately: the place left in each (kept in the books file,
// shell/BooksFile.h) and the list the menu offers. A book opened again, from
// that list, Open, a drop or the command line, shows the page it was left at.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "form/Unit1.h"

namespace {

// The books the menu lists.
constexpr std::size_t kListed = 10;

}  // namespace

void TForm1::ReadBooks() {
  FBooks = TBookList::Read(FBooksFileName);
}

void TForm1::WriteBooks() {
  if (FBooksFileName.empty()) return;  // nobody chose a books file for this form
  FBooks.Write(FBooksFileName);
}

void TForm1::RememberBookPlace() {
  // Only a text read from a file is a book; pasted text has no path to find it by.
  if (FTextName.empty() || FTextName == "Clipboard" || FFileName.empty()) return;
  // Behind the built-in text the book's page waits in FFilePage.
  const int page = FFileIn ? FPage : std::max(FFilePage, 1);
  FBooks.Remember(FFileName, page);
}

std::vector<TBookPlace> TForm1::RecentBooks() const {
  const std::vector<TBookPlace>& books = FBooks.Books();
  return {books.begin(),
          books.begin() + static_cast<std::ptrdiff_t>(std::min(books.size(), kListed))};
}

void TForm1::OpenBookClick(const std::string& path) {
  if (!Idle()) return;
  CheckTurnMoreBig();
  PLoadTextFile(path);
}
