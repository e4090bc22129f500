// The album command that follows an Exif batch: asks where the albums start and
// writes the manifests the export engine builds.
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Files.h"
#include "export/Album.h"
#include "export/FileWrite.h"
#include "form/Unit1.h"

namespace {

constexpr char kAskAlbum[] =
    "OLYMPUS ALBUM file を作成します\n最初のアルバムを選んでください\n"
    "１の場合１００枚は不要ですので\n１０１枚目からアルバムに収録されます\n"
    "２～１２の場合１枚目から収録されます\n"
    "１３以上の場合アルバム１の１枚目から収録されます\n"
    "１０２以上の場合その番号からアルバム１～に収録されます\n"
    "（ただし下二桁０１以外はアルバム１に空きが出来ます）\n"
    "　「いいえ」　でキャンセルします";
constexpr char kMsgBeyond[] = "総ページ数を超えることは出来ませんので、終了します。";

// The number entered, its fraction cut off; 1 when the dialog was closed without OK.
long long EnteredStart(Platform& p) {
  const auto value = p.NumberDialog(10);
  if (!value || !std::isfinite(*value)) return 1;
  const double cut = std::trunc(*value);
  if (cut > static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  return static_cast<long long>(cut);
}

}  // namespace

void TForm1::WriteAlbum(const std::string& suffix) {
  if (P.MessageBox(kAskAlbum, MsgButtons::YesNo, MsgIcon::Information) != MsgResult::Yes) return;
  const TAlbumStart start = AlbumStart(EnteredStart(P));
  // Only pictures that were exported, and whose template is still known, go in.
  const int last = std::min(FBatchLastPage, static_cast<int>(FExifFiles.size()));
  if (start.FirstPicture >= last) {
    P.ShowMessage(kMsgBeyond);
    return;
  }
  FOutDir = FProgramDir + "/";
  const std::string root = FOutDir + FSaveName + suffix + "/";
  CreateFolderOrThrow(root);
  CreateFolderOrThrow(root + "OLALB");
  for (const TManifestFile& file : AlbumManifests(start, FExifFiles, last))
    WriteOutputFile(root + file.Path, file.Bytes);
}
