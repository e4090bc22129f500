#pragma once
// The file one exported page becomes: its name, and its bytes as the page
// writers make them (a numbered JPEG, or the page spliced behind a camera
// photograph's Exif block, with or without a fresh thumbnail). Every batch
// export goes through MakePageFile for each page, whether the window steps
// through the pages or a pool of workers draws them, so both write the same
// bytes under the same names.
#include <string>

#include "render/ABitmap.h"

enum class TPageFileKind {
  Numbered,   // all_page/<name>/<prefix><number>.jpg
  Exif,       // <name>/<template's name>: the page behind the template's head
  ExifThumb,  // <name>_th/<template's name>: the same with a new thumbnail
};

// What the files of one batch share.
struct TPageFileSettings {
  TPageFileKind Kind = TPageFileKind::Numbered;
  int Quality = 60;      // of the page JPEG and of the thumbnail
  std::string Folder;    // where the files go, ending in '/'
  std::string SaveName;  // the text's name without its extension (numbered names)
  int AllPage = 0;       // the text's page count: the width of the numbers
  // The thumbnail is a picture of the page number rather than the shrunk page,
  // drawn bold and in the Gothic face as asked.
  bool CountThumb = false;
  bool Bold = false;
  bool Gothic = false;
};

// What became of a page.
enum class TPageFileOutcome {
  Write,           // Bytes go to Path
  WriteKeptThumb,  // the same, but the template's thumbnail could not be replaced and stayed
  NoExif,          // the template has no Exif block: the batch stops here (Message)
  Refused,         // the page is not written; the batch goes on (Message)
};

struct TPageFile {
  TPageFileOutcome Outcome = TPageFileOutcome::Write;
  std::string Path;
  std::string Bytes;
  std::string Message;
  std::string TemplateName;  // the template's file name, for the Exif kinds
};

// Numbered page name: the number's width follows the size of the whole text
// (4 digits below 10000 pages, 6 below 1000000, else 8), after the first 4, 2
// or 0 code-page-932 bytes of the name, so the names of one text sort in page
// order.
std::string NumberedPageName(int allPage, int page, const std::string& saveName);

// The file of page (1-based) drawn on bitmap; templatePath is the page's camera
// photograph for the Exif kinds. Nothing is written. The thumbnail kind may
// shrink the bitmap. Throws EFileError when the template cannot be read and
// EImageError when the page cannot be encoded.
TPageFile MakePageFile(const TPageFileSettings& settings, int page, const std::string& templatePath,
                       TABitmap& bitmap);
