// The file guards as the command line and the window meet them: inputs that
// are FIFOs, devices or too large; outputs that are inputs, links or FIFOs;
// a write killed midway. A refused run changes no file and returns at once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "tests/export/FileChecks.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;
using checks::Quote;
using testsupport::ReadFile;
using testsupport::WriteFile;

// Every entry under folder: a link as its target, a FIFO as such, a file as
// its bytes (a large one by its size).
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const auto s = e.symlink_status();
    std::string& v = entries[fs::relative(e.path(), folder).string()];
    if (fs::is_symlink(s))
      v = "-> " + fs::read_symlink(e.path()).string();
    else if (fs::is_fifo(s))
      v = "fifo";
    else if (fs::is_regular_file(s))
      v = e.file_size() > (1 << 20) ? std::to_string(e.file_size()) : ReadFile(e.path());
  }
  return entries;
}

class FileGuardsCli : public ::testing::Test {
 protected:
  FileGuardsCli() {
    WriteFile(dir / "s.txt", "line\r\n");
    WriteFile(dir / "s.bmp", "line\r\n");
    WriteFile(dir / "other.png", "other");
    WriteFile(dir / "cams/P001.txt", "not a photograph");
    fs::create_symlink("s.txt", dir / "link.png");
    fs::create_symlink("other.png", dir / "away.png");
    fs::create_symlink("/dev/zero", dir / "zero.txt");
    for (const char* fifo : {"fifo.png", "fifo.jpg", "fifo.txt", "cams/P002.jpg"})
      EXPECT_EQ(::mkfifo((dir / fifo).c_str(), 0600), 0);
    fs::resize_file(WriteBig("big.jpg"), (std::uint64_t{128} << 20) + 1);  // sparse
  }
  std::string WriteBig(const std::string& name) {
    WriteFile(dir / name, "\xFF\xD8");
    return dir / name;
  }
  // quillane-cli run in the folder, stopped after 10 s; its stderr into err.
  int Cli(const std::string& args, std::string* err = nullptr, const std::string& limit = "") {
    return testsupport::RunCommand("cd " + Quote(dir.Path()) + limit + " && timeout 10 " +
                                       testsupport::CliPath() + " " + args + " 2>&1 >/dev/null",
                                   err);
  }
  testsupport::TempDir dir;
};

TEST_F(FileGuardsCli, RefusedInputsAndOutputsAreToldInWordsAndChangeNothing) {
  const std::string longStem(251, 'n');  // fits as a text, not as "<stem>_th_A"
  WriteFile(dir / (longStem + ".txt"), "line\r\n");
  WriteFile(dir / "open.html", "<p>words <b\r\n");
  fs::resize_file(WriteBig("huge.txt"), (std::uint64_t{256} << 20) + 1);
  // Within the file limit, but past 256 MB once each tab is 8 bytes.
  WriteFile(dir / "tabs.txt", std::string((32 << 20) + 1, '\t') + "\r\nfits\r\n");
  const std::pair<std::string, std::string> cases[] = {
      {"render s.txt --out link.png", "入力ファイルそのもの"},
      {"render s.bmp --out s.bmp", "入力ファイルそのもの"},
      {"render s.txt --out away.png", "通常のファイルではありません"},
      {"render s.txt --out fifo.png", "通常のファイルではありません"},
      {"effect deep --ticks 1 --out fifo.png", "通常のファイルではありません"},
      {"same fifo.jpg --out o.jpg", "通常のファイルではありません"},
      {"splice --template fifo.jpg --insert big.jpg --out o.jpg", "通常のファイルではありません"},
      {"thumbnail fifo.jpg --out o.jpg", "通常のファイルではありません"},
      {"pages zero.txt", "通常のファイルではありません"},
      {"pages fifo.txt", "通常のファイルではありません"},
      {"rows huge.txt", "256 MB を超えるファイルは読めません"},
      {"pages tabs.txt", "タブを空白に広げると 256 MB を超えるため読めません"},
      {"same big.jpg --out o.jpg", "128 MB を超えるファイルは読めません"},
      {"thumbnail big.jpg --out o.jpg", "128 MB を超えるファイルは読めません"},
      {"export --exif cams s.txt", "Fileが見つかりません"},  // the FIFO is no photograph
      {"pages open.html", "タグが閉じられていません"},
      {"export --exif cams --thumbnail " + longStem + ".txt", longStem + "_th_A を作れません"},
  };
  const auto before = Snapshot(dir.Path());
  for (const auto& [args, message] : cases) {
    SCOPED_TRACE(args.substr(0, 60));
    std::string err;
    EXPECT_EQ(Cli(args, &err), 1);
    EXPECT_NE(err.find(message), std::string::npos) << err;
    EXPECT_EQ(Snapshot(dir.Path()), before);
  }
}

