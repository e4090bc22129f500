// quillane-cli export draws its pages on several workers: the files, their
// names and every byte in them are those of one worker and of the window's
// batch, and an interrupt leaves only whole pages.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <thread>

#include "export/JpegCodec.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using checks::Quote;
using testsupport::TempDir;

// Every file under folder, by its path below it.
std::map<std::string, std::string> Tree(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file())
      files[fs::relative(e.path(), folder).string()] = testsupport::ReadFile(e.path().string());
  return files;
}

// Column text that wraps, with kana and kanji in vertical forms, over pages pages.
std::string Novel(int pages, const std::string& name) {
  std::string text;
  for (int i = 1; i <= pages * 13; ++i)
    text += testsupport::Sjis(name + " " + std::to_string(i) + "「吾輩は猫である。」、ー") + "\r\n";
  return text;
}

class PoolExport : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::WriteFile(inputs_ / "novel.txt", Novel(40, "novel"));
    testsupport::WriteFile(inputs_ / "short.txt", Novel(3, "short"));
    for (int i = 1; i <= 45; ++i) {
      fixtures::CameraOptions camera;
      // Two templates whose thumbnail is not a JPEG keep it.
      if (i == 7 || i == 20) camera.Compression = 1;
      testsupport::WriteFile(cameras_ / Name(i), fixtures::MakeCameraJpeg(camera).Bytes);
      // A photograph without Exif stops an Exif export at its page.
      testsupport::WriteFile(broken_ / Name(i),
                             i == 9 ? fixtures::PlainJpeg(64, 48, RGBColor(0, 0, 200))
                                    : fixtures::MakeCameraJpeg().Bytes);
    }
  }
  static std::string Name(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%04d.JPG", 1000 + i);
    return name;
  }
  // Runs the export into a fresh home; its exit status, stdout in out.
  int Export(const fs::path& home, int jobs, const std::string& options, std::string* out) {
    fs::create_directories(home);
    return testsupport::RunCommand(testsupport::CliPath() + " export --home " +
                                       Quote(home.string()) + " --jobs " + std::to_string(jobs) +
                                       " " + options + " 2>" + Quote(home.string() + ".err"),
                                   out);
  }

  TempDir inputs_, cameras_, broken_, homes_;
  const std::string novel_ = Quote(inputs_ / "novel.txt");
};

