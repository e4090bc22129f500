// The effect command of quillane-cli, run as a user would.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "tests/common/TestSupport.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

int RunEffect(const std::string& args, std::string* out = nullptr) {
  return testsupport::RunCommand(testsupport::CliPath() + " effect " + args + " 2>&1", out);
}

QImage Load(const std::string& path) {
  return QImage(QString::fromStdString(path));
}

TEST(CliEffect, WritesAPictureOfThePageSizeThatDependsOnlyOnTheSeed) {
  TempDir dir;
  for (const std::string name : {"difference", "velocity", "deep", "arts"}) {
    const std::string out = dir / (name + ".png");
    ASSERT_EQ(RunEffect(name + " --ticks 3 --seed 1 --out " + out), 0) << name;
    EXPECT_EQ(Load(out).size(), QSize(640, 480)) << name;
  }
  ASSERT_EQ(RunEffect("velocity --ticks 20 --seed 7 --out " + (dir / "a.png")), 0);
  ASSERT_EQ(RunEffect("velocity --ticks 20 --seed 7 --out " + (dir / "b.png")), 0);
  ASSERT_EQ(RunEffect("velocity --ticks 20 --seed 8 --out " + (dir / "c.png")), 0);
  EXPECT_EQ(ReadFile(dir / "a.png"), ReadFile(dir / "b.png"));
  EXPECT_NE(ReadFile(dir / "a.png"), ReadFile(dir / "c.png"));
}

TEST(CliEffect, OptionsReachTheEffect) {
  TempDir dir;
  ASSERT_EQ(RunEffect("arts --green --ticks 1 --seed 2 --out " + (dir / "g.png")), 0);
  const QColor c = Load(dir / "g.png").pixelColor(100, 100);
  EXPECT_TRUE(c.red() == 0 && c.blue() == 0 && c.green() >= 80) << c.name().toStdString();
  ASSERT_EQ(RunEffect("deep --white --ticks 1 --seed 2 --out " + (dir / "w.png")), 0);
  EXPECT_EQ(Load(dir / "w.png").pixelColor(320, 240), QColor(231, 231, 231));
}

TEST(CliEffect, RefusesBadArguments) {
  TempDir dir;
  const std::string out = " --out " + (dir / "x.png");
  std::string text;
  EXPECT_NE(RunEffect("sparkle" + out, &text), 0);
  EXPECT_NE(text.find("sparkle"), std::string::npos);
  for (const std::string& args :
       {"deep --ticks many" + out, "velocity --piro 9" + out, "deep --wobble" + out,
        std::string("deep --ticks 2"), "deep --bg white" + out,
        "velocity --clock --time 25:00:00" + out})
    EXPECT_NE(RunEffect(args), 0) << args;
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

}  // namespace
