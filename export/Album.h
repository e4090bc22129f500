#pragma once
// The camera album manifests written after an Exif batch: one album file of up to
// 100 pictures per album (OLALB/ALBUMnnn.PVM, at most 12 albums) and the master
// manifest ALBUM.PVM that lists them, all in the MPV Basic profile form.
#include <string>
#include <vector>

// Where the albums start for the number A entered in the number dialog (values
// below 1 count as 1): the first picture taken and the first album number.
struct TAlbumStart {
  int FirstPicture = 101;
  int FirstAlbum = 1;
};
TAlbumStart AlbumStart(long long entered);

// The identifier of a picture in its album: "OLY-" and its slot (the picture
// number modulo 100, 0 taken as 100) as 8 upper-case hexadecimal digits.
std::string AlbumStillId(int picture);
// The identifier of album n in the master manifest; album 1 is "OLY-0000000D".
std::string AlbumLinkId(int album);

// The lines every manifest starts and ends with (without line ends).
std::vector<std::string> ManifestHead();
std::vector<std::string> ManifestTail();

// One manifest file: its path below the album folder ("OLALB/ALBUM001.PVM",
// "ALBUM.PVM") and its bytes.
struct TManifestFile {
  std::string Path;
  std::string Bytes;
};
// The album files and the master manifest for pictures start.FirstPicture..last,
// at most 100 to an album and 12 albums; paths[i - 1] is the template of picture i
// (only its file name is written). The master manifest comes last.
std::vector<TManifestFile> AlbumManifests(TAlbumStart start, const std::vector<std::string>& paths,
                                          int last);
