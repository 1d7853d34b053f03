#pragma once

#include <string>

#include "ic_map_plan.h"
#include "page_output.h"
#include "report/board_report.h"

namespace zemra::cli {

// The parts of a board's section of the page, each appended to `page`. `id` is the section's id,
// which prefixes the ids inside it.
void appendFacts(const BoardReport& board, std::string& page);
void appendChecks(const BoardReport& board, const std::string& id, std::string& page);
// Each map is handed to `stream` as it is made: the maps of a board can run to tens of megabytes.
void appendIcMaps(const BoardReport& board, const IcMapPlan& maps, const std::string& id,
                  PageOutput& stream);
void appendStepsTable(const BoardReport& board, const std::string& id, std::string& page);

// A link "#b1-ic=NAME" named by the IC at `ic` of the pin files: the script draws its map.
void appendIcLink(const BoardReport& board, const std::string& id, std::size_t ic,
                  std::string& page);

// The id of the steps table's row of the record at `offset`.
std::string rowId(const std::string& id, std::uint64_t offset);

}  // namespace zemra::cli
