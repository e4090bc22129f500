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
