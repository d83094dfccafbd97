// Ostrel-Vane Studio - the seven results of one analysis written as picture files, as
// the desktop program copies them to the clipboard.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/String.h"
#include "platform/qt/PictureFile.h"

namespace HalvrennInc {

class AnalysisResults;

//! The file names (without extension) of the seven results, in page order.
const std::vector<std::string_view>& PictureNames();

//! Writes values-plot, values-table, values-cusum, variation-plot, variation-table,
//! variation-cusum and assumptions into the folder (created when missing). Returns the
//! message of the first failure, or nothing. Needs the Qt application object.
std::optional<String> WriteAnalysisPictures(AnalysisResults& results, const std::string& sFolder, PictureFormat format);

}  // namespace HalvrennInc
