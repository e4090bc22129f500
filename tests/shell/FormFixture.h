#pragma once
// A main window driven headless, its program folder and settings file in a
// scratch folder, its dialogs answered by the HeadlessPlatform's queues.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"

class FormTest : public ::testing::Test {
 protected:
  FormTest() { NewForm(); }

  // A fresh window (created, not shown) over the same folder, with a new platform.
  TForm1& NewForm(std::unique_ptr<HeadlessPlatform> replacement = {}) {
    form_.reset();
    platform = replacement ? std::move(replacement) : std::make_unique<HeadlessPlatform>();
    form_ = std::make_unique<TForm1>(*platform);
    form_->SetFixedSeed(7);
    form_->FProgramDir = dir.Path().string();
    form_->FIniFileName = dir / "quillane.ini";
    form_->FormCreate();
    return *form_;
  }

  // Creation, then the first showing as the view does it.
  TForm1& Start(const std::vector<std::string>& args = {}) {
    NewForm();
    form_->ExamineCommandLine(args);
    form_->Dispatch([this] { form_->FormShow(); });
    form_->CMShowingChanged(true);
    return *form_;
  }

  // Closes the window as the view does: the settings written in one command
  // (which may not write over a file it has read), then destroyed.
  void Close() {
    form_->Dispatch([this] { form_->FormCloseQuery(); });
    form_->FormDestroy();
  }

  TForm1& F() { return *form_; }

  // A text of 'rows' short lines, each one column: ceil(rows / 13) pages.
  std::string WriteRows(const std::string& name, int rows) {
    std::string text;
    for (int i = 1; i <= rows; ++i) text += "line " + std::to_string(i) + "\r\n";
    const std::string path = dir / name;
    testsupport::WriteFile(path, text);
    return path;
  }

  // Opens a file through the Open dialog.
  void OpenFile(const std::string& path) {
    platform->FileAnswers.push_back(path);
    form_->Dispatch([this] { form_->Open1Click(); });
  }

  // The user's text as it now stands, lines joined with '\n'.
  std::string UserText() {
    std::string text;
    for (int i = 0; i < form_->Editor1.Lines.Count(); ++i) {
      text += form_->Editor1.Lines[i];
      text += '\n';
    }
    return text;
  }

  testsupport::TempDir dir;
  std::unique_ptr<HeadlessPlatform> platform;

 private:
  std::unique_ptr<TForm1> form_;
};
