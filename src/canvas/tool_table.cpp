// The tool table: every tool's record, in the order F1's list names them.
#include <array>

#include "canvas/tools.h"

extern const ToolRecord kPenTool;
extern const ToolRecord kFillTool;
extern const ToolRecord kLineTool;
extern const ToolRecord kRectangleTool;
extern const ToolRecord kEllipseTool;

namespace {

constexpr std::array<const ToolRecord*, 5> kTools = {
    &kPenTool, &kFillTool, &kLineTool, &kRectangleTool, &kEllipseTool,
};

}  // namespace

std::span<const ToolRecord* const> ToolTable() {
  return kTools;
}