TEST_F(PoolExport, FourWorkersWriteTheFilesOfOneByteForByte) {
  const std::string exif = " --exif " + Quote(cameras_.Path().string());
  const struct {
    const char* Name;
    std::string Options;
    std::size_t Files;  // files written, albums included
    int Pages;          // the first book's pages, as stdout tells them
    int Status;
  } rows[] = {
      {"plain", novel_, 40, 40, 0},
      {"qvga bold gothic", "--qvga --bold --gothic --quality 85 " + novel_, 40, 40, 0},
      {"turned and shifted", "--mode turn --shift-right --bg 0x203040 " + novel_, 130, 130, 0},
      {"two books", "--mode bigfont --horizontal " + novel_ + " " + Quote(inputs_ / "short.txt"),
       80 + 6, 80, 0},
      {"exif with album", exif + " --album 2 " + novel_, 40 + 2, 40, 0},
      {"exif thumbnail", exif + " --thumbnail --qvga " + novel_, 40, 40, 0},
      {"count thumbnail",
       exif + " --thumbnail --count-thumbnail --mode morebig --album 12 " + novel_, 45 + 2, 45, 0},
      {"template without exif: the export stops there",
       " --exif " + Quote(broken_.Path().string()) + " " + novel_, 8, 8, 1},
      {"thumbnail, template without exif: that page is skipped",
       " --thumbnail --exif " + Quote(broken_.Path().string()) + " " + novel_, 39, 39, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    const fs::path one = homes_.Path() / (std::string(row.Name) + "-1");
    const fs::path four = homes_.Path() / (std::string(row.Name) + "-4");
    std::string outOne, outFour;
    EXPECT_EQ(Export(one, 1, row.Options, &outOne), row.Status);
    EXPECT_EQ(Export(four, 4, row.Options, &outFour), row.Status);
    const auto files = Tree(one);
    EXPECT_EQ(files.size(), row.Files);
    EXPECT_TRUE(files == Tree(four)) << "the files of four workers differ from one worker's";
    // Where the pages went is said on stdout, the same but for the home folder;
    // stderr, not a terminal, has no progress line, and the same notes in the same order.
    for (auto at = outOne.find(one.string()); at != std::string::npos;
         at = outOne.find(one.string(), at))
      outOne.replace(at, one.string().size(), four.string());
    EXPECT_EQ(outOne, outFour);
    EXPECT_EQ(outFour.rfind("wrote " + std::to_string(row.Pages) + " pages to ", 0), 0u) << outFour;
    const std::string err = testsupport::ReadFile(four.string() + ".err");
    EXPECT_EQ(testsupport::ReadFile(one.string() + ".err"), err);
    // Only the Exif exports have notes, and none of them is an error.
    EXPECT_TRUE(row.Options.find("--exif") == std::string::npos
                    ? err.empty()
                    : err.find("error") == std::string::npos)
        << err;
  }
}

// The window's batch buttons write what the pool writes.
TEST_F(PoolExport, TheWindowsBatchWritesTheSameFiles) {
  for (const bool thumb : {false, true}) {
    SCOPED_TRACE(thumb ? "exif thumbnail" : "plain");
    const fs::path window = homes_.Path() / "window", pool = homes_.Path() / "pool";
    fs::remove_all(window);
    fs::remove_all(pool);
    fs::create_directories(window);
    HeadlessPlatform platform;
    TForm1 form(platform);
    form.FProgramDir = window.string();
    form.FoColor = 0x000000;  // the command line's colours
    form.GColor = 0xFFFFFF;
    form.PLayOutTextFile(inputs_ / "novel.txt");
    platform.FileAnswers.push_back(cameras_.Path().string());
    form.Dispatch([&] { thumb ? form.SaveAllThumbInButtonClick() : form.SaveAllButtonClick(); });
    ASSERT_EQ(platform.Errors, std::vector<std::string>{});
    std::string out;
    Export(pool, 3,
           (thumb ? "--thumbnail --exif " + Quote(cameras_.Path().string()) + " " : "") + novel_,
           &out);
    const auto files = Tree(window);
    EXPECT_EQ(files.size(), 40u);
    EXPECT_TRUE(files == Tree(pool)) << "the pool's files differ from the window's";
  }
}

// Interrupted, the export finishes or drops the pages under way: pages 1..n
// are written whole, nothing after them, no temporary stays, and the exit
// status says it was interrupted.
TEST_F(PoolExport, AnInterruptLeavesOnlyWholePages) {
  testsupport::WriteFile(inputs_ / "long.txt", Novel(8000, "long"));
  const fs::path home = homes_.Path() / "long", folder = home / "all_page/long";
  fs::create_directories(home);
  const std::string cli = testsupport::CliPath(), out = home.string() + ".out";
  std::vector<std::string> args = {
      cli, "export", "--home", home.string(), "--jobs", "2", (inputs_ / "long.txt")};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // A test run from a background job inherits SIGINT ignored; the export must
  // meet the interrupt as from a terminal.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t interrupt;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &interrupt);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, cli.c_str(), &actions, &attributes, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  while (checks::Names(folder).size() < 30 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);

  const auto names = checks::Names(folder);
  ASSERT_GE(names.size(), 30u);
  ASSERT_LT(names.size(), 8000u) << "the interrupt came too late";
  EXPECT_EQ(names, checks::Numbered("long%04d.jpg", 1, static_cast<int>(names.size())));
  for (const auto& name : names) {
    const std::string jpeg = testsupport::ReadFile((folder / name).string());
    EXPECT_NO_THROW(EXPECT_EQ(DecodeJpeg(jpeg).Width(), 640)) << name;
    EXPECT_TRUE(checks::EndsWith(jpeg, "\xFF\xD9")) << name;
  }
  EXPECT_EQ(testsupport::ReadFile(out),
            "wrote " + std::to_string(names.size()) + " pages to " + folder.string() + "/\n");
}

}  // namespace