// A run killed while writing leaves the old file whole; its temporary is
// removed by the next run that writes into the folder, a live process's is not.
TEST_F(FileGuardsCli, AKilledWriteLeavesTheOldFileAndTheNextRunClearsItsTemporary) {
  WriteFile(dir / "out.png", "old");
  fs::permissions(dir / "out.png", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_NE(Cli("render s.txt --out out.png", nullptr, " && ulimit -f 1"), 0);
  EXPECT_EQ(ReadFile(dir / "out.png"), "old");
  auto temporaries = [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.Path()))
      if (e.path().filename().string().starts_with(".quillane-")) names.push_back(e.path());
    return names;
  };
  ASSERT_EQ(temporaries().size(), 1u);
  const std::string live =
      dir / (".quillane-" + std::to_string(::getpid()) + "-0123456789abcdef.part");
  WriteFile(live, "");
  ASSERT_EQ(Cli("render s.txt --out out.png"), 0);
  EXPECT_EQ(ReadFile(dir / "out.png").substr(1, 3), "PNG");
  EXPECT_EQ(fs::status(dir / "out.png").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(temporaries(), std::vector<std::string>{live});
}

class FileGuardsWindow : public FormTest {};

// The window's own writers refuse the same outputs, in an error box or a
// message, and leave them as they were ("sm" and "sp" call the routines of
// same and splice above).
TEST_F(FileGuardsWindow, CommandsRefuseFifosAndTheirOwnInputsInWords) {
  ASSERT_EQ(::mkfifo((dir / "fifo.jpg").c_str(), 0600), 0);
  const std::string story = WriteRows("story.txt", 20), fifo = dir / "fifo.jpg";
  const std::string joined = dir / "unite/story_u.txt";
  WriteFile(joined, "an earlier union\r\n");
  struct Case {
    const char* name;
    std::vector<std::optional<std::string>> files;  // the dialogs' answers
    std::function<void()> command;
    std::string said;
    MsgResult first = MsgResult::Yes;  // the first question's answer; all others Yes
  };
  const Case cases[] = {
      {"Save of a pasted text onto a FIFO",
       {fifo},
       [&] { F().Paste1Click(), F().PasteSave1Click(); },
       "通常のファイルではありません"},
      {"Unite with its earlier union",
       {joined},
       [&] { F().UniteButtonClick(); },
       "入力ファイルそのもの"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start();
    OpenFile(story);
    platform->Clipboard = "pasted";
    for (const auto& answer : c.files) platform->FileAnswers.push_back(answer);
    platform->Answers.assign(1, c.first);
    const auto before = Snapshot(dir.Path());
    F().Dispatch(c.command);
    std::string said;
    for (const auto& m : platform->Messages) said += m.Text + "\n";
    for (const auto& e : platform->Errors) said += e + "\n";
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    if (c.said.starts_with("入力")) {
      EXPECT_EQ(Snapshot(dir.Path()), before);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
  }
  F().Dispatch([] { throw std::bad_alloc(); });
  EXPECT_EQ(platform->Errors.back(), "メモリが足りないため、処理を中止しました");
}

}  // namespace
