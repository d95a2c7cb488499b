// The tool table: every tool's record, in the order F1's list names them.
#include <array>

#include "canvas/tools.h"

extern const ToolRecord kPenTool;
extern const ToolRecord kFillTool;
extern const ToolRecord kLineTool;
extern const ToolRecord kRectangleTool;
extern const ToolRecord kEllipseTool;
extern const ToolRecord kSelectTool;
extern const ToolRecord kShadeTool;

namespace {

constexpr std::array<const ToolRecord*, 7> kTools = {
    &kPenTool, &kFillTool, &kLineTool, &kRectangleTool, &kEllipseTool, &kSelectTool, &kShadeTool,
};

}  // namespace

std::span<const ToolRecord* const> ToolTable() {
  return kTools;
}
