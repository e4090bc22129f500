// Characters the page renderers do not draw well are replaced throughout a text
// before it is laid out.
#include <array>
#include <string_view>

#include "form/Unit1.h"

namespace {

struct TReplacement {
  std::string_view Find;
  std::string_view With;
};

// Applied in this order, as code-page-932 bytes.
constexpr std::array<TReplacement, 4> kReplacements{{
    {"\t", "\x81\x40\x81\x40\x81\x40\x81\x40"},  // tab -> four ideographic spaces
    {"\x81\xE1", "\x81\x73"},                    // ≪ -> 《
    {"\x81\xE2", "\x81\x74"},                    // ≫ -> 》
    {"\x81\x46", " : "},                         // full-width colon -> " : "
}};

// Holds a store's rows back while the table runs, so it wraps once at the end,
// and keeps the hourglass up meanwhile; both are restored on every path.
class TReplacePass {
 public:
  TReplacePass(Platform& platform, TEditor& editor) : platform_(platform), editor_(editor) {
    platform_.SetBusyCursor(true);
    editor_.SetWordWrap(false);
    editor_.ReadOnly = false;
    editor_.BeginUpdate();
  }
  ~TReplacePass() {
    editor_.EndUpdate();
    editor_.ReadOnly = true;
    editor_.SetWordWrap(true);
    platform_.SetBusyCursor(false);
  }
  TReplacePass(const TReplacePass&) = delete;
  TReplacePass& operator=(const TReplacePass&) = delete;

 private:
  Platform& platform_;
  TEditor& editor_;
};

void ReplaceTable(Platform& platform, TEditor& editor) {
  TReplacePass pass(platform, editor);
  for (const TReplacement& r : kReplacements) editor.ReplaceAll(r.Find, r.With);
}

}  // namespace

void TForm1::Freplace(TEditor& editor) {
  ReplaceTable(P, editor);
}
