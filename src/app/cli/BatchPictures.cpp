// Ostrel-Vane Studio - the results of an analysis as picture files.
#include "app/cli/BatchPictures.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "graphics/Drawing.h"
#include "graphics/Plot.h"
#include "platform/StopRequest.h"
#include "results/AnalysisResults.h"

namespace HalvrennInc {

const std::vector<std::string_view>& PictureNames()
{
    static const std::vector<std::string_view> names = {"values-plot",    "values-table",    "values-cusum",
                                                        "variation-plot", "variation-table", "variation-cusum",
                                                        "assumptions"};
    return names;
}

std::optional<String> WriteAnalysisPictures(AnalysisResults& results, const std::string& sFolder, PictureFormat format)
{
    if (!results.Built()) return String("The analysis has no results to draw.");
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::u8path(sFolder), error);
    if (error) return String("Folder " + sFolder + " could not be created: " + error.message());

    // Plots are laid out afresh; the tables are drawings already.
    const std::unique_ptr<Drawing> valuesPlot = results.ValuesPlot()->BuildDrawing();
    const std::unique_ptr<Drawing> valuesCusum = results.ValuesCusumChart()->BuildDrawing();
    const std::unique_ptr<Drawing> variationPlot = results.VariationPlot()->BuildDrawing();
    const std::unique_ptr<Drawing> variationCusum = results.VariationCusumChart()->BuildDrawing();
    const Drawing* const drawings[] = {
        valuesPlot.get(),          &results.ValuesTable(), valuesCusum.get(),           variationPlot.get(),
        &results.VariationTable(), variationCusum.get(),   &results.AssumptionsReport()};
    for (std::size_t i = 0; i < PictureNames().size(); ++i) {
        const std::string sPath = (std::filesystem::u8path(sFolder) /
                                   (std::string(PictureNames()[i]) + "." + std::string(PictureExtension(format))))
                                      .string();
        // A request to stop ends the run between pictures.
        if (StopRequested()) return String("Stopped before all pictures were written.");
        if (auto sMessage = WritePicture(*drawings[i], sPath, format)) return sMessage;
    }
    return std::nullopt;
}

}  // namespace HalvrennInc
