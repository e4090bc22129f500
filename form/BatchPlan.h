#pragma once
// A batch export planned by the form and exported by a pool of workers
// (export/PagePool.h): the same refusals, questions, folders and page files as
// the window's batch buttons, with the pages drawn away from the form.
#include <optional>

#include "export/ExportPlan.h"
#include "export/PagePool.h"

class TForm1;

// The settings of the page files a batch of the kind writes for the form's
// current text and options.
TPageFileSettings PageFileSettings(const TForm1& form, TPageFileKind kind);

// Everything a batch of the kind decides before its first page, asked and
// refused as its button does (the pasted-text and no-file refusals, the
// template folder and the shift question of the Exif kinds, the refusal to
// write over a template), with the output folder made. std::nullopt when the
// batch does not run; the reason was shown through the platform.
std::optional<TExportPlan> PlanBatch(TForm1& form, TPageFileKind kind);

// The page's number and column slots, from the form's current text.
void PlanPage(TForm1& form, int page, TPlannedPage& out);

// The ending of a planned batch: the note of the pages that kept their
// template's thumbnail, then, when album is set and the batch was neither
// broken off by an error nor interrupted, the album manifests, asked for as
// the window asks (WriteAlbum).
void EndPlannedBatch(TForm1& form, const TExportPlan& plan, const TBookResult& result, bool album);
